#include "help/help_gui.h"

#include "help/about_window.h"
#include "help/copyright_window.h"
#include "help/help_window.h"

void ShowHelp(QWidget* owner, const AppContext& context, const QString& title, const QString& text)
{
    HelpWindow window(context, owner);
    window.setTopic(title, text);
    window.exec();
}

void ShowHelp(QWidget* owner, const AppContext& context, const HelpTopic& topic)
{
    ShowHelp(owner, context, topic.title, topic.text);
}

void ShowAbout(QWidget* owner, const AppContext& context)
{
    AboutWindow window(context, owner);
    window.exec();
}

void ShowCopyright(QWidget* owner, const AppContext& context)
{
    CopyrightWindow window(context, owner);
    window.exec();
}
