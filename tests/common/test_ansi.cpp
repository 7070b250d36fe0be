// What text becomes in the windows-1252 archives, and which characters cannot be kept.
#include "common/ansi.h"

#include <QTest>

class TestAnsi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // as read back from the bytes
        QTest::addColumn<QString>("lost");
        QTest::addColumn<QString>("replaced"); // as a window names it

        QTest::newRow("windows-1252 as it is")
            << u"Città “Forlì” – 5 €"_qs << u"Città “Forlì” – 5 €"_qs << QString() << QString();
        QTest::newRow("decomposed grave composed") << u"Citta\u0300"_qs << u"Città"_qs << QString() << QString();
        QTest::newRow("decomposed letter windows-1252 lacks")
            << u"Dvor\u030Cak"_qs << u"Dvorak"_qs << QString() << u"«ř» → «r»"_qs;
        QTest::newRow("Czech and Polish letters")
            << u"Dvořák Łódź"_qs << u"Dvorák Lódz"_qs << QString() << u"«ř» → «r», «Ł» → «L», «ź» → «z»"_qs;
        QTest::newRow("Hungarian, Romanian, Vietnamese") << u"Erdős Ștefan Nguyễn"_qs << u"Erdos Stefan Nguyen"_qs
                                                         << QString() << u"«ő» → «o», «Ș» → «S», «ễ» → «e»"_qs;
        QTest::newRow("ligatures and dotless i")
            << u"ﬁore Iĳssel ı"_qs << u"fiore Iijssel i"_qs << QString() << u"«ﬁ» → «fi», «ĳ» → «ij», «ı» → «i»"_qs;
        QTest::newRow("typographic signs") << u"5′ 3″ a‐b 1−2 x\u2009y"_qs << u"5' 3\" a-b 1-2 x y"_qs << QString()
                                           << u"«′» → «'», «″» → «\"», «‐» → «-», «−» → «-», «\u2009» → « »"_qs;
        QTest::newRow("invisible marks of joining and direction dropped, named by their code")
            << u"\u202AMario\u200E Ros\u200Bsi\u202C"_qs << u"Mario Rossi"_qs << QString()
            << u"«\u202A» (U+202A) → «», «\u200E» (U+200E) → «», «\u200B» (U+200B) → «», «\u202C» (U+202C) → «»"_qs;
        QTest::newRow("Cyrillic kept out") << u"Иван Петров"_qs << u"???? ??????"_qs << u"ИванПетро"_qs << QString();
        QTest::newRow("Chinese and a letter outside the first plane")
            << u"王 𝔄 Rossi"_qs << u"? ? Rossi"_qs << u"王𝔄"_qs << QString();
        QTest::newRow("mixed: letters folded, Greek lost")
            << u"Łukasz Ωmega Łuk"_qs << u"Lukasz ?mega Luk"_qs << u"Ω"_qs << u"«Ł» → «L»"_qs;
    }

    void storedText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, lost);
        QFETCH(QString, replaced);
        QCOMPARE(Ansi::toUnicode(Ansi::fromUnicode(typed)), stored);
        QCOMPARE(Ansi::unstorable(typed), lost);
        QCOMPARE(Ansi::replacements(typed), replaced);
        QCOMPARE(Ansi::isPlain(typed), typed == stored);
        // What storable() keeps is what is stored, but for the characters it names as lost.
        QCOMPARE(Ansi::fromUnicode(Ansi::storable(typed)), Ansi::fromUnicode(typed));
    }
};

QTEST_GUILESS_MAIN(TestAnsi)
#include "test_ansi.moc"
