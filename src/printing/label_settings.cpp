#include "printing/label_settings.h"

#include "common/errors.h"
#include "common/ini_file.h"
#include "common/text.h"

#include <QDir>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Etichette");
const QString kStock = QStringLiteral("Formato");
const QString kOffsetLeft = QStringLiteral("Scostamento sinistro");
const QString kOffsetTop = QStringLiteral("Scostamento superiore");

// The six measures of a custom stock, by key.
struct Measure
{
    const char* key;
    double LabelStock::*field;
};
const Measure kMeasures[] = {
    {"Larghezza", &LabelStock::width},          {"Altezza", &LabelStock::height},
    {"Margine sinistro", &LabelStock::left},     {"Margine superiore", &LabelStock::top},
    {"Passo orizzontale", &LabelStock::hPitch}, {"Passo verticale", &LabelStock::vPitch},
};

IniFile file(const QString& programFolder)
{
    return IniFile(QDir(programFolder).filePath(LabelSettings::kFileName));
}

SettingsError badValue(const QString& key, const QString& value)
{
    return SettingsError(QStringLiteral("Impostazioni.ini, sezione [Etichette]: il valore \"%1\" di \"%2\" non è un "
                                        "numero di millimetri.")
                             .arg(value.left(80), key));
}

double readMm(const IniFile& ini, const QString& key, double fallback)
{
    const QString value = ini.read(kSection, key);
    if (Text::trimmed(value).isEmpty())
        return fallback;
    const std::optional<double> mm = LabelSettings::parse(value);
    if (!mm)
        throw badValue(key, value);
    return *mm;
}

} // namespace

QString LabelSettings::format(double mm)
{
    QString text = QString::number(mm, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text == u"-0")
        text = QStringLiteral("0");
    return text.replace(u'.', u',');
}

std::optional<double> LabelSettings::parse(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    QString t = Text::trimmed(text);
    if (t.size() > 20 || !number.match(t).hasMatch())
        return std::nullopt;
    t.replace(u',', u'.');
    return t.toDouble();
}

std::optional<LabelSettings::OffsetProblem> LabelSettings::offsetProblem() const
{
    const QString leftKey = kOffsetLeft;
    const QString topKey = kOffsetTop;
    for (const QString& key : {leftKey, topKey})
        if (!(std::abs(key == leftKey ? offsetLeft : offsetTop) <= kMaxOffset))
            return OffsetProblem{key, QStringLiteral("Lo scostamento della stampante deve stare fra -30 e 30 mm.")};
    // The offset moves the text, so every label's six lines must still land on the paper; what the PDF puts
    // beyond its edge no printer prints.
    const QString off = QStringLiteral("Lo scostamento porta le etichette fuori dal foglio: ");
    constexpr double kSlack = 0.005; // half the hundredth of a millimetre the settings are kept to
    const double block = LabelStock::kLinePitch * (LabelStock::kLines - 1) + LabelStock::kLineHeight;
    for (int slot = 1; slot <= LabelStock::kColumns * LabelStock::kRows; ++slot) {
        const LabelStock::LineBox box = stock.lines(slot);
        const double left = stock.labelLeft(slot) + box.leftInset + offsetLeft;
        const double right = left + box.width;
        const double top = stock.labelTop(slot) + box.topInset + offsetTop;
        const double bottom = top + block;
        if (left < -kSlack)
            return OffsetProblem{leftKey, off + QStringLiteral("le righe dell'etichetta %1 cominciano %2 mm oltre il "
                                                               "bordo sinistro del foglio.")
                                                   .arg(slot)
                                                   .arg(format(-left))};
        if (right > LabelStock::kPaperWidth + kSlack)
            return OffsetProblem{leftKey, off + QStringLiteral("le righe dell'etichetta %1 finiscono a %2 mm dal "
                                                               "bordo sinistro, oltre la larghezza del foglio (210 "
                                                               "mm).")
                                                   .arg(slot)
                                                   .arg(format(right))};
        if (top < -kSlack)
            return OffsetProblem{topKey, off + QStringLiteral("le righe dell'etichetta %1 cominciano %2 mm oltre il "
                                                              "bordo superiore del foglio.")
                                                  .arg(slot)
                                                  .arg(format(-top))};
        if (bottom > LabelStock::kPaperHeight + kSlack)
            return OffsetProblem{topKey, off + QStringLiteral("le righe dell'etichetta %1 finiscono a %2 mm dal "
                                                              "bordo superiore, oltre l'altezza del foglio (297 "
                                                              "mm).")
                                                  .arg(slot)
                                                  .arg(format(bottom))};
    }
    return std::nullopt;
}

std::optional<QString> LabelSettings::problem() const
{
    if (const std::optional<QString> p = stock.problem())
        return p;
    if (const std::optional<OffsetProblem> p = offsetProblem())
        return p->message;
    return std::nullopt;
}

LabelSettings LabelSettings::load(const QString& programFolder)
{
    const IniFile ini = file(programFolder);
    LabelSettings settings;
    const QString id = Text::trimmed(ini.read(kSection, kStock));
    if (id.compare(LabelStock::kCustomId, Qt::CaseInsensitive) == 0) {
        settings.stock.id = LabelStock::kCustomId;
        settings.stock.title = QStringLiteral("Personalizzato");
        for (const Measure& m : kMeasures)
            settings.stock.*m.field = readMm(ini, QString::fromUtf8(m.key), settings.stock.*m.field);
    } else if (!id.isEmpty()) {
        const std::optional<LabelStock> known = LabelStock::find(id);
        if (!known)
            throw SettingsError(QStringLiteral("Impostazioni.ini, sezione [Etichette]: il formato \"%1\" non è "
                                               "conosciuto.")
                                    .arg(id.left(80)));
        settings.stock = *known;
    }
    settings.offsetLeft = readMm(ini, kOffsetLeft, 0.0);
    settings.offsetTop = readMm(ini, kOffsetTop, 0.0);
    const QString where = QStringLiteral("Impostazioni.ini, sezione [Etichette]: ");
    if (const std::optional<QString> p = settings.stock.problem())
        throw SettingsError(where + *p);
    if (const std::optional<OffsetProblem> p = settings.offsetProblem())
        throw SettingsError(where + QStringLiteral("\"%1\": ").arg(p->key) + p->message);
    return settings;
}

void LabelSettings::save(const QString& programFolder) const
{
    if (const std::optional<QString> p = problem())
        throw SettingsError(*p);
    const IniFile ini = file(programFolder);
    const bool custom = stock.id == LabelStock::kCustomId;
    ini.write(kSection, kStock, custom ? LabelStock::kCustomId : stock.id);
    if (custom)
        for (const Measure& m : kMeasures)
            ini.write(kSection, QString::fromUtf8(m.key), format(stock.*m.field));
    ini.write(kSection, kOffsetLeft, format(offsetLeft));
    ini.write(kSection, kOffsetTop, format(offsetTop));
}
