#include "printing/templates/register_card_template.h"

#include "common/text.h"
#include "printing/report/report_fonts.h"

#include <algorithm>
#include <array>

namespace RegisterCardTemplate {

namespace {

struct Row
{
    const char* caption;   // printed in the caption object Memo<r>
    const char* valueName; // the value object, named after the register window's field
};

// The sixteen rows, top to bottom.
constexpr std::array<Row, 16> kRows = {{
    {"Protocollo n.", "txtNumero"},
    {"Data registrazione:", "txtDataReg"},
    {"Ufficio:", "txtUfficio"},
    {"Operatore:", "txtOperatore"},
    {"Categoria:", "txtCategoria"},
    {"Collocazione cartaceo:", "txtCollocazione"},
    {"Oggetto:", "txtOggetto"},
    {"Data spedizione:", "txtDataSpe"},
    {"Data ricezione:", "txtDataRic"},
    {"Formato:", "txtFormato"},
    {"Riferimenti:", "txtRiferimenti"},
    {"Mittente:", "txtMittente"},
    {"Recapito mittente:", "txtRecapitoMit"},
    {"Destinatario:", "txtDestinatario"},
    {"Recapito destinatario:", "txtRecapitoDes"},
    {"Note:", "txtNote"},
}};

// The subject is the one row that grows: it wraps onto as many lines as it needs, and the rows below move down.
constexpr int kSubjectRow = 7;
const QString kSubject = QStringLiteral("txtOggetto");

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kGold(0xFF, 0xD7, 0x00);
const QColor kAnnulledRed(0xB3, 0x26, 0x1E);
const QString kTitle = QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO");
const QString kAnnulment = QStringLiteral("txtAnnullamento");

TextObject& addText(ReportTemplate& tpl, const QString& name, const LengthRect& rect, double points, const QString& text)
{
    auto& object = tpl.page().add<TextObject>(name, rect, ReportFont{QStringLiteral("Arial"), points});
    object.setWordWrap(false);
    object.setAllowExpressions(false);
    object.setText(text);
    return object;
}

LengthRect mm(double left, double top, double width, double height)
{
    return {Length::mm(left), Length::mm(top), Length::mm(width), Length::mm(height)};
}

// The frames skip Shape5.
QString frameName(int r)
{
    return QStringLiteral("Shape%1").arg(r <= 3 ? r + 1 : r + 2);
}

// Puts the rows, the line between captions and values, and the footer where a subject `grow` mm taller than one
// line leaves them. Every position is set afresh, so filling a template again never moves it twice.
void placeRows(const ReportTemplate& tpl, double grow)
{
    const auto below = [grow](int r) { return r > kSubjectRow ? grow : 0.0; };
    const auto taller = [grow](int r) { return r == kSubjectRow ? grow : 0.0; };
    for (int r = 1; r <= 16; ++r) {
        const double frameTop = 7 + 5 * (r - 1) + below(r);
        const double textTop = frameTop + 0.5;
        const double captionWidth = r == 9 ? 39.5 : r == 16 ? 38.8 : 37.8;
        tpl.findObject(frameName(r)).setBounds(mm(1, frameTop, 188, 4.6 + taller(r)));
        tpl.findObject(QStringLiteral("Memo%1").arg(r)).setBounds(mm(2, textTop, captionWidth, 3.5));
        tpl.findObject(QString::fromLatin1(kRows[r - 1].valueName)).setBounds(mm(44, textTop, 144, 3.5 + taller(r)));
    }
    tpl.findObject(QStringLiteral("Line2")).setBounds(mm(42, 7, 0, 79.6 + grow));
    tpl.findObject(QStringLiteral("Shape23")).setBounds(mm(1, 88 + grow, 188, 5.8));
    tpl.findObject(QStringLiteral("txtCalce")).setBounds(mm(2, 89 + grow, 185.8, 4.2));
}

} // namespace

ReportTemplate make()
{
    ReportTemplate tpl(kName);
    ReportPage& page = tpl.page();
    page.setMargins(Length::mm(10));

    page.add<ShapeObject>(QStringLiteral("Shape1"), mm(1, 1, 188, 5.8), kLightSteelBlue, QColor(Qt::black));
    addText(tpl, QStringLiteral("titArcataSup"), mm(2, 2, 185.8, 4.2), 9, kTitle)
        .setHAlign(HAlign::Center);
    for (int r = 1; r <= 16; ++r)
        page.add<ShapeObject>(frameName(r), LengthRect(), QColor(), QColor(Qt::black));
    for (int r = 1; r <= 16; ++r) {
        const Row& row = kRows[r - 1];
        addText(tpl, QStringLiteral("Memo%1").arg(r), LengthRect(), 7, QString::fromUtf8(row.caption));
        addText(tpl, QString::fromLatin1(row.valueName), LengthRect(), 7, QString());
    }
    page.add<LineObject>(QStringLiteral("Line2"), LengthRect());
    page.add<ShapeObject>(QStringLiteral("Shape23"), LengthRect(), kGold, QColor(Qt::black));
    addText(tpl, QStringLiteral("txtCalce"), LengthRect(), 8, QStringLiteral("Data e ora stampa"))
        .setHAlign(HAlign::Center);
    auto& annulment = page.add<TextObject>(kAnnulment, LengthRect(), ReportFont{QStringLiteral("Arial"), 9, true,
                                                                                 kAnnulledRed});
    annulment.setWordWrap(false);
    annulment.setAllowExpressions(false);
    placeRows(tpl, 0);
    return tpl;
}

QString footerText(const QDateTime& now)
{
    return QStringLiteral("Stampa eseguita in data ") + now.date().toString(QStringLiteral("dd/MM/yyyy"))
        + QStringLiteral(" alle ore ") + now.time().toString(QStringLiteral("HH:mm:ss"));
}

void fill(ReportTemplate& tpl, const std::function<QString(const QString& fieldName)>& field, const QDateTime& now,
          const QString& annulment)
{
    tpl.page().setOrientation(Orientation::Portrait);
    tpl.text(QStringLiteral("titArcataSup"))
        .setText(annulment.isEmpty() ? kTitle : kTitle + QStringLiteral(" - REGISTRAZIONE ANNULLATA"));
    for (const Row& row : kRows) {
        const QString name = QString::fromLatin1(row.valueName);
        QString value = Text::trimmed(field(name));
        if (name == u"txtFormato")
            value += QStringLiteral("  -  N. pagine: ") + Text::trimmed(field(QStringLiteral("txtPagine")));
        tpl.text(name).setText(value);
    }
    // Each printed line of the subject is one whole line of the value object, so none is cut at the right edge.
    TextObject& subject = tpl.text(kSubject);
    if (!subject.text().isEmpty())
        subject.memo() = ReportFonts::wrap(subject.font(), subject.text(), subject.bounds().width);
    const qsizetype lines = std::max<qsizetype>(subject.memo().size(), 1); // an empty subject keeps its row
    placeRows(tpl, subject.lineHeight().mm() * double(lines - 1));
    tpl.text(QStringLiteral("txtCalce")).setText(footerText(now));
    // The annulment, in full, under the footer: it may be long, so it wraps.
    TextObject& annulled = tpl.text(kAnnulment);
    const Length width = Length::mm(185.8);
    annulled.memo() = annulment.isEmpty() ? QStringList() : ReportFonts::wrap(annulled.font(), annulment, width);
    const Length top = Length::mm(96 + subject.lineHeight().mm() * double(lines - 1));
    annulled.setBounds({Length::mm(2), top, width, annulled.lineHeight() * double(annulled.memo().size())});
}

} // namespace RegisterCardTemplate
