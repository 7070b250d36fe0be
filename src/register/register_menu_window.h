#pragma once

#include "common/application_window.h"

struct AppContext;
class HintLine;
class PictureButton;
class QLayout;
class QLineEdit;
class QPushButton;

// The entry to the mail register: the user types a year of four digits and opens its register. Closing it any
// other way returns to the launcher.
class RegisterMenuWindow : public ApplicationWindow
{
    Q_OBJECT

public:
    explicit RegisterMenuWindow(const AppContext& context, QWidget* parent = nullptr);

    // Where closing the menu leads (lblMemory): back to the launcher, or on to the register of the chosen year.
    enum class ExitTarget
    {
        Launcher,
        Register
    };
    ExitTarget exitTarget() const { return m_lblMemory; }

Q_SIGNALS:
    // "Apri" closed the menu: the register window opens `yearFilePath` under `caption`.
    void yearOpened(const QString& yearFilePath, const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPanel();
    QLayout* buildHeading();
    QLayout* buildYearChoice();
    void openYear();

    const AppContext& m_context;
    QLineEdit* m_txtAnno = nullptr;
    QPushButton* m_btnApri = nullptr;
    PictureButton* m_imgGuida = nullptr;
    PictureButton* m_imgEsci = nullptr;
    HintLine* m_hints = nullptr;
    ExitTarget m_lblMemory = ExitTarget::Launcher;
    QString m_yearFilePath;
    QString m_caption;
};
