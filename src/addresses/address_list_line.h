#pragma once

#include "addresses/address_card.h"
#include "common/find_in_list.h"
#include "common/last_card_with_line.h"

// The one-line form of an address card in the finder and import lists: the name padded or cut to 40 characters,
// "  Tipo: ", the type padded or cut to 28, "  Note: ", and the note whole (each field trimmed first).
namespace AddressList {

// Built for any card, also one without a name (the import matches those too).
QString line(const AddressCard& card);
// The same from the three fields.
QString lineOf(QStringView nome, QStringView tipo, QStringView note);

// Every card of Archivio_Indirizzi.pro (created empty when missing) whose trimmed name is not empty, with its card
// number, in list order.
// Throws ArchiveAccessError.
QList<ListEntry> load(const QString& programFolder);

// The card a list line stands for: the last card in file order whose line, trimmed, equals the trimmed text
// (several cards may give the same line). Empty when none does. Throws ArchiveAccessError.
using Match = ListMatch<AddressCard>;
std::optional<Match> lastCardWithLine(const QString& programFolder, const QString& line);

} // namespace AddressList
