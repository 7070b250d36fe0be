#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One e-mail message read from its file (RFC 5322 with MIME parts), as the register takes it in. A certified
// e-mail (PEC) envelope is opened: the message is the original one it carries, its time the provider's delivery.
struct MailMessage
{
    struct Attachment
    {
        QString name; // as the sender named it, decoded
        QString path; // where it was written out, in the folder the reader was given
        qint64 size = 0;
    };
    struct Certified
    {
        QString id;                    // the provider's message id (identificativo)
        QString kind;                  // the provider's receipt type: "posta-certificata"
        QString provider;              // the provider that issued it (gestore-emittente)
        bool signedByProvider = false; // the envelope carries the provider's signature (smime.p7s), not verified
    };

    QString senderName;
    QString senderAddress;
    QStringList recipients;
    QString subject;
    QDateTime date; // the message's own date; for a PEC, the provider's time of delivery
    QString text;   // the text body, decoded
    QList<Attachment> attachments;
    std::optional<Certified> certified;
};

// A file the register cannot take as a message, with the reason in Italian; nothing was kept.
struct MailRefusal
{
    QString message;
};

namespace MailReader {

// `name`, or "name (2).ext" and so on, whichever `folder` does not hold yet.
QString freeName(const QString& folder, const QString& name);

// Reads the message in `path`, writing its attachments into `folder` (which must exist) as they are decoded, one at
// a time, so a large attachment is never held in memory. Throws MailRefusal: not a message, no sender or no subject,
// a PEC receipt rather than a message, a damaged structure, an unknown charset; the files it wrote are removed.
MailMessage read(const QString& path, const QString& folder);

} // namespace MailReader
