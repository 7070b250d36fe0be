#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A delimited text file as spreadsheet programs and address books write it.
struct CsvTable
{
    struct Row
    {
        int line; // the file line the row begins at, counted from 1
        QStringList cells;
    };

    QChar separator;
    QStringList header; // the first row
    int headerLine = 0; // the file line it begins at; 0 when the table is empty
    QList<Row> rows;    // the rows after it; rows with no text in any cell are left out

    // Reads decoded text: the separator (`,` `;` or tab) is the one the header line uses most outside quoted fields,
    // fields may be quoted with `"` (a doubled quote inside stands for one) and hold line breaks; a quote elsewhere in
    // a field is an ordinary character; a first line "sep=;" names the separator.
    // A quote left open until the end of the file throws ContactFileError with the line it opened on.
    static CsvTable parse(const QString& text);
};
