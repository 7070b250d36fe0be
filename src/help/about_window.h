#pragma once

#include "help/fixed_window.h"

struct AppContext;
class LinkLabel;

// The about window: the program's logo and an e-mail link to the maker's support address.
class AboutWindow : public FixedWindow
{
    Q_OBJECT

public:
    AboutWindow(const AppContext& context, QWidget* owner);

    // The mailto text, in double quotes, that starts a new message to the support address; subject and body are
    // left unescaped, as the mail program expects them.
    static QString supportMailCommand();

private:
    const AppContext& m_context;
    LinkLabel* m_link;
};
