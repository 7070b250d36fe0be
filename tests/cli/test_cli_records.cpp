#include "support/test_support.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTest>

using namespace std::string_literals; // u"..."s keeps a NUL inside

namespace {

// A record built by hand from offsets, independent of the program's record code.
void putField(QByteArray& record, int offset, const QByteArray& ansiText)
{
    record[offset] = char(ansiText.size());
    for (int i = 0; i < ansiText.size(); ++i)
        record[offset + 1 + i] = ansiText[i];
}

QList<QJsonObject> parseLines(const QByteArray& out)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty())
            objects.append(QJsonDocument::fromJson(line).object());
    return objects;
}

} // namespace

class TestCliRecords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dumpsARecordWrittenElsewhere()
    {
        TestContext t;
        QByteArray card(3765, 'G'); // garbage after each text must be ignored
        for (int f = 0; f < 15; ++f)
            card[f * 251] = 0;
        putField(card, 0, "Caff\xE8 \x80 Rossi");
        putField(card, 251, "  cliente  ");
        putField(card, 1757, "20100 Milano");
        putField(card, 3514, "ultimo");
        QVERIFY(writeFileBytes(t.path(QStringLiteral("Archivio_Indirizzi.pro")), card + card.left(100)));

        const CliResult r = runCli(t.dir.path(), {QStringLiteral("dump"), QStringLiteral("addresses")});
        QCOMPARE(r.exitCode, 0);
        const QList<QJsonObject> objects = parseLines(r.out);
        QCOMPARE(objects.size(), 1);
        const QJsonObject o = objects[0];
        QCOMPARE(o.size(), 15);
        QCOMPARE(o[QStringLiteral("Nome")].toString(), QStringLiteral("Caffè € Rossi"));
        QCOMPARE(o[QStringLiteral("Tipo")].toString(), QStringLiteral("cliente"));
        QCOMPARE(o[QStringLiteral("Rigo06")].toString(), QStringLiteral("20100 Milano"));
        QCOMPARE(o[QStringLiteral("Desc03")].toString(), QStringLiteral("ultimo"));
        QCOMPARE(o[QStringLiteral("Note")].toString(), QString());
        // Keys come in field order.
        QVERIFY(r.out.startsWith("{\"Nome\":"));
    }

    void appendThenDumpRoundTrips_data()
    {
        QTest::addColumn<QStringList>("archive");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("required"); // what every record of the archive must hold
        QTest::newRow("addresses") << QStringList{QStringLiteral("addresses")} << "Archivio_Indirizzi.pro"
                                   << "Rigo02" << 753 << QByteArray();
        QTest::newRow("labels") << QStringList{QStringLiteral("labels")} << "Archivio_Etichette.pro"
                                << "Rigo01_E24" << 40662 << QByteArray();
        QTest::newRow("register") << QStringList{QStringLiteral("register"), QStringLiteral("2024")} << "2024.prt"
                                  << "Oggetto" << 323 << QByteArray("\"Tipologia\":\"Interna\"");
    }
    void appendThenDumpRoundTrips()
    {
        QFETCH(QStringList, archive);
        QFETCH(QString, file);
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(QByteArray, required);
        TestContext t;
        const auto object = [&required](const QByteArray& pair) {
            return "{" + pair + (pair.isEmpty() || required.isEmpty() ? "" : ",") + required + "}\n";
        };
        const QByteArray input = object("\"" + field.toUtf8() +
                                        "\":\"  \xE2\x80\x9C"
                                        "citato\xE2\x80\x9D \xCE\xB1 \"") +
                                 "\n" + object(QByteArray());
        // Without --accept-lossy the Greek letter stops the whole batch, naming its line, field and character.
        CliResult r = runCli(t.dir.path(), QStringList{QStringLiteral("append")} + archive, input);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("Riga 1: il campo " + field.toUtf8() + " contiene caratteri che l'archivio non può "
                                "conservare: «α» (U+03B1)"),
                 r.err.constData());
        QVERIFY(!QFile::exists(t.path(file)));

        r = runCli(t.dir.path(), QStringList{QStringLiteral("append")} + archive + QStringList{"--accept-lossy"},
                   input);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("1\n2\n"));
        QVERIFY2(r.err.contains("«α» (U+03B1) (salvati come «?»)"), r.err.constData());
        const QByteArray bytes = readFileBytes(t.path(file));
        // Trimmed, curly quotes in windows-1252, the Greek letter as '?'.
        QCOMPARE(bytes.mid(offset, 11), QByteArray("\x0A\x93"
                                                   "citato\x94 ?"));

        r = runCli(t.dir.path(), QStringList{QStringLiteral("dump")} + archive);
        QCOMPARE(r.exitCode, 0);
        const QList<QJsonObject> objects = parseLines(r.out);
        QCOMPARE(objects.size(), 2);
        QCOMPARE(objects[0][field].toString(), QStringLiteral("“citato” ?"));
        QCOMPARE(objects[1][field].toString(), QString());
    }

    void writeOverwritesOneRecord()
    {
        TestContext t;
        QByteArray lines;
        for (int i = 1; i <= 5; ++i)
            lines += "{\"Nome\":\"scheda " + QByteArray::number(i) + "\"}\n";
        QCOMPARE(runCli(t.dir.path(), {QStringLiteral("append"), QStringLiteral("addresses")}, lines).exitCode, 0);
        const QString path = t.path(QStringLiteral("Archivio_Indirizzi.pro"));
        const QByteArray before = readFileBytes(path);
        const CliResult r =
            runCli(t.dir.path(), {QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("3")},
                   "{\"Nome\":\"nuova\",\"Note\":\"n\"}");
        QCOMPARE(r.exitCode, 0);
        const QByteArray after = readFileBytes(path);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(2 * 3765), before.left(2 * 3765));
        QCOMPARE(after.mid(3 * 3765), before.mid(3 * 3765));
        QCOMPARE(parseLines(runCli(t.dir.path(), {QStringLiteral("dump"), QStringLiteral("addresses")})
                                .out)[2][QStringLiteral("Nome")]
                     .toString(),
                 QStringLiteral("nuova"));

        // A name in Cyrillic is refused as a whole, not written as question marks; a Czech letter becomes its base.
        const CliResult lossy = runCli(t.dir.path(), {"write", "addresses", "3"}, "{\"Nome\":\"Дмитрий Dvořák\"}");
        QCOMPARE(lossy.exitCode, 2);
        QVERIFY2(lossy.err.contains("«Д» (U+0414), «м» (U+043C)"), lossy.err.constData());
        QVERIFY(!lossy.err.contains("U+0159")); // ř has a base letter the archive keeps
        QCOMPARE(readFileBytes(path), after);
        QCOMPARE(runCli(t.dir.path(), {"write", "addresses", "3"}, "{\"Nome\":\"Dvořák\"}").exitCode, 0);
        QCOMPARE(parseLines(runCli(t.dir.path(), {"dump", "addresses"}).out)[2][QStringLiteral("Nome")].toString(),
                 QStringLiteral("Dvorák"));
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        const QStringList append{QStringLiteral("append"), QStringLiteral("addresses")};
        QTest::newRow("bad json on the second line") << append << QByteArray("{\"Nome\":\"a\"}\n{\"Nome\":") << 2;
        QTest::newRow("unknown field") << append << QByteArray("{\"Nome\":\"a\",\"Colore\":\"b\"}") << 2;
        QTest::newRow("field of another archive") << append << QByteArray("{\"Numero\":\"1\"}") << 2;
        QTest::newRow("not a text") << append << QByteArray("{\"Nome\":12}") << 2;
        QTest::newRow("not an object") << append << QByteArray("[\"a\"]") << 2;
        QTest::newRow("year of two digits")
            << QStringList{QStringLiteral("append"), QStringLiteral("register"), QStringLiteral("24")}
            << QByteArray("{}") << 2;
        QTest::newRow("year that is a path")
            << QStringList{QStringLiteral("dump"), QStringLiteral("register"), QStringLiteral("../20")} << QByteArray()
            << 2;
        QTest::newRow("unknown archive") << QStringList{QStringLiteral("dump"), QStringLiteral("clients")}
                                         << QByteArray() << 2;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("erase")} << QByteArray() << 2;
        QTest::newRow("record 0") << QStringList{QStringLiteral("write"), QStringLiteral("addresses"),
                                                 QStringLiteral("0")}
                                  << QByteArray("{}") << 2;
        QTest::newRow("record after the last")
            << QStringList{QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("3")}
            << QByteArray("{}") << 2;
        QTest::newRow("record number not a number")
            << QStringList{QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("x")}
            << QByteArray("{}") << 2;
        QTest::newRow("two objects for write")
            << QStringList{QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("1")}
            << QByteArray("{}\n{}") << 2;
        QTest::newRow("a key twice") << append << QByteArray("{\"Nome\":\"a\",\"Tipo\":\"b\",\"Nome\":\"c\"}") << 2;
        QTest::newRow("a key twice, once escaped")
            << append << QByteArray("{\"N\\u006fme\":\"a\",\"Nome\":\"c\"}") << 2;
        QTest::newRow("a key twice in write")
            << QStringList{QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("1")}
            << QByteArray("{\"Note\":\"a\",\"Note\":\"a\"}") << 2;
        QTest::newRow("a good line, then a key twice")
            << append << QByteArray("{\"Nome\":\"a\"}\n{\"Nome\":\"a\",\"Nome\":\"a\"}\n") << 2;
        QTest::newRow("password with a tab")
            << QStringList{QStringLiteral("password"), QStringLiteral("set")} << QByteArray("due\tparole\n") << 2;
        QTest::newRow("password with a NUL")
            << QStringList{QStringLiteral("password"), QStringLiteral("set")} << QByteArray("nul\0x\n", 6) << 2;
        QTest::newRow("password ending in a stray CR")
            << QStringList{QStringLiteral("password"), QStringLiteral("set")} << QByteArray("segreta\r\r\n") << 2;
        QTest::newRow("password with a sign outside the code page")
            << QStringList{QStringLiteral("password"), QStringLiteral("set")} << QByteArray("prezzo\xE2\x82\xAC\n")
            << 2;
    }
    void badInputWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {QStringLiteral("append"), QStringLiteral("addresses")},
                        "{\"Nome\":\"uno\"}\n{\"Nome\":\"due\"}")
                     .exitCode,
                 0);
        const QStringList before = QDir(t.dir.path()).entryList(QDir::Files);
        const QByteArray archive = readFileBytes(t.path(QStringLiteral("Archivio_Indirizzi.pro")));
        const CliResult r = runCli(t.dir.path(), args, input);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files), before);
        QCOMPARE(readFileBytes(t.path(QStringLiteral("Archivio_Indirizzi.pro"))), archive);
    }

    // Whatever the input holds, a message echoes at most 80 characters of it.
    void echoedInputIsCut_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        const QByteArray longKey(1 << 20, 'k');
        const QStringList append{QStringLiteral("append"), QStringLiteral("addresses")};
        QTest::newRow("unknown key of a megabyte") << append << "{\"" + longKey + "\":\"x\"}";
        QTest::newRow("a key of a megabyte twice") << append << "{\"" + longKey + "\":\"x\",\"" + longKey + "\":\"y\"}";
        QTest::newRow("bad JSON of a megabyte") << append << "{\"" + longKey;
        QTest::newRow("registration date of a megabyte")
            << QStringList{QStringLiteral("append"), QStringLiteral("register"), QStringLiteral("2024")}
            << "{\"Tipologia\":\"Interna\",\"DataReg\":\"" + longKey + "\"}";
        QTest::newRow("unknown archive") << QStringList{QStringLiteral("dump"), QString(5000, u'k')} << QByteArray();
        QTest::newRow("unknown command") << QStringList{QString(5000, u'k')} << QByteArray();
        QTest::newRow("record number") << QStringList{QStringLiteral("write"), QStringLiteral("labels"),
                                                      QString(5000, u'k')}
                                       << QByteArray("{}");
        QTest::newRow("extra argument") << QStringList{QStringLiteral("dump"), QStringLiteral("labels"),
                                                       QString(5000, u'k')}
                                        << QByteArray();
        QTest::newRow("pdf card number") << QStringList{QStringLiteral("pdf"), QStringLiteral("envelope"),
                                                        QString(5000, u'k'), QStringLiteral("x.pdf")}
                                         << QByteArray();
    }
    void echoedInputIsCut()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        TestContext t;
        const CliResult r = runCli(t.dir.path(), args, input);
        QCOMPARE(r.exitCode, 2);
        // The message quotes the start of the input, and no more than 80 characters of it.
        const QByteArray firstLine = r.err.left(r.err.indexOf('\n'));
        QVERIFY2(firstLine.count('k') >= 70 && firstLine.count('k') <= 80, firstLine.left(300).constData());
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files), QStringList());
    }

    // Every byte a record may hold survives a dump and a write of the dump: reading and saving changes nothing.
    void dumpThenWriteKeepsEveryByte()
    {
        TestContext t;
        QByteArray card(3765, '\0');
        // All 256 byte values spread over the fields, each inside a text (the ends are trimmed by design).
        int b = 0;
        for (int f = 0; f < 15 && b < 256; ++f) {
            QByteArray text = "<";
            for (int i = 0; i < 40 && b < 256; ++i)
                text += char(b++);
            text += '>';
            card[f * 251] = char(text.size());
            for (int i = 0; i < text.size(); ++i)
                card[f * 251 + 1 + i] = text[i];
        }
        const QString path = t.path(QStringLiteral("Archivio_Indirizzi.pro"));
        QVERIFY(writeFileBytes(path, card));
        const CliResult dump = runCli(t.dir.path(), {QStringLiteral("dump"), QStringLiteral("addresses")});
        QCOMPARE(dump.exitCode, 0);
        QVERIFY(writeFileBytes(path, QByteArray(3765, 'x')));
        const CliResult write =
            runCli(t.dir.path(), {QStringLiteral("write"), QStringLiteral("addresses"), QStringLiteral("1")}, dump.out);
        QVERIFY2(write.exitCode == 0, write.err.constData());
        QCOMPARE(readFileBytes(path), card);
    }

    // A text cut at its field's width just after a NUL (found by fuzzing) stored a length that counted the NUL,
    // which no reader shows: the dump then stored other bytes. NULs inside a text are kept.
    void nulInATextSurvivesAppendDumpAppend()
    {
        TestContext t;
        const QStringList args = {QStringLiteral("register"), QStringLiteral("2024")};
        const QByteArray input = "{\"Pagine\":\"01/03/20245\\u00004\",\"Tipologia\":\"Interna\"}\n"
                                 "{\"Oggetto\":\"a\\u0000b\",\"Tipologia\":\"Interna\"}\n";
        QCOMPARE(runCli(t.dir.path(), QStringList{QStringLiteral("append")} + args, input).exitCode, 0);
        const CliResult dump = runCli(t.dir.path(), QStringList{QStringLiteral("dump")} + args);
        QCOMPARE(dump.exitCode, 0);
        const QList<QJsonObject> objects = parseLines(dump.out);
        QCOMPARE(objects.size(), 2);
        QCOMPARE(objects[0][QStringLiteral("Pagine")].toString(), QStringLiteral("01/03/20245"));
        QCOMPARE(objects[1][QStringLiteral("Oggetto")].toString(), QString::fromStdU16String(u"a\u0000b"s));
        const QByteArray stored = readFileBytes(t.path(QStringLiteral("2024.prt")));
        // Into another year's register, where the two numbers are free.
        QCOMPARE(runCli(t.dir.path(), {QStringLiteral("append"), QStringLiteral("register"), QStringLiteral("2025")},
                        dump.out)
                     .exitCode,
                 0);
        QCOMPARE(readFileBytes(t.path(QStringLiteral("2025.prt"))), stored);
    }

    // A register card holds what the register window insists on before it saves; the message names the field, its
    // value and the line of the input, and the archive stays as it was.
    void registerCardsAreCheckedAsTheWindowChecks_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message"); // how it starts
        const QByteArray good = "{\"DataReg\":\"01/03/2024\",\"Tipologia\":\"In entrata\",\"Oggetto\":\"buona\"}\n";
        const auto card = [](const QByteArray& fields) { return "{\"Oggetto\":\"x\"," + fields + "}\n"; };
        const QByteArray entrata = ",\"Tipologia\":\"In entrata\"";
        const struct
        {
            const char* tag;
            const char* command;
            QByteArray input;
            const char* message;
        } rows[] = {
            {"a day the calendar lacks", "append", card("\"DataReg\":\"29/02/2023\"" + entrata),
             "Riga 1: DataReg \"29/02/2023\" "},
            {"the 31st of a short month", "append", card("\"DataReg\":\"31/04/2024\"" + entrata),
             "Riga 1: DataReg \"31/04/2024\" "},
            {"a word", "append", card("\"DataReg\":\"ieri\"" + entrata), "Riga 1: DataReg \"ieri\" "},
            {"a registration date of one-digit day", "append", card("\"DataReg\":\"1/03/2024\"" + entrata),
             "Riga 1: DataReg \"1/03/2024\" "},
            {"a two-digit year", "append", card("\"DataReg\":\"01/03/24\"" + entrata), "Riga 1: DataReg \"01/03/24\" "},
            {"a date the field's width would cut into a valid one", "append",
             card("\"DataReg\":\"01/03/20245\"" + entrata), "Riga 1: DataReg \"01/03/20245\" "},
            {"no mail type", "append", card("\"DataReg\":\"01/03/2024\""), "Riga 1: Tipologia \"\" "},
            {"a mail type in other letters", "append", card("\"Tipologia\":\"in entrata\""),
             "Riga 1: Tipologia \"in entrata\" "},
            {"a mail type cut short", "append", card("\"Tipologia\":\"Uscita\""), "Riga 1: Tipologia \"Uscita\" "},
            {"a dispatch date that is a word", "append", card("\"DataSpe\":\"ieri\"" + entrata),
             "Riga 1: DataSpe \"ieri\" "},
            {"a dispatch date with a two-digit year", "append", card("\"DataSpe\":\"1/3/24\"" + entrata),
             "Riga 1: DataSpe \"1/3/24\" "},
            {"a receipt date the calendar lacks", "append", card("\"DataRic\":\"30/02/2024\"" + entrata),
             "Riga 1: DataRic \"30/02/2024\" "},
            // Blank lines count: the line is the one an editor shows.
            {"a bad card after good ones", "append", good + good + "\n" + card("\"Tipologia\":\"Esterna\""),
             "Riga 4: Tipologia \"Esterna\" "},
            {"write", "write", card("\"DataRic\":\"00/01/2024\"" + entrata), "Riga 1: DataRic \"00/01/2024\" "},
            {"write after blank lines", "write", "\n  \n" + card("\"DataReg\":\"2024-03-01\"" + entrata),
             "Riga 3: DataReg \"2024-03-01\" "},
        };
        for (const auto& row : rows)
            QTest::newRow(row.tag) << QString::fromLatin1(row.command) << row.input << QString::fromUtf8(row.message);
    }
    void registerCardsAreCheckedAsTheWindowChecks()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        TestContext t;
        const QStringList year = {QStringLiteral("register"), QStringLiteral("2024")};
        const QByteArray good = "{\"DataReg\":\"01/03/2024\",\"Tipologia\":\"Interna\",\"Oggetto\":\"prima\"}\n";
        QCOMPARE(runCli(t.dir.path(), QStringList{QStringLiteral("append")} + year, good + good).exitCode, 0);
        const QString path = t.path(QStringLiteral("2024.prt"));
        const QByteArray before = readFileBytes(path);
        const QStringList files = QDir(t.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        QStringList args = QStringList{command} + year;
        if (command == u"write")
            args.append(QStringLiteral("2"));
        const CliResult r = runCli(t.dir.path(), args, input);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith("plicario-cli: " + message.toUtf8()), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1); // the message alone, without the usage text
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readFileBytes(path), before);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
    }

    // What the window would save is stored: an empty registration date is today's, as on a new card on screen, and
    // the other two dates may be empty or take the shapes the summary reads.
    void registerCardsTheWindowWouldSaveAreStored()
    {
        TestContext t;
        const QStringList year = {QStringLiteral("register"), QStringLiteral("2024")};
        const QString dayBefore = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        const QByteArray input = "{\"Tipologia\":\"In entrata\"}\n"
                                 "{\"DataReg\":\" 29/02/2024 \",\"Tipologia\":\"In uscita\",\"DataSpe\":\"1/3/2024\"}\n"
                                 "{\"DataReg\":\"  \",\"Tipologia\":\" Interna\",\"DataSpe\":\"31/12/2024\","
                                 "\"DataRic\":\" 05/01/2025 \"}\n";
        CliResult r = runCli(t.dir.path(), QStringList{QStringLiteral("append")} + year, input);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out, QByteArray("1\n2\n3\n"));
        r = runCli(t.dir.path(),
                   {QStringLiteral("write"), QStringLiteral("register"), QStringLiteral("2024"), QStringLiteral("2")},
                   "{\"Numero\":\"2\",\"DataReg\":\"29/02/2024\",\"Tipologia\":\"Interna\",\"DataRic\":\"2/3/2024\"}");
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QString dayAfter = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

        const QList<QJsonObject> cards =
            parseLines(runCli(t.dir.path(), QStringList{QStringLiteral("dump")} + year).out);
        QCOMPARE(cards.size(), 3);
        const auto value = [&cards](int card, const char* field) {
            return cards[card][QLatin1String(field)].toString();
        };
        for (int card : {0, 2})
            QVERIFY2(value(card, "DataReg") == dayBefore || value(card, "DataReg") == dayAfter,
                     qPrintable(value(card, "DataReg")));
        QCOMPARE(value(0, "Tipologia"), QStringLiteral("In entrata"));
        QCOMPARE(value(1, "DataReg"), QStringLiteral("29/02/2024"));
        QCOMPARE(value(1, "Tipologia"), QStringLiteral("Interna"));
        QCOMPARE(value(1, "DataSpe"), QString());
        QCOMPARE(value(1, "DataRic"), QStringLiteral("2/3/2024"));
        QCOMPARE(value(2, "Tipologia"), QStringLiteral("Interna"));
        QCOMPARE(value(2, "DataRic"), QStringLiteral("05/01/2025"));
    }

    void unreachableArchiveExitsOne()
    {
        TestContext t;
        QVERIFY(QDir(t.dir.path()).mkdir(QStringLiteral("Archivio_Indirizzi.pro")));
        CliResult r = runCli(t.dir.path(), {QStringLiteral("append"), QStringLiteral("addresses")}, "{}");
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("archivio"));
        r = runCli(t.path(QStringLiteral("missing")), {QStringLiteral("dump"), QStringLiteral("addresses")});
        QCOMPARE(r.exitCode, 1);
    }

    void damagedFilesNeverCrash()
    {
        TestContext t;
        // Every length byte claims 255 characters; the tail is a fragment.
        QByteArray sheet(42168, 'x');
        for (int f = 0; f < 168; ++f)
            sheet[f * 251] = char(0xFF);
        QVERIFY(writeFileBytes(t.path(QStringLiteral("Archivio_Etichette.pro")), sheet + QByteArray(5000, '\xFF')));
        const CliResult r = runCli(t.dir.path(), {QStringLiteral("dump"), QStringLiteral("labels")});
        QCOMPARE(r.exitCode, 0);
        const QList<QJsonObject> objects = parseLines(r.out);
        QCOMPARE(objects.size(), 1);
        QCOMPARE(objects[0].size(), 168);
        for (const QString& key : {QStringLiteral("Nome_E01"), QStringLiteral("Rigo06_E24")})
            QCOMPARE(objects[0][key].toString(), QString(250, u'x'));
    }

    void passwordSet()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {QStringLiteral("password"), QStringLiteral("set")}, "  segreta\n").exitCode, 0);
        const QByteArray store = readFileBytes(t.path(QStringLiteral("unins000.dll")));
        QVERIFY(store.startsWith("[Accesso]\r\nValore="));
        QCOMPARE(runCli(t.dir.path(), {QStringLiteral("password"), QStringLiteral("set")}, "   \n").exitCode, 2);
        QCOMPARE(readFileBytes(t.path(QStringLiteral("unins000.dll"))), store);
    }

    void concurrentAppendsLoseNothing()
    {
        TestContext t;
        constexpr int kProcesses = 8;
        constexpr int kPerProcess = 40;
        QList<QProcess*> processes;
        for (int p = 0; p < kProcesses; ++p) {
            // Each process appends one record at a time, so the processes really interleave.
            QByteArray script = "for i in $(seq 1 " + QByteArray::number(kPerProcess) +
                                "); do "
                                "printf '{\"Tipologia\":\"Interna\",\"Oggetto\":\"p" +
                                QByteArray::number(p) +
                                "-%s\","
                                "\"Desc03\":\"p" +
                                QByteArray::number(p) +
                                "-%s\"}\\n' $i $i | \"$0\" --folder \"$1\" "
                                "append register 2024 || exit 1; done";
            auto* process = new QProcess(this);
            process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromUtf8(script),
                                                       QString::fromUtf8(PLICARIO_CLI), t.dir.path()});
            processes.append(process);
        }
        for (QProcess* process : processes) {
            QVERIFY(process->waitForFinished(240000));
            QCOMPARE(process->exitCode(), 0);
        }
        QCOMPARE(QFileInfo(t.path(QStringLiteral("2024.prt"))).size(), qint64(kProcesses * kPerProcess * 3403));
        const QList<QJsonObject> objects = parseLines(
            runCli(t.dir.path(), {QStringLiteral("dump"), QStringLiteral("register"), QStringLiteral("2024")}).out);
        QCOMPARE(objects.size(), kProcesses * kPerProcess);
        QSet<QString> seen;
        QSet<QString> numbers;
        for (const QJsonObject& o : objects) {
            const QString subject = o[QStringLiteral("Oggetto")].toString();
            // Whole: the first and the last field of each record belong together.
            QCOMPARE(o[QStringLiteral("Desc03")].toString(), subject);
            seen.insert(subject);
            numbers.insert(o[QStringLiteral("Numero")].toString());
        }
        QCOMPARE(seen.size(), kProcesses * kPerProcess);
        // Each card took its number under the lock: every number once, none skipped.
        QSet<QString> expected;
        for (int n = 1; n <= kProcesses * kPerProcess; ++n)
            expected.insert(QString::number(n));
        QCOMPARE(numbers, expected);
    }

    // A registered document keeps its number and date; a batch may not reuse a number the register holds.
    void registerNumbersAreGivenOnce_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        const QStringList write = {"write", "register", "2024", "2"};
        QTest::newRow("write with another number")
            << write << QByteArray(R"({"Numero":"9","DataReg":"02/02/2024","Tipologia":"Interna"})") << "campo Numero";
        QTest::newRow("write with another date")
            << write << QByteArray(R"({"Numero":"2","DataReg":"03/02/2024","Tipologia":"Interna"})") << "campo DataReg";
        QTest::newRow("append a number held")
            << QStringList{"append", "register", "2024"} << QByteArray(R"({"Numero":"2","Tipologia":"Interna"})")
            << "numero di protocollo 2 ";
        QTest::newRow("append the same number twice in one batch")
            << QStringList{"append", "register", "2024"}
            << QByteArray("{\"Numero\":\"7\",\"Tipologia\":\"Interna\"}\n"
                          "{\"Numero\":\"7/2024\",\"Tipologia\":\"Interna\"}\n")
            << "Riga 2:";
    }
    void registerNumbersAreGivenOnce()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"},
                        R"({"Numero":"1","DataReg":"01/02/2024","Tipologia":"Interna"})"
                        "\n"
                        R"({"Numero":"2","DataReg":"02/02/2024","Tipologia":"Interna"})")
                     .exitCode,
                 0);
        const QByteArray before = readFileBytes(t.path(QStringLiteral("2024.prt")));
        const CliResult r = runCli(t.dir.path(), args, input);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(readFileBytes(t.path(QStringLiteral("2024.prt"))), before);
        // A correction of any other field is taken.
        QCOMPARE(runCli(t.dir.path(), {"write", "register", "2024", "2"},
                        R"({"Numero":"2","DataReg":"02/02/2024","Tipologia":"Interna","Oggetto":"corretto"})")
                     .exitCode,
                 0);
    }
};

QTEST_GUILESS_MAIN(TestCliRecords)
#include "test_cli_records.moc"
