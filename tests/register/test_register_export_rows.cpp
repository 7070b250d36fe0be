#include "register/register_export_rows.h"
#include "register/register_journal.h"
#include "register/register_year_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

namespace {

RegisterCard card(const QString& numero, const QString& dataReg)
{
    RegisterCard c;
    for (int f = 0; f < RegisterCard::fieldCount(); ++f)
        c.setValue(f, QStringLiteral("%1 %2").arg(QLatin1String(RegisterCard::fields()[f].name), numero));
    c.setValue(RegisterCard::Numero, numero);
    c.setValue(RegisterCard::DataReg, dataReg);
    return c;
}

QStringList column(const ExportGridRows& rows, int c)
{
    QStringList out;
    for (const QStringList& row : rows)
        out.append(row.value(c));
    return out;
}

} // namespace

class TestRegisterExportRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columns()
    {
        const QList<SpreadsheetColumn> cols = ExportGrid::exportColumns(RegisterExport::gridColumns());
        QCOMPARE(cols.size(), 19);
        QStringList titles;
        QList<int> widths;
        for (const SpreadsheetColumn& c : cols) {
            titles.append(c.title);
            widths.append(c.width);
        }
        QCOMPARE(titles, (QStringList{"N. protocollo", "Tipologia posta", "Data registrazione", "Ufficio", "Operatore",
                                      "Categoria", "Collocazione documento cartaceo", "Oggetto", "Data spedizione",
                                      "Data ricezione", "Formato", "N. pagine", "Riferimenti", "Note", "Mittente",
                                      "Recapito mittente", "Destinatario", "Recapito destinatario", "Annullamento"}));
        QCOMPARE(widths, (QList<int>{200, 250, 200, 250, 250, 250, 300, 300, 200, 200, 250, 200, 300, 300, 250, 250,
                                     250, 250, 300}));
    }

    void wholeYear()
    {
        QTemporaryDir dir;
        const QString path = yearWith(dir, {card("1", "02/01/2024"), card("2/2024", "03/01/2024")});
        const ExportGridRows rows = RegisterExport::loadYear(path);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].size(), 20);
        QCOMPARE(rows[1].mid(0, 5), (QStringList{"2", "2/2024", "Tipologia 2/2024", "03/01/2024", "Ufficio 2/2024"}));
        QCOMPARE(rows[1].at(18), QStringLiteral("RecapitoDes 2/2024"));
        QCOMPARE(rows[1].last(), QString());
        // The digital copy and the attachments are not in the grid.
        QVERIFY(!rows[0].join(u'|').contains("Copia") && !rows[0].join(u'|').contains("File01"));
    }

    // An annulled card keeps its row and its data; its last column says when, by whom and why, in both grids.
    void anAnnulledCardIsMarked()
    {
        QTemporaryDir dir;
        const QString path = yearWith(dir, {card("1", "02/01/2024"), card("2", "03/01/2024")});
        {
            RawRecordFile file(path, RegisterCard::recordSize());
            RegisterJournalWriter(file, {QStringLiteral("mario"), JournalAuthor::kBatchTool,
                                         QDateTime::fromString(QStringLiteral("2024-01-04T10:15:00+01:00"), Qt::ISODate)})
                .annulCard(2, QStringLiteral("registrata due volte"));
        }
        const QString expected = QStringLiteral("annullata il 04/01/2024 alle 10:15 da mario: registrata due volte");
        const ExportGridRows year = RegisterExport::loadYear(path);
        QCOMPARE(column(year, 19), (QStringList{QString(), expected}));
        QCOMPARE(year[1].at(1), QStringLiteral("2"));
        const auto interval = RegisterExport::loadInterval(path, QDate(2024, 1, 3), QDate(2024, 1, 3));
        QVERIFY(interval);
        QCOMPARE(interval->rows.size(), 1);
        QCOMPARE(interval->rows[0].last(), expected);
    }

    void anEmptyYearKeepsTheRowsAndCreatesTheFile()
    {
        QTemporaryDir dir;
        const QString path = RegisterYear::filePath(dir.path(), "2025");
        // Nothing loaded, so the grid keeps its rows.
        QVERIFY(RegisterExport::loadYear(path).isEmpty());
        QVERIFY(!RegisterExport::loadInterval(path, QDate(2025, 1, 1), QDate(2025, 12, 31)).has_value());
        QVERIFY(QFile::exists(path));
    }

    void interval_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("March, both ends included")
            << QDate(2024, 3, 1) << QDate(2024, 3, 31) << QStringList{"2", "4", "5"};
        QTest::newRow("one day") << QDate(2024, 2, 29) << QDate(2024, 2, 29) << QStringList{"1"};
        QTest::newRow("no card in the interval") << QDate(2024, 6, 1) << QDate(2024, 6, 30) << QStringList();
        QTest::newRow("the whole year") << QDate(2024, 1, 1) << QDate(2024, 12, 31)
                                        << QStringList{"1", "2", "4", "5", "6"};
    }
    void interval()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QStringList, numbers);
        QTemporaryDir dir;
        const QString path = yearWith(dir, {card("1", "29/02/2024"), card("2", "01/03/2024"), card("3", "rovinata"),
                                            card("4", "31/03/2024"), card("5", "5/3/2024"), card("6", "01/04/2024"),
                                            card("7", ""), card("", "31/02/2024")});
        const std::optional<RegisterExport::IntervalRows> taken = RegisterExport::loadInterval(path, start, end);
        QVERIFY(taken.has_value()); // the year holds cards: the grid takes the result, even an empty one
        const ExportGridRows rows = taken->rows;
        QCOMPARE(column(rows, 1), numbers);
        QStringList rowNumbers;
        for (int i = 1; i <= numbers.size(); ++i)
            rowNumbers.append(QString::number(i));
        QCOMPARE(column(rows, 0), rowNumbers);
        // The cards without a date belong to no interval, and are named whatever the interval.
        QCOMPARE(taken->undated.size(), 3);
        const QList<std::pair<int, QString>> expected = {{3, "3"}, {7, "7"}, {8, ""}};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(taken->undated[i].position, expected[i].first);
            QCOMPARE(taken->undated[i].number, expected[i].second);
        }
    }

    void undatedMessage_data()
    {
        QTest::addColumn<QStringList>("numbers"); // of the cards left out, at positions 1, 2, ...; empty: no number
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("one") << QStringList{"17/2026"} << "1 scheda con data non valida non inclusa: n. 17/2026";
        QTest::newRow("two") << QStringList{"17/2026", "18/2026"}
                             << "2 schede con data non valida non incluse: n. 17/2026, 18/2026";
        QTest::newRow("one without a number")
            << QStringList{""} << "1 scheda con data non valida non inclusa: scheda 1 senza numero";
        QTest::newRow("with and without numbers")
            << QStringList{"", "17/2026", "", "18/2026", ""}
            << "5 schede con data non valida non incluse: n. 17/2026, 18/2026; schede 1, 3, 5 senza numero";
        QStringList many;
        QString named;
        for (int i = 1; i <= 20; ++i) {
            many.append(QString::number(i));
            named += (i == 1 ? "n. " : ", ") + QString::number(i);
        }
        QTest::newRow("twenty named") << many << "20 schede con data non valida non incluse: " + named;
        QTest::newRow("one more than named")
            << many + QStringList{"21"} << "21 schede con data non valida non incluse: " + named + " e un'altra";
        QTest::newRow("many more than named") << many + QStringList{"21", "22", "23", "", ""}
                                              << "25 schede con data non valida non incluse: " + named + " e altre 5";
    }
    void undatedMessage()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QString, message);
        QList<RegisterExport::UndatedCard> undated;
        for (int i = 0; i < numbers.size(); ++i)
            undated.append({i + 1, numbers[i]});
        QCOMPARE(RegisterExport::undatedMessage(undated), message);
    }

    void anUnreadableYearThrows()
    {
        QTemporaryDir dir;
        const QString path = RegisterYear::filePath(dir.path(), "2024");
        QVERIFY(QDir(dir.path()).mkdir("2024.prt"));
        ExportGridRows rows = ExportGrid::emptyRows(20);
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, rows = RegisterExport::loadYear(path));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError,
                                 rows = RegisterExport::loadInterval(path, QDate(2024, 1, 1), QDate(2024, 2, 1))->rows);
        QCOMPARE(rows, ExportGrid::emptyRows(20));
    }
};

QTEST_GUILESS_MAIN(TestRegisterExportRows)
#include "test_register_export_rows.moc"
