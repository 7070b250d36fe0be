#include "addresses/address_export_rows.h"

#include "addresses/address_card.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestAddressExportRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columns()
    {
        QStringList titles;
        QList<int> widths;
        for (const SpreadsheetColumn& c : ExportGrid::exportColumns(AddressExport::gridColumns())) {
            titles.append(c.title);
            widths.append(c.width);
        }
        QCOMPARE(titles, (QStringList{"Nome etichetta", "Tipo", "Indirizzo (rigo 1)", "Indirizzo (rigo 2)",
                                      "Indirizzo (rigo 3)", "Indirizzo (rigo 4)", "Indirizzo (rigo 5)",
                                      "Indirizzo (rigo 6)", "Note"}));
        QCOMPARE(widths, (QList<int>{300, 250, 450, 450, 450, 450, 450, 450, 350}));
        QCOMPARE(AddressExport::gridColumns().first().header, QStringLiteral("N."));
    }

    void anEmptyArchiveExportsTenEmptyRows()
    {
        QTemporaryDir dir;
        QVERIFY(AddressExport::loadGrid(dir.path()).isEmpty());
        QVERIFY(QFile::exists(dir.filePath(AddressCardFile::kFileName)));
        // No row loaded: the grid keeps its empty rows, and they are exported.
        const ExportGridRows rows = ExportGrid::emptyRows(AddressExport::gridColumns().size());
        const QByteArray doc = SpreadsheetDocument::build(AddressExport::kSheetName,
                                                          ExportGrid::exportColumns(AddressExport::gridColumns()),
                                                          ExportGrid::exportRows(rows));
        QCOMPARE(doc.count("<tr>"), 11);
        QCOMPARE(doc.count("<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\"></td>"), 90);
        QVERIFY(doc.contains("<x:Name>Archivio Indirizzi</x:Name>"));
    }

    void oneRowPerCardInFileOrder()
    {
        QTemporaryDir dir;
        {
            AddressCardFile file(dir.path());
            for (int i = 1; i <= 3; ++i) {
                AddressCard c;
                for (int f = 0; f < AddressCard::fieldCount(); ++f)
                    c.setValue(f, QStringLiteral("%1-%2").arg(QLatin1String(AddressCard::fields()[f].name)).arg(i));
                file.append(c);
            }
            file.append(AddressCard()); // an empty card is a row too
        }
        const ExportGridRows rows = AddressExport::loadGrid(dir.path());
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1], (QStringList{"2", "Nome-2", "Tipo-2", "Rigo01-2", "Rigo02-2", "Rigo03-2", "Rigo04-2",
                                       "Rigo05-2", "Rigo06-2", "Note-2"}));
        QCOMPARE(rows[3], (QStringList{"4", "", "", "", "", "", "", "", "", ""}));
        // The attachment fields never reach the sheet.
        const QByteArray doc = SpreadsheetDocument::build("S", ExportGrid::exportColumns(AddressExport::gridColumns()),
                                                          ExportGrid::exportRows(rows));
        QVERIFY(!doc.contains("File01") && !doc.contains("Desc01"));
        QVERIFY(doc.contains(">Nome-1</td>"));
    }

    void anUnreadableArchiveThrowsAndLeavesTheRows()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(AddressCardFile::kFileName));
        ExportGridRows rows = ExportGrid::emptyRows(10);
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, rows = AddressExport::loadGrid(dir.path()));
        QCOMPARE(rows, ExportGrid::emptyRows(10));
    }
};

QTEST_GUILESS_MAIN(TestAddressExportRows)
#include "test_address_export_rows.moc"
