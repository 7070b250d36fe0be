#include "app/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

QUrl DesktopShell::urlFor(const QString& command)
{
    QString text = command;
    // Callers quote paths and mailto links so that blanks survive; the desktop wants them bare.
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    if (text.isEmpty())
        return QUrl();

    // A scheme of two letters or more ("https:", "mailto:", "file:"); a one-letter one would be a drive.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool DesktopShell::open(const QString& command)
{
    const QUrl url = urlFor(command);
    return url.isValid() && QDesktopServices::openUrl(url);
}
