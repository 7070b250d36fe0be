#include "addresses/address_list_line.h"
#include "common/text.h"

#include <QFileInfo>
#include <QTest>

namespace {

AddressCard card(const QString& nome, const QString& tipo = QString(), const QString& note = QString(),
                 const QString& rigo01 = QString())
{
    AddressCard c;
    c.setValue(AddressCard::Nome, nome);
    c.setValue(AddressCard::Tipo, tipo);
    c.setValue(AddressCard::Note, note);
    c.setValue(AddressCard::Rigo01, rigo01);
    return c;
}

} // namespace

class TestAddressListLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void line_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("expected");

        const QString name45 = QStringLiteral("Studio Associato Avvocati Bianchi e Verdi Srl"); // 45 characters
        const QString type30 = QStringLiteral("Fornitore materiale d'ufficio"); // 29 characters; with an X, 30
        QTest::newRow("padded fields, note whole")
            << "Mario Rossi"
            << "Cliente"
            << "chiamare prima"
            << QStringLiteral("Mario Rossi%1  Tipo: Cliente%2  Note: chiamare prima")
                   .arg(QString(29, u' '), QString(21, u' '));
        QTest::newRow("name cut at 40, type cut at 28")
            << name45 << type30 + "X"
            << "" << name45.left(40) + "  Tipo: " + type30.left(28) + "  Note: ";
        QTest::newRow("fields trimmed first")
            << "  Anna\t"
            << " Amica "
            << " nota \r\n"
            << QStringLiteral("Anna%1  Tipo: Amica%2  Note: nota").arg(QString(36, u' '), QString(23, u' '));
        QTest::newRow("empty type and note")
            << "Ufficio"
            << ""
            << ""
            << "Ufficio" + QString(33, u' ') + "  Tipo: " + QString(28, u' ') + "  Note: ";
        QTest::newRow("accented letters and the euro sign")
            << QStringLiteral("Caffè Più") << QStringLiteral("€uro") << QStringLiteral("ß")
            << QStringLiteral("Caffè Più%1  Tipo: €uro%2  Note: ß").arg(QString(31, u' '), QString(24, u' '));
    }
    void line()
    {
        QFETCH(QString, nome);
        QFETCH(QString, tipo);
        QFETCH(QString, note);
        QFETCH(QString, expected);
        const QString got = AddressList::line(card(nome, tipo, note));
        QCOMPARE(got, expected);
        QVERIFY(got.size() >= 84);
        // The finder's list is built from the stored card by the same builder.
        QTemporaryDir dir;
        AddressCardFile(dir.path()).append(card(nome, tipo, note));
        const QList<ListEntry> listed = AddressList::load(dir.path());
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].line, expected);
    }

    void onlyNamedCardsAreListed()
    {
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            file.append(card(""));
            file.append(card(" \t ", "Cliente", "nota"));
            file.append(card("Rossi"));
        }
        const QList<ListEntry> entries = AddressList::load(dir.path());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].cardNumber, 3);
    }

    void loadListsNamedCardsSortedWithTheirNumbers()
    {
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            file.append(card("rossi", "b"));
            file.append(card("   ", "senza nome"));
            file.append(card("Èlite"));
            file.append(card("Bianchi"));
            file.append(card("ROSSI", "a"));
        }
        const QList<ListEntry> entries = AddressList::load(dir.path());
        QList<int> numbers;
        for (const ListEntry& e : entries)
            numbers.append(e.cardNumber);
        // Bianchi; the two Rossi ordered by type (the padded name is equal); the accented capital last.
        QCOMPARE(numbers, (QList<int>{4, 5, 1, 3}));
        QCOMPARE(entries[0].line, AddressList::line(card("Bianchi")));
    }

    void loadReadsEveryCardOfALargeArchive()
    {
        // More cards than one read block holds, so the block boundaries are crossed.
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            for (int i = 1; i <= 700; ++i)
                file.append(card(QStringLiteral("C%1").arg(i, 4, 10, QChar(u'0')), QString(), QString::number(i)));
        }
        const QList<ListEntry> entries = AddressList::load(dir.path());
        QCOMPARE(entries.size(), 700);
        for (int i = 0; i < 700; ++i) {
            QCOMPARE(entries[i].cardNumber, i + 1);
            QVERIFY(entries[i].line.endsWith(QStringLiteral("  Note: %1").arg(i + 1)));
        }
    }

    void loadCreatesAMissingArchive()
    {
        QTemporaryDir dir;
        const QList<ListEntry> entries = AddressList::load(dir.path());
        QVERIFY(entries.isEmpty());
        QVERIFY(QFileInfo::exists(dir.filePath(AddressCardFile::kFileName)));
    }

    void loadFailureThrowsAndKeepsNothingBroken()
    {
        QTemporaryDir dir;
        // A folder where the archive should be: the archive cannot be opened.
        QVERIFY(QDir(dir.path()).mkdir(AddressCardFile::kFileName));
        QList<ListEntry> entries;
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, entries = AddressList::load(dir.path()));
        QVERIFY(entries.isEmpty());
    }

    void theLastCardWithTheLineIsTheOneMeant()
    {
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            file.append(card("Rossi", "Cliente", "", "Via Roma 1"));
            file.append(card("Verdi"));
            file.append(card("Rossi", "Cliente", "", "Via Milano 2"));
            // Same first 40 characters of the name: the same line.
            file.append(card(QString(40, u'N') + "uno"));
            file.append(card(QString(40, u'N') + "due"));
        }
        const auto rossi = AddressList::lastCardWithLine(dir.path(), AddressList::line(card("Rossi", "Cliente")));
        QVERIFY(rossi.has_value());
        QCOMPARE(rossi->number, 3);
        QCOMPARE(rossi->card.value(AddressCard::Rigo01), QStringLiteral("Via Milano 2"));
        // The list shows the line untrimmed; the comparison trims both sides.
        const auto cut =
            AddressList::lastCardWithLine(dir.path(), Text::trimmed(AddressList::line(card(QString(40, u'N')))));
        QVERIFY(cut.has_value());
        QCOMPARE(cut->number, 5);
        QVERIFY(!AddressList::lastCardWithLine(dir.path(), QStringLiteral("Bianchi")).has_value());
    }
};

QTEST_GUILESS_MAIN(TestAddressListLine)
#include "test_address_list_line.moc"
