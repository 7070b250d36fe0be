#include "printing/envelope_settings.h"

#include "common/errors.h"
#include "common/ini_file.h"
#include "common/text.h"

#include <QDir>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kMargins = QStringLiteral("Margini Busta");
const QString kPrint = QStringLiteral("Stampa Busta");
const QString kTop = QStringLiteral("Superiore");
const QString kLeft = QStringLiteral("Sinistro");
const QString kOrientation = QStringLiteral("Orientamento");
const QString kPortrait = QStringLiteral("Verticale");
const QString kLandscape = QStringLiteral("Orizzontale");

IniFile file(const QString& programFolder)
{
    return IniFile(QDir(programFolder).filePath(EnvelopeSettings::kFileName));
}

QString orientationText(Orientation o)
{
    return o == Orientation::Portrait ? kPortrait : kLandscape;
}

} // namespace

EnvelopeSettings EnvelopeSettings::load(const QString& programFolder)
{
    const IniFile ini = file(programFolder);
    EnvelopeSettings settings;
    settings.top = ini.read(kMargins, kTop);
    settings.left = ini.read(kMargins, kLeft);
    const QString orientation = Text::trimmed(ini.read(kPrint, kOrientation));
    if (orientation == kLandscape)
        settings.orientation = Orientation::Landscape;
    if (Text::trimmed(settings.top).isEmpty())
        settings.top = QStringLiteral("0");
    if (Text::trimmed(settings.left).isEmpty())
        settings.left = QStringLiteral("0");
    return settings;
}

void EnvelopeSettings::saveTop(const QString& programFolder) const
{
    const IniFile ini = file(programFolder);
    ini.write(kMargins, kTop, Text::trimmed(top));
    ini.write(kPrint, kOrientation, orientationText(orientation));
}

void EnvelopeSettings::saveLeft(const QString& programFolder) const
{
    const IniFile ini = file(programFolder);
    ini.write(kMargins, kLeft, Text::trimmed(left));
    ini.write(kPrint, kOrientation, orientationText(orientation));
}

Length EnvelopeSettings::parseMargin(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)$"));
    const QString trimmed = Text::trimmed(text);
    if (!number.match(trimmed).hasMatch())
        throw ReportError(QStringLiteral("Il margine \"%1\" non è un numero di millimetri.").arg(text));
    QString dotted = trimmed;
    dotted.replace(QLatin1Char(','), QLatin1Char('.'));
    const double mm = dotted.toDouble();
    // Hundreds of digits read as infinity: no page has room for that.
    if (!std::isfinite(mm))
        throw SettingsError(QStringLiteral("Il margine \"%1\" è fuori dalla pagina.").arg(text.left(80)));
    return Length::mm(mm);
}
