#pragma once

#include "common/app_context.h"

#include <QUrl>

// Opens documents, folders, web addresses and mailto links with the desktop's associated program. The command never
// goes through a shell interpreter, so no character of a file name can run anything.
class DesktopShell : public Shell
{
public:
    bool open(const QString& command) override;

    // What open() hands to the desktop: enclosing double quotes dropped; a web address or a mailto link as it is;
    // anything else is a local path, made absolute. An empty command gives an invalid URL.
    static QUrl urlFor(const QString& command);
};
