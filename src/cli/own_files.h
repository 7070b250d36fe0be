#pragma once

#include <QString>

// The program's own files: an output path that is one of them is refused before anything is written, so that no
// command ever replaces an archive, a year file, a settings file, the password store, an attachment or the program.
namespace OwnFiles {

// True when writing `outputPath` would replace one of the files of the program folder `folder` (links followed).
bool isOwnFile(const QString& folder, const QString& outputPath);

// Throws UsageError when isOwnFile().
void refuse(const QString& folder, const QString& outputPath);

} // namespace OwnFiles
