#include "access/password_store.h"
#include "cli/cli_io.h"
#include "cli/commands.h"
#include "common/errors.h"
#include "common/record_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>

int runPassword(const CliContext& ctx)
{
    if (ctx.args.size() != 1 || ctx.args[0] != u"set")
        throw UsageError{QStringLiteral("Uso: password set (la nuova password sullo standard input).")};
    QByteArray input = Cli::readStdin();
    // One line: the line end is not part of the password.
    if (input.endsWith('\n'))
        input.chop(1);
    if (input.endsWith('\r'))
        input.chop(1);
    if (input.contains('\n'))
        throw UsageError{QStringLiteral("La password deve stare su una sola riga.")};
    const QString password = QString::fromUtf8(input);
    if (PasswordStore::canonical(password).isEmpty())
        throw UsageError{QStringLiteral("La password non può essere vuota.")};
    // The login takes only what can be typed into it: no control character anywhere, not even at the ends.
    const bool typeable =
        std::none_of(password.cbegin(), password.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
    if (!typeable || !PasswordStore::canStore(password))
        throw UsageError{PasswordStore::kLimits + QStringLiteral(" Non sono ammessi caratteri di controllo.")};
    PasswordStore(ctx.folder).storePassword(password);
    return 0;
}

namespace {

const char* kUsage =
    "Uso: plicario-cli [--folder CARTELLA] [--wait SECONDI] COMANDO\n"
    "  dump addresses | labels | register ANNO\n"
    "  append addresses | labels | register ANNO        (oggetti JSON, uno per riga, sullo standard input)\n"
    "  write addresses | labels | register ANNO N       (un oggetto JSON sullo standard input)\n"
    "    append e write: --accept-lossy salva come «?» i caratteri che l'archivio non può conservare\n"
    "  export addresses | register ANNO [--from GG/MM/AAAA --to GG/MM/AAAA]\n"
    "  import addresses FILE [--dry-run] [--accept-lossy] [--header]   (CSV o vCard; il resoconto in JSON)\n"
    "  password set                                     (la nuova password sullo standard input)\n"
    "  pdf envelope N | labels N | labels DA-A | address-sheet N FILE.pdf\n"
    "  pdf compose FILE.pdf [--tipo TESTO] [--first-slot N]   (fogli composti dall'archivio degli indirizzi)\n"
    "  compose [--tipo TESTO] [--first-slot N]          (li archivia; i numeri dei nuovi fogli in uscita)\n"
    "  annul register ANNO N --reason TESTO             (annulla la registrazione della scheda N)\n"
    "  verify register ANNO                             (confronta il registro con il suo storico)\n"
    "  register-mail ANNO FILE.eml [--category TESTO] [--dry-run]   (protocolla un messaggio; la scheda in JSON)\n"
    "  pdf card ANNO N FILE.pdf\n"
    "  pdf daily-register ANNO GG/MM/AAAA FILE.pdf      (il registro giornaliero, in PDF/A)\n"
    "  pdf list TITOLO FILE.pdf                         (le righe sullo standard input)\n"
    "--wait: quanto attendere un archivio in uso da un'altra postazione (predefinito 30 secondi).\n";

// A script must not hang behind a window or another batch that holds an archive: after the wait it is given up.
constexpr int kDefaultWaitSeconds = 30;

class TimeLimitWait : public LockWait
{
public:
    explicit TimeLimitWait(qint64 limitMs) : m_limitMs(limitMs) {}
    bool keepWaiting(const QString&, qint64 waitedMs) override { return waitedMs < m_limitMs; }

private:
    qint64 m_limitMs;
};

int waitSeconds(const QString& value)
{
    bool ok = false;
    const int seconds = value.toInt(&ok);
    if (!ok || seconds < 0 || seconds > 86400 || !value.front().isDigit())
        throw UsageError{QStringLiteral("--wait richiede un numero di secondi da 0 a 86400: %1").arg(Cli::echo(value)),
                         Usage::Shown};
    return seconds;
}

int dispatch(const QString& command, const CliContext& ctx)
{
    if (command == u"dump")
        return runDump(ctx);
    if (command == u"append")
        return runAppend(ctx);
    if (command == u"write")
        return runWrite(ctx);
    if (command == u"password")
        return runPassword(ctx);
    if (command == u"export")
        return runExport(ctx);
    if (command == u"pdf")
        return runPdf(ctx);
    if (command == u"import")
        return runImport(ctx);
    if (command == u"compose")
        return runCompose(ctx);
    if (command == u"annul")
        return runAnnul(ctx);
    if (command == u"verify")
        return runVerify(ctx);
    if (command == u"register-mail")
        return runRegisterMail(ctx);
    throw UsageError{QStringLiteral("Comando sconosciuto: %1").arg(Cli::echo(command)), Usage::Shown};
}

void printError(const QString& message)
{
    std::cerr << "plicario-cli: " << message.toStdString() << std::endl;
}

// Only drawing pages needs fonts, and so a GUI application; it never needs a display. Under cron or ssh no runtime
// folder is set, and Qt would warn about it on every page: a private one, removed at the end, keeps it quiet.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[], std::unique_ptr<QTemporaryDir>& runtime)
{
    int i = 1;
    while (i < argc && (std::strcmp(argv[i], "--folder") == 0 || std::strcmp(argv[i], "--wait") == 0))
        i += 2;
    if (i < argc && std::strcmp(argv[i], "pdf") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/plicario-cli-XXXXXX"));
            if (runtime->isValid())
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Standard error carries our own messages only: whatever Qt has to say is not for the batch tool's users.
void dropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char* argv[])
{
    // A full disk, a file-size limit or a closed pipe must be an error we report, not a signal that ends the
    // process halfway through a batch.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(dropQtMessages);
    std::unique_ptr<QTemporaryDir> runtime;
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv, runtime);
    QStringList args = app->arguments().mid(1);
    CliContext ctx;
    ctx.folder = QCoreApplication::applicationDirPath();
    int wait = kDefaultWaitSeconds;
    try {
        // The two options, each at most once, in either order.
        bool folderGiven = false;
        bool waitGiven = false;
        while (!args.isEmpty() && ((args[0] == u"--folder" && !folderGiven) || (args[0] == u"--wait" && !waitGiven))) {
            if (args[0] == u"--wait") {
                if (args.size() < 2)
                    throw UsageError{QStringLiteral("--wait richiede un numero di secondi."), Usage::Shown};
                wait = waitSeconds(args[1]);
                waitGiven = true;
            } else {
                if (args.size() < 2)
                    throw UsageError{QStringLiteral("--folder richiede una cartella."), Usage::Shown};
                ctx.folder = args[1];
                folderGiven = true;
            }
            args = args.mid(2);
        }
        if (folderGiven && !QFileInfo(ctx.folder).isDir()) {
            printError(QStringLiteral("La cartella %1 non esiste.").arg(Cli::echo(ctx.folder)));
            return 1;
        }
        if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
            std::cerr << kUsage;
            return args.isEmpty() ? 2 : 0;
        }
        ctx.args = args.mid(1);
        TimeLimitWait timeLimit(qint64(wait) * 1000);
        const ScopedLockWait installed(&timeLimit);
        return dispatch(args[0], ctx);
    } catch (const UsageError& e) {
        printError(e.message);
        if (e.usage == Usage::Shown)
            std::cerr << kUsage;
        return 2;
    } catch (const PlicarioError& e) {
        printError(e.message());
        return 1;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
