#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <iterator>

// A delimited text file as spreadsheet programs and address books write it.
struct CsvTable
{
    struct Row
    {
        int line; // the file line the row begins at, counted from 1
        QStringList cells;
    };

    // The rows after the header, read again from the text when asked for: a file of millions of short rows keeps
    // where every kStride-th row starts, not a list of strings or a position for each.
    class Rows
    {
    public:
        qsizetype size() const { return m_count; }
        bool isEmpty() const { return m_count == 0; }
        // Reads from the nearest kept start: for a row now and then (the first, a sample). Going through all of them
        // is the iterator's work.
        Row operator[](qsizetype i) const;
        // An empty row with line 0 outside the table.
        Row value(qsizetype i) const { return i >= 0 && i < size() ? (*this)[i] : Row{0, {}}; }

        class const_iterator
        {
        public:
            using iterator_category = std::input_iterator_tag;
            using value_type = Row;
            using difference_type = qsizetype;
            using pointer = const Row*;
            using reference = const Row&;
            const_iterator(const Rows* rows, qsizetype i);
            const Row& operator*() const { return m_row; }
            const_iterator& operator++();
            bool operator==(const const_iterator& other) const { return m_i == other.m_i; }

        private:
            const Rows* m_rows;
            qsizetype m_i;
            qsizetype m_pos = 0; // past the current row
            int m_line = 0;
            Row m_row{0, {}};
        };
        const_iterator begin() const { return {this, 0}; }
        const_iterator end() const { return {this, size()}; }

    private:
        friend struct CsvTable;
        static constexpr qsizetype kStride = 64;
        struct Start
        {
            qint32 pos; // in m_text; a table's text is at most 2^31 characters
            qint32 line;
        };
        // The next row that holds text from `pos` on, which moves past it.
        Row next(qsizetype& pos, int& line) const;

        QString m_text;
        QChar m_separator;
        qsizetype m_expectedCells = 0; // as many as the header has, for the room a row's list takes at once
        QList<Start> m_starts;         // of rows 0, kStride, 2 * kStride...
        qsizetype m_count = 0;
    };

    QChar separator;
    QStringList header; // the first row
    int headerLine = 0; // the file line it begins at; 0 when the table is empty
    Rows rows;          // the rows after it; rows with no text in any cell are left out

    // Rows of more cells than this are refused: no address book has them, and one row of millions of cells would fill
    // the memory.
    static constexpr qsizetype kMaxColumns = 50000;

    // Reads decoded text: the separator (`,` `;` or tab) is the one the header line uses most outside quoted fields,
    // fields may be quoted with `"` (a doubled quote inside stands for one) and hold line breaks; a quote elsewhere in
    // a field is an ordinary character; a first line "sep=;" names the separator.
    // A quote left open until the end of the file, or a row of over kMaxColumns cells, throws ContactFileError with
    // the line.
    static CsvTable parse(const QString& text);
};
