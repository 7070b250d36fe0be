#include "register/daily_register.h"

#include "register/register_numbering.h"

#include <algorithm>

namespace {

using Kind = JournalEntry::Kind;
using F = RegisterCard::Field;

QString fieldName(int field)
{
    return QLatin1String(RegisterCard::fields()[field].name);
}

QString documentLine(const JournalEntry::Document& d)
{
    return QStringLiteral("    %1: %2  SHA-256 %3")
        .arg(fieldName(d.field), d.name, d.sha256.isEmpty() ? QStringLiteral("(file non trovato)") : d.sha256);
}

} // namespace

DailyRegister DailyRegister::collect(const QByteArray& journal, QDate day)
{
    DailyRegister r;
    r.day = day;
    QHash<int, int> registeredToday; // place -> index in r.registered
    r.closingHash = RegisterJournal::entriesOfDay(journal, day, [&](const JournalEntry& e) {
        switch (e.kind) {
        case Kind::Registration:
            registeredToday.insert(e.card, int(r.registered.size()));
            r.registered.append({e.card, e.values, {}});
            break;
        case Kind::Documents:
            if (registeredToday.contains(e.card) && r.registered[registeredToday[e.card]].documents.isEmpty())
                r.registered[registeredToday[e.card]].documents = e.documents;
            else
                r.corrections.append(e);
            break;
        case Kind::Correction:
            r.corrections.append(e);
            break;
        case Kind::Annulment:
            r.annulments.append(e);
            break;
        case Kind::Found:
            break;
        }
    });
    std::stable_sort(r.registered.begin(), r.registered.end(), [](const Registered& a, const Registered& b) {
        const qlonglong na = RegisterNumbers::value(a.values.value(F::Numero));
        const qlonglong nb = RegisterNumbers::value(b.values.value(F::Numero));
        return na != nb ? na < nb : a.place < b.place;
    });
    return r;
}

QStringList DailyRegister::lines() const
{
    QStringList out;
    out << QStringLiteral("Documenti protocollati: %1").arg(registered.size()) << QString();
    for (const Registered& d : registered) {
        const QString& type = d.values.value(F::Tipologia);
        // Outgoing mail names its recipient, everything else its sender.
        const bool outgoing = type.contains(QStringLiteral("uscita"), Qt::CaseInsensitive);
        const QString party = outgoing ? d.values.value(F::Destinatario) : d.values.value(F::Mittente);
        out << QStringLiteral("N. %1  del %2  %3  %4: %5")
                   .arg(d.values.value(F::Numero).trimmed(), d.values.value(F::DataReg), type,
                        outgoing ? QStringLiteral("Destinatario") : QStringLiteral("Mittente"), party);
        out << QStringLiteral("    Oggetto: %1").arg(d.values.value(F::Oggetto));
        for (const JournalEntry::Document& doc : d.documents)
            out << documentLine(doc);
    }
    out << QString() << QStringLiteral("Correzioni: %1").arg(corrections.size());
    for (const JournalEntry& c : corrections) {
        out << QStringLiteral("N. %1 (scheda %2)  alle %3  da %4")
                   .arg(c.number.trimmed())
                   .arg(c.card)
                   .arg(c.time.toString(QStringLiteral("HH:mm")), c.user);
        for (const JournalEntry::Change& ch : c.changes)
            out << QStringLiteral("    %1: \"%2\" diventa \"%3\"").arg(fieldName(ch.field), ch.before, ch.after);
        for (const JournalEntry::Document& doc : c.documents)
            out << documentLine(doc);
    }
    out << QString() << QStringLiteral("Annullamenti: %1").arg(annulments.size());
    for (const JournalEntry& a : annulments)
        out << QStringLiteral("N. %1 (scheda %2)  alle %3  da %4")
                   .arg(a.number.trimmed())
                   .arg(a.card)
                   .arg(a.time.toString(QStringLiteral("HH:mm")), a.user)
            << QStringLiteral("    Motivo: %1").arg(a.reason);
    out << QString()
        << QStringLiteral("Hash concatenato dello storico all'ultima voce del giorno: %1")
               .arg(closingHash.isEmpty() ? QStringLiteral("(nessuna voce)") : QString::fromLatin1(closingHash));
    return out;
}
