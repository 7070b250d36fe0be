#pragma once

#include "help/fixed_window.h"

struct AppContext;
class LinkLabel;
class QLabel;
class QPlainTextEdit;

// Shows one help topic, scrolled to its start, and opens the user guide Guida.pdf of the program folder.
class HelpWindow : public FixedWindow
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{670, 572};

    HelpWindow(const AppContext& context, QWidget* owner);

    void setTopic(const QString& title, const QString& text);

    // The text that TMisc.Open receives: the guide's full path between double quotes.
    QString guideCommand() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openGuide();

    const AppContext& m_context;
    QLabel* m_title;
    QPlainTextEdit* m_text;
    LinkLabel* m_link;
};
