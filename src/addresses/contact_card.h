#pragma once

#include "addresses/address_card.h"
#include "addresses/contact.h"

// A contact turned into the address card a user would have typed for it.
namespace ContactCard {

// "Nome etichetta" is "Cognome Nome" or the organisation; "Tipo" the categories; the six lines an Italian envelope
// block (the addressee; the organisation when there is also a person; the street lines; "CAP Città PROV"; the
// country unless it is Italy) from the preferred address, else work, else home, else the first; "Note" the notes.
// Every field holds exactly what it reads back as once stored: one line, windows-1252, cut at its width, trimmed.
// A contact without any name or organisation gives a card whose name is empty.
// `lost`, when given, receives the characters windows-1252 cannot store (each once), which the card holds as '?'.
// True only when the card certainly gets no name: every text a name comes from is blank. A card it passes may still
// get none once cleaned.
bool certainlyNameless(const Contact& contact);

// `changed`, when given, receives what was stored as another character, named (Ansi::replacements: "«ř» → «r»");
// `cut`, the fields whose text is longer than the field and was cut to fit ("Note, Rigo 2"), empty when none.
AddressCard convert(const Contact& contact, QString* lost = nullptr, QString* changed = nullptr,
                    QString* cut = nullptr);

// The six lines of the envelope block, each one line and trimmed, before the storing rules (windows-1252, cut).
QStringList envelopeBlock(const Contact& contact);

// True for the names Italy goes by in address books ("Italia", "Italy", "IT"...), in any letter case.
bool isItaly(const QString& country);

} // namespace ContactCard
