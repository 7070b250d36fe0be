#pragma once

#include "common/find_in_list.h"
#include "common/last_card_with_line.h"
#include "register/register_card.h"

#include <QList>
#include <optional>

// The register search: up to ten filters over a year's cards, and the one-line form of each card found.
namespace RegisterSearch {

// "Prot. n. " Numero (14) "  Data: " DataReg (10) "  Posta: " Tipologia (10) "  " Oggetto (35) "  Da: "
// Mittente (24) "  A: " Destinatario whole; each field trimmed, then padded with blanks or cut to its width.
QString resultLine(const RegisterCard& card);

// What ends the line of an annulled card in the list.
inline const QString kAnnulledMark = QStringLiteral("  [ANNULLATA]");

// "Il presente riepilogo contiene <n> schede."
QString countText(qsizetype lines);

// The fields a filter can be set on, in the order of the search window's fields.
const QList<RegisterCard::Field>& searchableFields();

// The filters of one search. A filter is set when its text, trimmed, is not empty; a card passes when every set
// filter's text, as typed, occurs in the card's field, with A to Z folded to lower case on both sides.
class Filter
{
public:
    // Only the searchable fields may be given; other fields are ignored.
    void set(RegisterCard::Field field, const QString& typed);
    // The test on a raw record, on its stored bytes, without decoding them.
    bool matchesRecord(const char* record) const;

private:
    struct Key
    {
        int offset; // of the field in a record
        int width;
        std::optional<QByteArray> bytes; // folded, as stored; none when no record can hold the text
    };
    QList<Key> m_keys;
};

// The cards of the year file that pass the filter (the file is created when missing), as result lines with the
// card positions, in list order; an annulled card's line ends in kAnnulledMark. Throws ArchiveAccessError.
QList<ListEntry> search(const QString& yearFilePath, const Filter& filter);

// The card a result line stands for: the last card in file order whose line, trimmed, equals the trimmed text
// (without its annulled mark).
// Throws ArchiveAccessError.
using Match = ListMatch<RegisterCard>;
std::optional<Match> lastCardWithLine(const QString& yearFilePath, const QString& line);

} // namespace RegisterSearch
