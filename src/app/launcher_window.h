#pragma once

#include <QWidget>

struct AppContext;
class QLabel;

// The launcher: opens one of the three applications, the help topic, the about and copyright windows and the maker's
// web site. Closing it ends the program.
class LauncherWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Application
    {
        AddressArchive,
        LabelSheets,
        MailRegister
    };
    Q_ENUM(Application)

    explicit LauncherWindow(const AppContext& context);

    static constexpr QSize kPanelSize{995, 692};

Q_SIGNALS:
    // The window set shows that application's window, then hides the launcher.
    void applicationRequested(LauncherWindow::Application application);
    // Closed by its title bar or by the exit picture.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPanel();
    void buildTitle();
    void buildPictures();
    void connectPictures();
    void showHelp();
    void showAbout();
    void showCopyright();
    void openWebSite();

    const AppContext& m_context;
    QLabel* m_title = nullptr;
    QWidget* m_panel = nullptr;
};
