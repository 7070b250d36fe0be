#include "printing/templates/register_card_template.h"

#include "common/text.h"

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

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kGold(0xFF, 0xD7, 0x00);

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

} // namespace

ReportTemplate make()
{
    ReportTemplate tpl(kName);
    ReportPage& page = tpl.page();
    page.setMargins(Length::mm(10));

    page.add<ShapeObject>(QStringLiteral("Shape1"), mm(1, 1, 188, 5.8), kLightSteelBlue, QColor(Qt::black));
    addText(tpl, QStringLiteral("titArcataSup"), mm(2, 2, 185.8, 4.2), 9, QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"))
        .setHAlign(HAlign::Center);
    for (int r = 1; r <= 16; ++r) {
        // The frames skip Shape5.
        const int shape = r <= 3 ? r + 1 : r + 2;
        page.add<ShapeObject>(QStringLiteral("Shape%1").arg(shape), mm(1, 7 + 5 * (r - 1), 188, 4.6), QColor(),
                              QColor(Qt::black));
    }
    for (int r = 1; r <= 16; ++r) {
        const double top = 7.5 + 5 * (r - 1);
        const double captionWidth = r == 9 ? 39.5 : r == 16 ? 38.8 : 37.8;
        const Row& row = kRows[r - 1];
        addText(tpl, QStringLiteral("Memo%1").arg(r), mm(2, top, captionWidth, 3.5), 7, QString::fromUtf8(row.caption));
        addText(tpl, QString::fromLatin1(row.valueName), mm(44, top, 144, 3.5), 7, QString());
    }
    page.add<LineObject>(QStringLiteral("Line2"), mm(42, 7, 0, 79.6));
    page.add<ShapeObject>(QStringLiteral("Shape23"), mm(1, 88, 188, 5.8), kGold, QColor(Qt::black));
    addText(tpl, QStringLiteral("txtCalce"), mm(2, 89, 185.8, 4.2), 8, QStringLiteral("Data e ora stampa"))
        .setHAlign(HAlign::Center);
    return tpl;
}

QString footerText(const QDateTime& now)
{
    return QStringLiteral("Stampa eseguita in data ") + now.date().toString(QStringLiteral("dd/MM/yyyy"))
        + QStringLiteral(" alle ore ") + now.time().toString(QStringLiteral("HH:mm:ss"));
}

void fill(ReportTemplate& tpl, const std::function<QString(const QString& fieldName)>& field, const QDateTime& now)
{
    tpl.page().setOrientation(Orientation::Portrait);
    for (const Row& row : kRows) {
        const QString name = QString::fromLatin1(row.valueName);
        QString value = Text::trimmed(field(name));
        if (name == u"txtFormato")
            value += QStringLiteral("  -  N. pagine: ") + Text::trimmed(field(QStringLiteral("txtPagine")));
        tpl.text(name).setText(value);
    }
    tpl.text(QStringLiteral("txtCalce")).setText(footerText(now));
}

} // namespace RegisterCardTemplate
