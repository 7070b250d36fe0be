// Composing label sheets from the address archive: which cards, in which order, from which slot; and storing the
// sheets all or none.
#include "addresses/address_card.h"
#include "labels/label_compose.h"
#include "support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

struct Card
{
    QString nome;
    QString tipo;
    QString rigo01; // the other lines stay empty
};

void writeCards(const QString& folder, const QList<Card>& cards)
{
    AddressCardFile file(folder);
    for (const Card& c : cards) {
        AddressCard card;
        card.setValue(AddressCard::Nome, c.nome);
        card.setValue(AddressCard::Tipo, c.tipo);
        card.setValue(AddressCard::Rigo01, c.rigo01);
        file.append(card);
    }
}

// Where each card landed: "sheet/slot name", sheets from 1.
QStringList placed(const QString& folder, const LabelCompose::Plan& plan)
{
    QStringList out;
    const LabelCompose::Sheets sheets(folder, plan);
    for (int i = 0; i < sheets.count(); ++i) {
        const LabelSheet sheet = sheets.sheet(i);
        for (int slot = 1; slot <= LabelSheet::kSlots; ++slot)
            if (!sheet.name(slot).isEmpty())
                out << QStringLiteral("%1/%2 %3").arg(i + 1).arg(slot).arg(sheet.name(slot));
    }
    return out;
}

QByteArray labelArchive(const QString& folder)
{
    return readFileBytes(QDir(folder).filePath(LabelSheetFile::kFileName));
}

} // namespace

class TestLabelCompose : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void compose_data()
    {
        QTest::addColumn<QList<Card>>("cards");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("firstSlot");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("noAddress");
        QTest::addColumn<int>("noName");

        QList<Card> seven;
        for (const char* n : {"Gamma", "alfa", "Beta", "Eta", "delta", "Zeta", "Epsilon"})
            seven.append({QString::fromLatin1(n), QStringLiteral("cliente"), QStringLiteral("Via Roma 1")});
        // The finder's order: a to z folded, nothing else; file order no matter.
        QTest::newRow("7 cards from slot 20") << seven << QString() << 20
                                              << QStringList{"1/20 alfa",    "1/21 Beta", "1/22 delta", "1/23 Epsilon",
                                                             "1/24 Eta",     "2/1 Gamma", "2/2 Zeta"}
                                              << 0 << 0;
        QTest::newRow("exactly the rest of the first sheet") << seven << QString() << 18
                                                   << QStringList{"1/18 alfa", "1/19 Beta", "1/20 delta",
                                                                  "1/21 Epsilon", "1/22 Eta", "1/23 Gamma",
                                                                  "1/24 Zeta"}
                                                   << 0 << 0;

        const QList<Card> mixed{
            {QStringLiteral("Rossi"), QStringLiteral("Ènte pubblico"), QStringLiteral("Via A")},
            {QStringLiteral("Bianchi"), QStringLiteral("ènte"), QStringLiteral("Via B")},
            {QStringLiteral("Verdi"), QStringLiteral("ENTE"), QStringLiteral("Via C")},
            {QStringLiteral("Neri"), QStringLiteral("Cliente"), QString()}, // six empty lines
            {QString(), QStringLiteral("Ènte"), QStringLiteral("Via D")},   // no name: not in the list
            {QString(), QString(), QString()},                             // an empty record: no card at all
            {QStringLiteral("Gialli"), QStringLiteral("Fornitore Ènte"), QString()},
        };
        // Only A to Z change case: "ÈNTE" folds to "Ènte", which "ènte" does not hold.
        QTest::newRow("tipo with an accented capital")
            << mixed << QStringLiteral("ÈNTE") << 1 << QStringList{"1/1 Rossi"} << 1 << 1;
        QTest::newRow("tipo in small letters") << mixed << QStringLiteral(" ente ") << 1
                                               << QStringList{"1/1 Verdi"} << 1 << 0;
        QTest::newRow("every named card") << mixed << QString() << 1
                                          << QStringList{"1/1 Bianchi", "1/2 Rossi", "1/3 Verdi"} << 2 << 1;
        QTest::newRow("nothing matches") << mixed << QStringLiteral("banca") << 1 << QStringList() << 0 << 0;
    }
    void compose()
    {
        QFETCH(QList<Card>, cards);
        QFETCH(QString, tipo);
        QFETCH(int, firstSlot);
        QFETCH(QStringList, expected);
        QFETCH(int, noAddress);
        QFETCH(int, noName);
        QTemporaryDir dir;
        writeCards(dir.path(), cards);
        const LabelCompose::Plan plan = LabelCompose::plan(dir.path(), {tipo, firstSlot});
        QCOMPARE(placed(dir.path(), plan), expected);
        QCOMPARE(plan.noAddress, noAddress);
        QCOMPARE(plan.noName, noName);
        QCOMPARE(plan.cardCount(), int(expected.size()));
        QCOMPARE(plan.sheetCount(), expected.isEmpty() ? 0 : expected.last().section(u'/', 0, 0).toInt());
    }

    // What the window and the batch tool say about the cards left out.
    void leftOutByReason_data()
    {
        QTest::addColumn<int>("noAddress");
        QTest::addColumn<int>("noName");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << 0 << QString();
        QTest::newRow("one without address") << 1 << 0 << "1 scheda esclusa: 1 senza indirizzo";
        QTest::newRow("one without name") << 0 << 1 << "1 scheda esclusa: 1 senza nome";
        QTest::newRow("both reasons") << 1 << 1 << "2 schede escluse: 1 senza indirizzo, 1 senza nome";
        QTest::newRow("many") << 3 << 2 << "5 schede escluse: 3 senza indirizzo, 2 senza nome";
    }
    void leftOutByReason()
    {
        QFETCH(int, noAddress);
        QFETCH(int, noName);
        QFETCH(QString, text);
        LabelCompose::Plan plan;
        plan.noAddress = noAddress;
        plan.noName = noName;
        QCOMPARE(LabelCompose::leftOutText(plan), text);
    }

    void sheetsCarryNameAndSixLines()
    {
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            AddressCard card;
            card.setValue(AddressCard::Nome, QStringLiteral("Rossi Mario"));
            card.setValue(AddressCard::Note, QStringLiteral("non in etichetta"));
            for (int f = AddressCard::Rigo01; f <= AddressCard::Rigo06; ++f)
                card.setValue(f, QStringLiteral("riga %1").arg(f - AddressCard::Rigo01 + 1));
            file.append(card);
        }
        const LabelCompose::Plan plan = LabelCompose::plan(dir.path(), {QString(), 24});
        const LabelSheet sheet = LabelCompose::Sheets(dir.path(), plan).sheet(0);
        QCOMPARE(sheet.name(24), QStringLiteral("Rossi Mario"));
        for (int line = 1; line <= 6; ++line)
            QCOMPARE(sheet.line(24, line), QStringLiteral("riga %1").arg(line));
        for (int slot = 1; slot < 24; ++slot)
            QVERIFY(sheet.name(slot).isEmpty() && sheet.line(slot, 1).isEmpty());
    }

    void badFirstSlotAndMissingArchive()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(PlicarioError, LabelCompose::plan(dir.path(), {QString(), 0}));
        QVERIFY_THROWS_EXCEPTION(PlicarioError, LabelCompose::plan(dir.path(), {QString(), 25}));
        // No address archive: nothing to compose, and nothing created, not even by storing.
        const LabelCompose::Plan plan = LabelCompose::plan(dir.path(), {});
        QCOMPARE(plan.sheetCount(), 0);
        const LabelCompose::Stored stored = LabelCompose::store(dir.path(), plan);
        QCOMPARE(stored.count, 0);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void storesSheetsAtTheEnd()
    {
        QTemporaryDir dir;
        QList<Card> cards;
        for (int i = 0; i < 30 * 24; ++i)
            cards.append({QStringLiteral("Scheda %1").arg(i, 4, 10, QLatin1Char('0')), QString(), QStringLiteral("Via")});
        writeCards(dir.path(), cards);
        {
            LabelSheetFile file(dir.path());
            LabelSheet old;
            old.setName(1, QStringLiteral("già qui"));
            file.append(old);
        }
        const LabelCompose::Plan plan = LabelCompose::plan(dir.path(), {});
        QCOMPARE(plan.sheetCount(), 30);
        const LabelCompose::Stored stored = LabelCompose::store(dir.path(), plan);
        QCOMPARE(stored.first, 2);
        QCOMPARE(stored.count, 30);
        LabelSheetFile file(dir.path());
        QCOMPARE(file.count(), 31);
        QCOMPARE(file.read(1).name(1), QStringLiteral("già qui"));
        QCOMPARE(file.read(2).name(1), QStringLiteral("Scheda 0000"));
        QCOMPARE(file.read(31).name(24), QStringLiteral("Scheda 0719"));
    }

    // A failure after the first sheet is written, or once all are written but before the action ends: the label
    // archive keeps exactly its old bytes (a fragment left by an old crash included), and no rollback note stays.
    void storingIsAllOrNothing_data()
    {
        QTest::addColumn<int>("failAfter"); // sheets written when the failure comes; 0: after the last
        QTest::newRow("after the first sheet") << 1;
        QTest::newRow("after sheet 29") << 29;
        QTest::newRow("when all are on disk") << 0;
    }
    void storingIsAllOrNothing()
    {
        QFETCH(int, failAfter);
        QTemporaryDir dir;
        QList<Card> cards;
        for (int i = 0; i < 30 * 24; ++i)
            cards.append({QStringLiteral("Scheda %1").arg(i), QString(), QStringLiteral("Via")});
        writeCards(dir.path(), cards);
        QByteArray before = LabelSheet().toBytes() + LabelSheet().toBytes() + QByteArray(100, 'x');
        QVERIFY(writeFileBytes(QDir(dir.path()).filePath(LabelSheetFile::kFileName), before));

        const LabelCompose::Plan plan = LabelCompose::plan(dir.path(), {});
        QCOMPARE(plan.sheetCount(), 30);
        int written = 0;
        const auto progress = [&](int stored) {
            written = stored;
            if (stored == failAfter)
                throw ArchiveAccessError(Errors::kArchiveAccess);
        };
        const auto complete = [&](const LabelCompose::Stored& s) {
            QCOMPARE(s.count, 30);
            QCOMPARE(labelArchive(dir.path()).size(), 32 * qsizetype(LabelSheet::kSize));
            throw ArchiveAccessError(Errors::kArchiveAccess);
        };
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, LabelCompose::store(dir.path(), plan, progress, complete));
        QCOMPARE(written, failAfter == 0 ? 30 : failAfter);
        QCOMPARE(labelArchive(dir.path()), before);
        QVERIFY(!QFileInfo::exists(RawRecordFile::rollbackNotePath(QDir(dir.path()).filePath(LabelSheetFile::kFileName))));
    }
};

QTEST_GUILESS_MAIN(TestLabelCompose)
#include "test_label_compose.moc"
