// plicario-cli pdf: any printed page of the program as a PDF file, with the same templates and painter as paper.
#include "addresses/address_card.h"
#include "cli/cli_io.h"
#include "register/daily_register_pdf.h"
#include "cli/commands.h"
#include "cli/own_files.h"
#include "common/errors.h"
#include "labels/label_compose.h"
#include "printing/label_settings.h"
#include "labels/label_sheet.h"
#include "printing/envelope_settings.h"
#include "printing/report/report_painter.h"
#include "printing/templates/envelope_template.h"
#include "printing/templates/label_page_template.h"
#include "labels/label_pages.h"
#include "printing/templates/list_template.h"
#include "printing/templates/register_card_template.h"
#include "register/register_card.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

const char* kPdfUsage = "Uso: pdf envelope N FILE.pdf | labels N | DA-A FILE.pdf | address-sheet N FILE.pdf | "
                        "compose FILE.pdf [--tipo TESTO] [--first-slot N] | card ANNO N FILE.pdf | list TITOLO FILE.pdf | "
                        "daily-register ANNO GG/MM/AAAA FILE.pdf";

int recordNumber(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        throw UsageError{
            QStringLiteral("Il numero della scheda deve essere un intero da 1 in su: %1").arg(Cli::echo(text))};
    return n;
}

// Card `text` of the archive at `path`, as `File` reads it. A card beyond the archive is bad input, as for write;
// a missing archive holds no card and is not created.
template <typename File> auto readRecord(const QString& path, const QString& text)
{
    const int number = recordNumber(text);
    const auto beyond = [&](int count) {
        return UsageError{QStringLiteral("La scheda %1 non esiste: l'archivio ne contiene %2.").arg(number).arg(count)};
    };
    if (!QFileInfo::exists(path))
        throw beyond(0);
    const File file(path);
    if (number > file.count())
        throw beyond(file.count());
    return file.read(number);
}

AddressCard addressCard(const CliContext& ctx, const QString& number)
{
    return readRecord<RecordFile<AddressCard>>(QDir(ctx.folder).filePath(AddressCardFile::kFileName), number);
}

void checkArgs(const CliContext& ctx, qsizetype count)
{
    if (ctx.args.size() != count)
        throw UsageError{QString::fromLatin1(kPdfUsage)};
}

ReportTemplate envelope(const CliContext& ctx)
{
    const AddressCard card = addressCard(ctx, ctx.args[1]);
    const EnvelopeSettings settings = EnvelopeSettings::load(ctx.folder);
    ReportTemplate tpl = EnvelopeTemplate::make();
    QStringList lines;
    for (int f = AddressCard::Rigo01; f <= AddressCard::Rigo06; ++f)
        lines << card.value(f);
    EnvelopeTemplate::fill(tpl, settings.orientation, EnvelopeSettings::parseMargin(settings.top),
                           EnvelopeSettings::parseMargin(settings.left), lines);
    return tpl;
}

ReportTemplate addressSheet(const CliContext& ctx)
{
    const AddressCard card = addressCard(ctx, ctx.args[1]);
    ReportTemplate tpl =
        LabelPageTemplate::make(LabelPageTemplate::kSingleAddressName, LabelSettings::load(ctx.folder));
    LabelPageTemplate::fill(tpl, [&](int, int line) { return card.value(AddressCard::Rigo01 + line - 1); });
    return tpl;
}

// Sheets FROM to TO of the label archive ("N" alone: that sheet), one page each, drawn one at a time while the
// archive stays open.
void labels(const CliContext& ctx)
{
    const QString& range = ctx.args[1];
    const qsizetype dash = range.indexOf(u'-');
    const int from = recordNumber(dash < 0 ? range : range.left(dash));
    const int to = dash < 0 ? from : recordNumber(range.mid(dash + 1));
    if (to < from)
        throw UsageError{QStringLiteral("L'intervallo di schede %1 va all'indietro.").arg(Cli::echo(range))};
    const QString path = QDir(ctx.folder).filePath(LabelSheetFile::kFileName);
    const auto beyond = [&](int count) {
        return UsageError{QStringLiteral("La scheda %1 non esiste: l'archivio ne contiene %2.").arg(to).arg(count)};
    };
    if (!QFileInfo::exists(path))
        throw beyond(0);
    const LabelSettings settings = LabelSettings::load(ctx.folder);
    const RecordFile<LabelSheet> file(path);
    if (to > file.count())
        throw beyond(file.count());
    LabelPages pages(LabelPageTemplate::kSheetName, settings, QDate::currentDate());
    ReportPainter::writePdf(pages.source(to - from + 1, [&](int i) { return file.read(from + i); }), ctx.args.last());
}

// The sheets composed from the address archive, nothing stored.
void composed(const CliContext& ctx)
{
    const LabelCompose::Request request = composeOptions(ctx.args.mid(2));
    const LabelSettings settings = LabelSettings::load(ctx.folder);
    const LabelCompose::Plan plan = LabelCompose::plan(ctx.folder, request);
    reportLeftOut(plan);
    const LabelCompose::Sheets sheets(ctx.folder, plan);
    LabelPages pages(LabelPageTemplate::kSheetName, settings, QDate::currentDate());
    ReportPainter::writePdf(pages.source(sheets.count(), [&](int i) { return sheets.sheet(i); }), ctx.args[1]);
}

ReportTemplate registerCard(const CliContext& ctx)
{
    if (!RegisterYear::isValid(ctx.args[1]))
        throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
    const RegisterCard card = readRecord<RegisterFile>(RegisterYear::filePath(ctx.folder, ctx.args[1]), ctx.args[2]);
    ReportTemplate tpl = RegisterCardTemplate::make();
    // The window's fields are named "txt" + the record's field.
    RegisterCardTemplate::fill(
        tpl,
        [&](const QString& field) {
            const int index = RegisterCard::fieldIndex(QStringView(field).mid(3));
            return index < 0 ? QString() : card.value(index);
        },
        QDateTime::currentDateTime());
    return tpl;
}

// The day's register from the year's journal, as PDF/A for long-term keeping.
void dailyRegister(const CliContext& ctx)
{
    if (!RegisterYear::isValid(ctx.args[1]))
        throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
    const QDate day = QDate::fromString(ctx.args[2], QStringLiteral("dd/MM/yyyy"));
    if (!day.isValid())
        throw UsageError{QStringLiteral("Data non valida: %1 (GG/MM/AAAA).").arg(Cli::echo(ctx.args[2]))};
    const QString path = RegisterYear::filePath(ctx.folder, ctx.args[1]);
    QByteArray journal;
    // Read under the year file's lock, so no save is half way through it; a missing register is not created.
    if (QFileInfo::exists(path)) {
        const RawRecordFile file(path, RegisterCard::recordSize());
        journal = RegisterJournal::read(path);
    }
    writeDailyRegisterPdf(DailyRegister::collect(journal, day), ctx.args[1], ctx.args[3]);
}

ReportTemplate list(const CliContext& ctx)
{
    QString input = QString::fromUtf8(Cli::readStdin());
    input.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = input.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) // the end of the last line is no line of its own
        lines.removeLast();
    ReportTemplate tpl = ListTemplate::make();
    ListTemplate::fill(tpl, ctx.args[1], lines);
    return tpl;
}

} // namespace

int runPdf(const CliContext& ctx)
{
    if (ctx.args.isEmpty())
        throw UsageError{QString::fromLatin1(kPdfUsage)};
    const QString& what = ctx.args[0];
    // Before anything is read or drawn: the output must not be one of the program's own files.
    if (what == u"compose") {
        if (ctx.args.size() < 2)
            throw UsageError{QString::fromLatin1(kPdfUsage)};
        OwnFiles::refuse(ctx.folder, ctx.args[1]);
        composed(ctx);
        return 0;
    }
    if (ctx.args.size() >= 2)
        OwnFiles::refuse(ctx.folder, ctx.args.last());
    if (what == u"daily-register") {
        checkArgs(ctx, 4);
        dailyRegister(ctx);
        return 0;
    }
    if (what == u"labels") {
        checkArgs(ctx, 3);
        labels(ctx);
        return 0;
    }
    ReportTemplate tpl(QString{});
    if (what == u"envelope") {
        checkArgs(ctx, 3);
        tpl = envelope(ctx);
    } else if (what == u"address-sheet") {
        checkArgs(ctx, 3);
        tpl = addressSheet(ctx);
    } else if (what == u"card") {
        checkArgs(ctx, 4);
        tpl = registerCard(ctx);
    } else if (what == u"list") {
        checkArgs(ctx, 3);
        tpl = list(ctx);
    } else {
        throw UsageError{QString::fromLatin1(kPdfUsage)};
    }
    ReportPainter::writePdf(tpl.prepare(QDate::currentDate()), ctx.args.last());
    return 0;
}
