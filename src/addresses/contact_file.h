#pragma once

#include "addresses/contact.h"
#include "addresses/csv_contacts.h"
#include "addresses/csv_table.h"

#include <functional>

// A spreadsheet (CSV) or contact file (vCard) read whole, ready to become address cards.
class ContactFile
{
public:
    enum class Format
    {
        Csv,
        VCard
    };

    // Files larger than this are no address book; refusing them keeps a wrong choice from filling the memory.
    static constexpr qint64 kMaxBytes = qint64(64) << 20;

    // Reads and parses the whole file; the format is told by its content (a vCard starts with BEGIN:VCARD).
    // A file that cannot be opened throws PlicarioError; one that cannot be parsed throws ContactFileError.
    static ContactFile read(const QString& path);
    // The same from bytes already in memory.
    static ContactFile parse(const QByteArray& bytes);

    Format format() const { return m_format; }
    // CSV only: the table and what each column was taken to mean from its header.
    const CsvTable& table() const { return m_table; }
    const QList<CsvContacts::Column>& guessedColumns() const { return m_columns; }
    // CSV only: the lines of a UTF-8 file that hold bytes which are not UTF-8, read as windows-1252.
    // The first ContactText::kListedStrayLines of them, and how many there are.
    const QList<int>& strayByteLines() const { return m_strayLines; }
    qsizetype strayByteLineCount() const { return m_strayLineCount; }

    // CSV only: whether the first row holds known column names: two, or one among cells without figures. A file without
    // them is taken as data, its columns
    // in the order the program's own export writes them (card name, type, the six lines, notes), until the caller
    // says otherwise.
    bool firstRowLooksLikeHeader() const { return m_looksLikeHeader; }
    bool firstRowIsData() const { return m_firstRowIsData; }
    void setFirstRowIsData(bool data);

    // The contacts in file order; for a CSV, with the columns given (by default the guessed ones).
    QList<Contact> contacts() const;
    QList<Contact> contacts(const QList<CsvContacts::Column>& columns) const;
    // How many contacts there are.
    qsizetype contactCount() const;
    // The same contacts handed to `visit` one at a time, each read afresh from the file: a file of millions of rows
    // is never held as contacts all at once.
    void forEachContact(const std::function<void(const Contact&)>& visit) const;
    void forEachContact(const QList<CsvContacts::Column>& columns,
                        const std::function<void(const Contact&)>& visit) const;

private:
    static ContactFile fromBytes(QByteArray bytes);

    Format m_format = Format::Csv;
    CsvTable m_table;
    QList<CsvContacts::Column> m_columns;
    QByteArray m_vcardBytes; // read again at each pass over the cards
    qsizetype m_vcardCount = 0;
    QList<int> m_strayLines;
    qsizetype m_strayLineCount = 0;
    bool m_looksLikeHeader = false;
    bool m_firstRowIsData = false;
};
