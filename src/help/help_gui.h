#pragma once

#include "help/help_topics.h"

#include <QString>

struct AppContext;
class QWidget;

// The help, about and copyright windows, each made for one use: a new window owned by `owner`, shown modally and
// destroyed when it closes. Every help button of the program calls ShowHelp with its own topic (help_topics.h).
void ShowHelp(QWidget* owner, const AppContext& context, const QString& title, const QString& text);
void ShowHelp(QWidget* owner, const AppContext& context, const HelpTopic& topic);
void ShowAbout(QWidget* owner, const AppContext& context);
void ShowCopyright(QWidget* owner, const AppContext& context);
