#pragma once

#include "register/register_card.h"

#include <QDate>

namespace Bench {

// Card `i` of a busy register year: three mail types, every day of the year, a few offices, senders and categories.
inline QByteArray registerCard(int i)
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, QStringLiteral("%1/2024").arg(i));
    c.setValue(RegisterCard::Tipologia, i % 3 == 0 ? "In entrata" : i % 3 == 1 ? "In uscita" : "Interna");
    c.setValue(RegisterCard::DataReg, QDate(2024, 1, 1).addDays(i % 366).toString("dd/MM/yyyy"));
    c.setValue(RegisterCard::Ufficio, "Segreteria generale");
    c.setValue(RegisterCard::Operatore, i % 2 ? "Mario Bianchi" : "Anna Verdi");
    c.setValue(RegisterCard::Categoria, i % 4 ? "Amministrazione" : "Personale");
    c.setValue(RegisterCard::Oggetto, QStringLiteral("Fattura n. %1 per fornitura materiale d'ufficio").arg(i));
    c.setValue(RegisterCard::Mittente, QStringLiteral("Rossi Forniture Srl %1").arg(i % 50));
    c.setValue(RegisterCard::Destinatario, "Ufficio acquisti");
    c.setValue(RegisterCard::Riferimenti, QStringLiteral("Ordine %1").arg(i / 3));
    c.setValue(RegisterCard::Note, "Pagamento a 30 giorni");
    return c.toBytes();
}

} // namespace Bench
