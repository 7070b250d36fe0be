#include "register/mail_registration.h"

#include "addresses/attachments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kDocumentSlots = 3;

// The card's note: the certified mail's identity, then the attachments beyond the card's three.
QString noteOf(const MailMessage& m)
{
    QStringList parts;
    if (m.certified) {
        QString pec = QStringLiteral("PEC %1 (%2").arg(m.certified->id, m.certified->kind);
        if (!m.certified->provider.isEmpty())
            pec += QStringLiteral(", gestore %1").arg(m.certified->provider);
        pec += m.certified->signedByProvider ? QStringLiteral(", firmata dal gestore)") : QStringLiteral(")");
        parts << pec;
    }
    if (m.attachments.size() > kDocumentSlots) {
        QStringList others;
        for (qsizetype i = kDocumentSlots; i < m.attachments.size(); ++i)
            others << QFileInfo(m.attachments[i].path).fileName();
        parts << QStringLiteral("Altri allegati: %1").arg(others.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace

namespace MailRegistration {

Prepared prepare(const QString& waitingFolder, const QString& messagePath, const QDate& today)
{
    Prepared p;
    p.message = MailReader::read(messagePath, waitingFolder);
    // The message file itself, unchanged, as the digital copy.
    QString copyName = Attachments::documentName(QFileInfo(messagePath).fileName());
    if (copyName.isEmpty())
        copyName = QStringLiteral("messaggio.eml");
    p.copy = QDir(waitingFolder).filePath(MailReader::freeName(waitingFolder, copyName));
    if (!QFile::copy(messagePath, p.copy)) {
        for (const MailMessage::Attachment& a : p.message.attachments)
            QFile::remove(a.path);
        throw MailRefusal{QStringLiteral("Impossibile copiare il messaggio \"%1\": il disco potrebbe essere pieno.")
                              .arg(QFileInfo(messagePath).fileName())};
    }

    RegisterCard& c = p.card;
    const MailMessage& m = p.message;
    c.setValue(RegisterCard::Tipologia, QStringLiteral("In entrata"));
    c.setValue(RegisterCard::DataReg, today.toString(QStringLiteral("dd/MM/yyyy")));
    c.setValue(RegisterCard::Mittente, m.senderName.isEmpty() ? m.senderAddress : m.senderName);
    c.setValue(RegisterCard::RecapitoMit, m.senderAddress);
    c.setValue(RegisterCard::Oggetto, m.subject);
    if (m.date.isValid())
        c.setValue(RegisterCard::DataRic, m.date.date().toString(QStringLiteral("dd/MM/yyyy")));
    c.setValue(RegisterCard::Note, noteOf(m));
    c.setValue(RegisterCard::Copia, QFileInfo(p.copy).fileName());
    for (int i = 0; i < kDocumentSlots && i < m.attachments.size(); ++i) {
        c.setValue(RegisterCard::File01 + i, QFileInfo(m.attachments[i].path).fileName());
        c.setValue(RegisterCard::Desc01 + i, m.attachments[i].name);
    }
    return p;
}

QStringList keep(const Prepared& p, const QString& programFolder, RegisterCard& card)
{
    const QDir folder(Attachments::folderPath(programFolder));
    if (!QDir().mkpath(folder.path()))
        throw MailRefusal{QStringLiteral("Impossibile creare la cartella degli allegati %1.")
                              .arg(QDir::toNativeSeparators(folder.path()))};
    QStringList waiting{p.copy};
    for (const MailMessage::Attachment& a : p.message.attachments)
        waiting << a.path;
    QStringList kept;
    for (const QString& from : waiting) {
        const QString name = QFileInfo(from).fileName();
        const QString chosen = MailReader::freeName(folder.path(), name);
        if (!QFile::rename(from, folder.filePath(chosen))) {
            discard(kept);
            throw MailRefusal{QStringLiteral("Impossibile conservare \"%1\" nella cartella degli allegati %2: il "
                                             "disco potrebbe essere pieno.")
                                  .arg(name, QDir::toNativeSeparators(folder.path()))};
        }
        kept << folder.filePath(chosen);
        if (chosen == name)
            continue;
        for (const int f : {RegisterCard::Copia, RegisterCard::File01, RegisterCard::File02, RegisterCard::File03})
            if (card.value(f) == name)
                card.setValue(f, chosen);
        card.setValue(RegisterCard::Note, QString(card.value(RegisterCard::Note)).replace(name, chosen));
    }
    return kept;
}

void discard(const QStringList& kept)
{
    for (const QString& path : kept)
        QFile::remove(path);
}

} // namespace MailRegistration
