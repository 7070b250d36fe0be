#pragma once

#include "addresses/contact.h"
#include "addresses/csv_table.h"

// What each column of a spreadsheet means, and the contacts its rows hold.
namespace CsvContacts {

enum class Field
{
    None,
    CardName, // the card's own name, as an export of the archive holds it
    Prefix,
    GivenName,
    MiddleName,
    FamilyName,
    Suffix,
    FullName,
    Organisation,
    Street,
    PostalCode,
    City,
    Province,
    Country,
    AddressKind, // work, home... of the address the column's group belongs to
    Type,
    Notes,
    Line1, // the card's own address lines, as an export of the archive holds them
    Line2,
    Line3,
    Line4,
    Line5,
    Line6, // the last: the field table in csv_contacts.cpp checks its size against it
};

// Columns of one address (the home or work columns of an address book, "Address 2 - ..." of another) share a group.
struct Column
{
    Field field = Field::None;
    int group = 0;
    bool operator==(const Column&) const = default;
};

// Every field in the order a user chooses from, and its Italian name.
const QList<Field>& fields();
QString fieldName(Field field);

// What a header name means, in Italian or English, in any letter case; Field::None when it is not known.
Column guess(const QString& headerName);
QList<Column> guessColumns(const QStringList& header);

// The contact of one row. Cells beyond the columns are ignored, missing ones are empty.
Contact contact(const CsvTable::Row& row, const QList<Column>& columns);

} // namespace CsvContacts
