#pragma once

#include <QString>
#include <array>

struct AppContext;
class QWidget;

// The three further documents of a card: file names (no folder; empty means no document) and descriptions.
struct AttachmentSlots
{
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;

    bool operator==(const AttachmentSlots&) const = default;
};

namespace Attachments {

inline const QString kFolderName = QStringLiteral("Documenti_Allegati");

QString folderPath(const QString& programFolder);
// A name as stored on a card, cut at its first control character and then reduced to its last path component, so
// it can never point outside the folder; empty for a blank name and for "." or "..", which open and copy nothing.
QString documentName(const QString& storedName);

} // namespace Attachments

// Lets the user pick a document and copies it at once into the attachments folder, asking before it replaces a
// document of the same name. Returns the text the name field holds afterwards: the picked file's name (as
// documentName() reduces it), or `fieldText` unchanged when the user cancels or the name reduces to nothing. Copy
// failures are silent.
QString AttachDocument(const AppContext& context, QWidget* owner, const QString& fieldText);

// Opens the document of that name in the attachments folder with its associated program. Presence is not checked.
void OpenAttachedDocument(const AppContext& context, const QString& name);
