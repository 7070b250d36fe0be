// Delimited text as spreadsheet programs write it, and what header names mean.
#include "addresses/contact_file.h"
#include "addresses/csv_contacts.h"
#include "addresses/csv_table.h"

#include <QTest>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

class TestCsvTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<Rows>("rows"); // header first
        QTest::addColumn<QList<int>>("lines");

        QTest::newRow("semicolon wins over commas in names")
            << "Nome;Indirizzo, civico\r\nMario;Via Roma, 1\r\n"
            << ";" << Rows{{"Nome", "Indirizzo, civico"}, {"Mario", "Via Roma, 1"}} << QList<int>{2};
        QTest::newRow("tab") << "Nome\tCAP\nAnna\t00100\n"
                             << "\t" << Rows{{"Nome", "CAP"}, {"Anna", "00100"}} << QList<int>{2};
        QTest::newRow("comma, quoted separators ignored when detecting")
            << "\"Nome;Cognome\",CAP\nx,1\n"
            << "," << Rows{{"Nome;Cognome", "CAP"}, {"x", "1"}} << QList<int>{2};
        QTest::newRow("doubled quotes and line breaks in quotes, lines counted")
            << "a,b\n\"Bar \"\"Da Gino\"\"\",\"riga 1\nriga 2\r\nriga 3\"\nz,\"\"\n"
            << "," << Rows{{"a", "b"}, {"Bar \"Da Gino\"", "riga 1\nriga 2\r\nriga 3"}, {"z", ""}} << QList<int>{2, 5};
        QTest::newRow("old Mac line ends, no final line end")
            << "a;b\rc;d\re;f"
            << ";" << Rows{{"a", "b"}, {"c", "d"}, {"e", "f"}} << QList<int>{2, 3};
        QTest::newRow("empty rows left out, lines still counted")
            << "a;b\n;\n\n  ; \nc;d\n"
            << ";" << Rows{{"a", "b"}, {"c", "d"}} << QList<int>{5};
        QTest::newRow("a quote inside an unquoted field is a character")
            << "a,b\n12\" monitor,x\n"
            << "," << Rows{{"a", "b"}, {"12\" monitor", "x"}} << QList<int>{2};
        // The separator is told by the same quote rule the rows are read with: the inch mark opens nothing.
        QTest::newRow("a quote inside an unquoted header name is a character")
            << "Schermo 24\";Nome;Cognome\nA1;Mario;Rossi\n"
            << ";" << Rows{{"Schermo 24\"", "Nome", "Cognome"}, {"A1", "Mario", "Rossi"}} << QList<int>{2};
        QTest::newRow("separator named on its own first line")
            << "sep=,\r\nNome;Cognome,CAP\r\nA;B,1\r\n"
            << "," << Rows{{"Nome;Cognome", "CAP"}, {"A;B", "1"}} << QList<int>{3};
        QTest::newRow("quotes after text in a field with blanks before it are characters")
            << "a,b\n  x\"y\"\",1\n"
            << "," << Rows{{"a", "b"}, {"  x\"y\"\"", "1"}} << QList<int>{2};
        QTest::newRow("blank before a quoted field") << "a, b\n1, \"2,5\"\n"
                                                     << "," << Rows{{"a", " b"}, {"1", "2,5"}} << QList<int>{2};
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(Rows, rows);
        QFETCH(QList<int>, lines);
        const CsvTable t = CsvTable::parse(text);
        QCOMPARE(QString(t.separator), separator);
        Rows got{t.header};
        QList<int> gotLines;
        for (const CsvTable::Row& r : t.rows) {
            got << r.cells;
            gotLines << r.line;
        }
        QCOMPARE(got, rows);
        QCOMPARE(gotLines, lines);
    }

    void unterminatedQuoteNamesItsLine()
    {
        try {
            CsvTable::parse(QStringLiteral("Nome;Note\nA;ok\nB;\"aperta\nC;x\nD;y\n"));
            QFAIL("an unterminated quote must be refused");
        } catch (const ContactFileError& e) {
            QCOMPARE(e.line(), 3);
            QVERIFY2(e.message().contains(QStringLiteral("riga 3")), qPrintable(e.message()));
        }
    }

    // Rows are read again from the text: any row asked for alone is the one iterating reaches, blank rows and
    // multi-line quoted fields between them.
    void rowAskedForAloneIsTheIteratedOne()
    {
        QString text = QStringLiteral("Nome;Note\n");
        for (int i = 0; i < 300; ++i) {
            text += QStringLiteral("n%1;\"a\nb\"\n").arg(i);
            if (i % 7 == 0)
                text += QStringLiteral(";\n\n");
        }
        const CsvTable t = CsvTable::parse(text);
        QCOMPARE(t.rows.size(), 300);
        qsizetype i = 0;
        for (const CsvTable::Row& row : t.rows) {
            const CsvTable::Row alone = t.rows[i];
            QCOMPARE(alone.cells, row.cells);
            QCOMPARE(alone.line, row.line);
            QCOMPARE(row.cells.value(0), QStringLiteral("n%1").arg(i));
            ++i;
        }
        QCOMPARE(i, 300);
        QCOMPARE(t.rows.value(300).line, 0);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("city");
        QTest::newRow("windows-1252") << QByteArray("Citt\xe0\nForl\xec \x80\n") << QStringLiteral("Forlì €");
        QTest::newRow("UTF-8") << QByteArray("Citt\xc3\xa0\nForl\xc3\xac \xe2\x82\xac\n") << QStringLiteral("Forlì €");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf"
                                                      "Citt\xc3\xa0\nForl\xc3\xac\n")
                                        << QStringLiteral("Forlì");
        QTest::newRow("UTF-16 with BOM") << QByteArray("\xff\xfe"
                                                       "C\0i\0t\0t\0\xe0\0\n\0F\0o\0r\0l\0\xec\0\n\0",
                                                       28)
                                         << QStringLiteral("Forlì");
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, city);
        const ContactFile f = ContactFile::parse(bytes);
        QCOMPARE(f.table().header, QStringList{QStringLiteral("Città")});
        QCOMPARE(f.guessedColumns().value(0).field, CsvContacts::Field::City);
        QCOMPARE(f.table().rows.value(0).cells, QStringList{city});
    }

    void binaryFileIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(ContactFileError, ContactFile::parse(QByteArray("PK\x03\x04\0\0\x08\0", 8)));
    }

    void headerNames_data()
    {
        using F = CsvContacts::Field;
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("group");
        const struct
        {
            const char* header;
            F field;
        } plain[] = {
            {"Nome", F::GivenName},
            {"COGNOME", F::FamilyName},
            {"Nome completo", F::FullName},
            {"Ragione Sociale", F::Organisation},
            {"Name", F::FullName},
            {"First Name", F::GivenName},
            {"Last Name", F::FamilyName},
            {"Given Name", F::GivenName},
            {"Family Name", F::FamilyName},
            {"Organization", F::Organisation},
            {"Company", F::Organisation},
            {"Indirizzo", F::Street},
            {"Via", F::Street},
            {"Street", F::Street},
            {"Address", F::Street},
            {"Address Line 1", F::Street},
            {"Address Line 2", F::Street},
            {"CAP", F::PostalCode},
            {"ZIP", F::PostalCode},
            {"Postal Code", F::PostalCode},
            {"Città", F::City},
            {"CITTÀ", F::City},
            {"Comune", F::City},
            {"Località", F::City},
            {"City", F::City},
            {"Provincia", F::Province},
            {"Prov.", F::Province},
            {"Region", F::Province},
            {"State", F::Province},
            {"Paese", F::Country},
            {"Nazione", F::Country},
            {"Country", F::Country},
            {"Note", F::Notes},
            {"Notes", F::Notes},
            {"Tipo", F::Type},
            {"Categoria", F::Type},
            {"Category", F::Type},
            {"Group Membership", F::Type},
            {"Labels", F::Type},
            {" nome etichetta: ", F::CardName},
            {"Indirizzo (rigo 1)", F::Line1},
            {"Indirizzo (rigo 6)", F::Line6},
            {"E-mail Address", F::None},
            {"Telefono", F::None},
            {"Organization 1 - Title", F::None},
            {"Organization 1 - Name", F::Organisation},
        };
        for (const auto& p : plain)
            QTest::newRow(p.header) << p.header << int(p.field) << 0;
        QTest::newRow("Address 1 - Street") << "Address 1 - Street" << int(F::Street) << 101;
        QTest::newRow("Address 2 - Postal Code") << "Address 2 - Postal Code" << int(F::PostalCode) << 102;
        QTest::newRow("Address 2 - Type") << "Address 2 - Type" << int(F::AddressKind) << 102;
        QTest::newRow("Business Street 2") << "Business Street 2" << int(F::Street) << 1;
        QTest::newRow("Home ZipCode") << "Home ZipCode" << int(F::PostalCode) << 2;
        QTest::newRow("Home Phone") << "Home Phone" << int(F::None) << 0;
        QTest::newRow("Via (uff.) 2") << "Via (uff.) 2" << int(F::Street) << 1;
        QTest::newRow("Città (ab.)") << "Città (ab.)" << int(F::City) << 2;
        QTest::newRow("Indirizzo di casa") << "Indirizzo di casa" << int(F::Street) << 2;
    }
    void headerNames()
    {
        QFETCH(QString, header);
        QFETCH(int, field);
        QFETCH(int, group);
        const CsvContacts::Column c = CsvContacts::guess(header);
        QCOMPARE(int(c.field), field);
        QCOMPARE(c.group, group);
    }

    void firstRowIsAHeader_data()
    {
        QTest::addColumn<QByteArray>("firstRow");
        QTest::addColumn<bool>("header");
        QTest::newRow("known names") << QByteArray("Cognome;Nome;Indirizzo;Città") << true;
        QTest::newRow("one known name and others unknown") << QByteArray("Nome;Telefono;Email;Cellulare") << true;
        QTest::newRow("one known name alone") << QByteArray("Nome") << true;
        QTest::newRow("many unknown names with figures")
            << QByteArray("Name,Given Name,Phone 1 - Type,Phone 1 - Value,Address 1 - Street") << true;
        QTest::newRow("a data row whose type is a column's name")
            << QByteArray("Rossi Mario;Azienda;Mario Rossi;Via Roma 1;00100 Roma RM") << false;
        QTest::newRow("a data row ending in a note") << QByteArray("Neri Ada;Via Po 2;10100 Torino TO;nota") << false;
        QTest::newRow("no known name") << QByteArray("Rossi;Mario;Torino") << false;
    }

    void firstRowIsAHeader()
    {
        QFETCH(QByteArray, firstRow);
        QFETCH(bool, header);
        const ContactFile f = ContactFile::parse(firstRow + "\nRossi;Via Po 1;Torino\n");
        QCOMPARE(f.firstRowLooksLikeHeader(), header);
        QCOMPARE(f.firstRowIsData(), !header);
    }

    void chosenColumnsDecide()
    {
        // A sheet without known headers: the user says it has one, and what each column is.
        ContactFile f = ContactFile::parse("A;B;C\nRossi;Via Po 1;Torino\n");
        QVERIFY(!f.firstRowLooksLikeHeader());
        f.setFirstRowIsData(false);
        using F = CsvContacts::Field;
        QCOMPARE(f.contacts().value(0).familyName, QString());
        const QList<Contact> cs = f.contacts({{F::FamilyName, 0}, {F::Street, 0}, {F::City, 0}});
        QCOMPARE(cs.value(0).familyName, QStringLiteral("Rossi"));
        QCOMPARE(cs.value(0).addresses.value(0).streetLines, QStringList{QStringLiteral("Via Po 1")});
        QCOMPARE(cs.value(0).addresses.value(0).city, QStringLiteral("Torino"));
    }
};

QTEST_GUILESS_MAIN(TestCsvTable)
#include "test_csv_table.moc"
