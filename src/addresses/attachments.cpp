#include "addresses/attachments.h"

#include "common/app_context.h"
#include "common/messages.h"
#include "common/text.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

namespace {

const QString kReplaceQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

namespace Attachments {

QString folderPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(kFolderName);
}

QString documentName(const QString& storedName)
{
    QString name = Text::trimmed(storedName);
    // Cut at the first control character before reducing: the file system would stop at a NUL anyway, and
    // "..\0x" must not leave ".." behind once reduced.
    const auto control =
        std::find_if(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
    name.truncate(control - name.cbegin());
    // Cards written on another system may hold either separator.
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    const QString last = Text::trimmed(name.mid(cut + 1));
    if (last == u"." || last == u"..")
        return {};
    return last;
}

} // namespace Attachments

QString AttachDocument(const AppContext& context, QWidget* owner, const QString& fieldText)
{
    const QString picked = context.fileChooser->chooseFile(owner, QStringLiteral("Selezionare il file da allegare:"),
                                                           QStringLiteral("Tutti i file (*.*)"));
    if (picked.isEmpty())
        return fieldText;
    // The card keeps the name the copy has, so that opening it later finds the same file.
    const QString name = Attachments::documentName(QFileInfo(picked).fileName());
    if (name.isEmpty())
        return fieldText;
    const QString folder = Attachments::folderPath(context.programFolder);
    if (!QDir().mkpath(folder))
        return name;
    const QString target = QDir(folder).filePath(name);
    std::error_code error;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists()) {
        // Picking the folder's own copy again leaves nothing to replace.
        if (std::filesystem::equivalent(fsPath(picked), fsPath(target), error))
            return name;
        if (!context.messages->confirm(owner, kReplaceQuestion))
            return name;
    }
    // Copied beside the target first, so a failed copy never leaves half a document in place of the old one.
    const std::filesystem::path partial = fsPath(target + QStringLiteral(".~parziale"));
    if (std::filesystem::copy_file(fsPath(picked), partial, std::filesystem::copy_options::overwrite_existing, error))
        std::filesystem::rename(partial, fsPath(target), error);
    if (error)
        std::filesystem::remove(partial, error);
    return name;
}

void OpenAttachedDocument(const AppContext& context, const QString& name)
{
    const QString document = Attachments::documentName(name);
    if (document.isEmpty())
        return;
    const QString path = QDir(Attachments::folderPath(context.programFolder)).filePath(document);
    context.shell->open(u'"' + QDir::toNativeSeparators(path) + u'"');
}
