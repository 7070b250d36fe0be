#pragma once

#include "register/mail_message.h"
#include "register/register_card.h"

#include <QDate>

// A new register card made from a message file: the message itself becomes the card's digital copy and its first
// three attachments the further documents (further attachments are kept beside them and named in the note). The
// files wait in a folder of the caller's until the card is saved; only then are they kept, in the program's
// attachments folder, so a card given up leaves nothing behind.
namespace MailRegistration {

struct Prepared
{
    RegisterCard card;   // "In entrata", sender, sender's address, subject, date of receipt, note, documents
    MailMessage message; // as read; its attachments wait in the waiting folder
    QString copy;        // the message file's copy, waiting beside them
};

// Reads `messagePath` into `waitingFolder` (which must exist and be empty). Throws MailRefusal, leaving nothing there.
Prepared prepare(const QString& waitingFolder, const QString& messagePath, const QDate& today);

// Moves the waiting files into the program's attachments folder under names no file there has, and puts those names
// on `card` where it still holds the waiting ones (the documents and the note). Returns the files kept. Throws
// MailRefusal, with nothing kept, when a file cannot be moved.
QStringList keep(const Prepared& prepared, const QString& programFolder, RegisterCard& card);

// Removes kept files again, for a card that could not be saved after all.
void discard(const QStringList& kept);

} // namespace MailRegistration
