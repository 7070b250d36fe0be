#include "app/startup_gui.h"

#include "app/desktop_shell.h"
#include "app/file_dialog_gui.h"
#include "app/system_clock.h"
#include "app/window_set_gui.h"
#include "common/app_context.h"
#include "common/lock_wait_gui.h"
#include "common/message_box_gui.h"
#include "common/pictures_gui.h"
#include "printing/print_service_gui.h"
#include "printing/report/report_fonts.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void applyItalianConventions(QApplication& app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(&app);
    if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    // Installed last, so asked first: it holds only the texts Qt's own translation lacks.
    auto* ours = new QTranslator(&app);
    if (ours->load(QStringLiteral(":/translations/plicario_it.qm")))
        app.installTranslator(ours);
}

int run(int& argc, char** argv, const std::function<void()>& started)
{
    // The windows never depend on a hardware graphics device.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Plicario"));
    // Drawn once at two sizes: an SVG icon would be drawn again at every size the desktop asks for.
    QIcon icon;
    for (int side : {32, 128})
        icon.addPixmap(Pictures::pixmap(QStringLiteral("shell/plicario"), QSize(side, side)));
    app.setWindowIcon(icon);
    // The program ends when the user leaves the login window or the launcher, never because for a moment no
    // window is visible between two of them.
    app.setQuitOnLastWindowClosed(false);
    applyItalianConventions(app);
    // Arial, Verdana, Courier New and Tahoma drawn by the free fonts installed with the program.
    ReportFonts::install();

    SystemClock clock;
    MessageBoxMessages messages;
    DesktopShell shell;
    FileDialogChooser fileChooser;
    FileDialogSaveChooser saveFileChooser;
    AppContext context;
    QtPrintService printService(context);
    context.programFolder = QCoreApplication::applicationDirPath();
    context.clock = &clock;
    context.messages = &messages;
    context.shell = &shell;
    context.fileChooser = &fileChooser;
    context.saveFileChooser = &saveFileChooser;
    context.printService = &printService;

    // Every archive action of every window waits for another workstation's lock with a box the user can cancel.
    LockWaitBox lockWait;
    const ScopedLockWait installedLockWait(&lockWait);

    WindowSet windows(context);
    QObject::connect(&windows, &WindowSet::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    windows.start();
    if (started)
        started();
    return app.exec();
}

} // namespace Startup
