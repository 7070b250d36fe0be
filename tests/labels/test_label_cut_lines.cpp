// The question about cut label lines: the places it names and how it counts the rest of a long list.
#include "labels/label_cut_lines.h"

#include <QTest>

using Places = std::vector<LabelCutLines::Place>;
Q_DECLARE_METATYPE(Places)

namespace {

// `count` places, sheet after sheet, two cut lines on label 7 of each.
Places onSheets(int count)
{
    Places places;
    for (int i = 0; i < count; ++i)
        places.push_back({i / 2 + 1, 7, i % 2 == 0 ? 2 : 6});
    return places;
}

} // namespace

class TestLabelCutLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void question_data()
    {
        QTest::addColumn<Places>("cut");
        QTest::addColumn<QString>("listed");
        QTest::newRow("single sheet") << Places{{0, 3, 1}, {0, 17, 6}}
                                      << QStringLiteral("Etichetta 03, riga 1\nEtichetta 17, riga 6");
        QTest::newRow("ten, all named") << onSheets(10)
                                        << QStringLiteral("Foglio 1, etichetta 07, riga 2\nFoglio 1, etichetta 07, "
                                                          "riga 6\nFoglio 2, etichetta 07, riga 2\nFoglio 2, "
                                                          "etichetta 07, riga 6\nFoglio 3, etichetta 07, riga 2\n"
                                                          "Foglio 3, etichetta 07, riga 6\nFoglio 4, etichetta 07, "
                                                          "riga 2\nFoglio 4, etichetta 07, riga 6\nFoglio 5, "
                                                          "etichetta 07, riga 2\nFoglio 5, etichetta 07, riga 6");
        QTest::newRow("one more") << onSheets(11)
                                  << QStringLiteral("…\nFoglio 5, etichetta 07, riga 6\ne un'altra riga");
        QTest::newRow("many more") << onSheets(1000)
                                   << QStringLiteral("…\nFoglio 5, etichetta 07, riga 6\ne altre 990 righe");
    }
    void question()
    {
        QFETCH(Places, cut);
        QFETCH(QString, listed);
        const QString text = LabelCutLines::question(cut);
        const QString head = QStringLiteral("Attenzione: queste righe sono troppo lunghe per l'etichetta e in stampa "
                                            "verranno tagliate:\n\n");
        const QString tail = QStringLiteral("\n\nProseguire comunque?");
        QVERIFY(text.startsWith(head) && text.endsWith(tail));
        const QString list = text.mid(head.size(), text.size() - head.size() - tail.size());
        if (listed.startsWith(u'…')) {
            // A long list: the first ten as above, then the count.
            QCOMPARE(list.count(u'\n'), 10);
            QVERIFY2(list.endsWith(listed.mid(1)), qPrintable(list));
        } else {
            QCOMPARE(list, listed);
        }
    }
};

QTEST_MAIN(TestLabelCutLines)
#include "test_label_cut_lines.moc"
