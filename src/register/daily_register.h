#pragma once

#include "register/register_journal.h"

#include <QDate>

// The register of one day, as the journal records it: every document registered that day in number order, with its
// documents' fingerprints, and the day's corrections and annulments. Closed by the journal's chained hash at the
// day's last entry, so a copy kept on paper or as a PDF can later be checked against the journal.
struct DailyRegister
{
    struct Registered
    {
        int place = 0;
        QStringList values; // the card as registered
        QList<JournalEntry::Document> documents;
    };

    QDate day;
    QList<Registered> registered;
    // Corrections (and later document sets) and annulments, in journal order.
    QList<JournalEntry> corrections;
    QList<JournalEntry> annulments;
    // The hash of the journal's last entry up to the end of the day; empty when the journal had none by then.
    QByteArray closingHash;

    static DailyRegister collect(const QByteArray& journal, QDate day);

    // The document's text, line by line: a heading line per document, then its details indented.
    QStringList lines() const;
};
