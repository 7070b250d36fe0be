#include "cli/own_files.h"

#include "access/password_store.h"
#include "addresses/address_card.h"
#include "addresses/attachments.h"
#include "cli/cli_io.h"
#include "cli/json_lines.h"
#include "common/record_file.h"
#include "labels/label_sheet.h"
#include "printing/envelope_settings.h"
#include "register/register_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

// Names of the program's files in its folder; a year file is any "<four digits>.prt", its journal the same with
// ".storico".
bool isOwnName(const QString& name)
{
    static const QRegularExpression kYearFile(QStringLiteral("^[0-9]{4}\\.(prt|storico)$"));
    static const QRegularExpression kRollbackNote(QStringLiteral("\\.(pro|prt)\\.ripristino$"));
    const QStringList fixed{AddressCardFile::kFileName,  LabelSheetFile::kFileName,     PasswordStore::kFileName,
                            EnvelopeSettings::kFileName, RegisterSettings::kFileName,   QStringLiteral("Guida.pdf"),
                            QStringLiteral("plicario"),  QStringLiteral("plicario-cli")};
    return fixed.contains(name) || kYearFile.match(name).hasMatch() || kRollbackNote.match(name).hasMatch();
}

bool sameFile(const QString& a, const QString& b)
{
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Where a write to `path` lands: links followed, even one that points to a file not yet there.
QString landingPath(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info = QFileInfo(info.symLinkTarget());
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(info.fileName());
}

bool isInside(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

} // namespace

namespace OwnFiles {

bool isOwnFile(const QString& folder, const QString& outputPath)
{
    const QString target = landingPath(outputPath);
    if (target.isEmpty())
        return false;
    const QString programFolder = QFileInfo(folder).canonicalFilePath();
    const QFileInfo landing(target);
    if (landing.absolutePath() == programFolder && isOwnName(landing.fileName()))
        return true;
    if (isInside(target, QFileInfo(Attachments::folderPath(folder)).canonicalFilePath()))
        return true;
    if (!landing.exists())
        return false;
    // The same file under another name (a hard link) or the running program itself.
    if (sameFile(target, QCoreApplication::applicationFilePath()))
        return true;
    const QDir dir(programFolder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isOwnName(name) && sameFile(target, dir.filePath(name)))
            return true;
    return false;
}

void refuse(const QString& folder, const QString& outputPath)
{
    if (isOwnFile(folder, outputPath))
        throw UsageError{QStringLiteral("%1 è un file del programma: scegliere un altro file di uscita.")
                             .arg(Cli::echo(outputPath))};
}

} // namespace OwnFiles
