// The encodings contact files come in, read per file as they are.
#include "addresses/contact_text.h"

#include <QTest>

class TestContactText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("strayLines");

        QTest::newRow("UTF-8") << QByteArray("Città\nPerè\n") << u"Città\nPerè\n"_qs << QList<int>{};
        QTest::newRow("windows-1252") << QByteArray("Citt\xE0\nPer\xE8\n") << u"Città\nPerè\n"_qs << QList<int>{};
        // One byte typed in another program does not turn every accent of the file into two characters.
        QTest::newRow("UTF-8 with one stray byte")
            << QByteArray("Nome;Città\nAda;Forlì\nBea;Cant\xF9\r\nCarla;Perè\n")
            << u"Nome;Città\nAda;Forlì\nBea;Cantù\r\nCarla;Perè\n"_qs << QList<int>{3};
        QTest::newRow("stray bytes on two lines, the same line named once")
            << QByteArray("Città Forlì\n\x93x\x94\nè\nn\xB0\n") << u"Città Forlì\n“x”\nè\nn°\n"_qs << QList<int>{2, 4};
        QTest::newRow("three- and four-byte sequences beside a stray byte")
            << QByteArray("\xE2\x82\xAC \xF0\x9F\x98\x80 n\xB0\n") << u"€ \U0001F600 n°\n"_qs << QList<int>{1};
        QTest::newRow("more stray bytes than UTF-8 letters: windows-1252")
            << QByteArray("Citt\xE0 \xC3\xA8 Forl\xEC\n") << u"Città Ã¨ Forlì\n"_qs << QList<int>{};
        QTest::newRow("UTF-16 LE with its mark") << QByteArray("\xFF\xFE"
                                                               "C\0i\0t\0t\0\xE0\0",
                                                               12)
                                                 << u"Città"_qs << QList<int>{};
        QTest::newRow("UTF-16 LE without a mark")
            << QByteArray("N\0o\0m\0e\0\n\0A\0d\0a\0\n\0", 18) << u"Nome\nAda\n"_qs << QList<int>{};
        QTest::newRow("UTF-16 BE without a mark")
            << QByteArray("\0N\0o\0m\0e\0\n\0P\0e\0r\0\xE8", 18) << u"Nome\nPerè"_qs << QList<int>{};
    }

    void decodeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QList<int>, strayLines);
        QList<int> lines{99};
        QCOMPARE(ContactText::decodeFile(bytes, &lines), text);
        QCOMPARE(lines, strayLines);
    }

    // A file with a stray byte on every line lists only the first lines, and counts them all.
    void strayLinesAreCountedAllAndListedFirst()
    {
        const QByteArray bytes = QByteArray("Citt\xC3\xA0 Forl\xEC\n").repeated(1500);
        QList<int> lines;
        qsizetype count = 0;
        const QString text = ContactText::decodeFile(bytes, &lines, &count);
        QVERIFY(text.startsWith(QStringLiteral("Città Forlì\n")));
        QCOMPARE(count, 1500);
        QCOMPARE(lines.size(), ContactText::kListedStrayLines);
        QCOMPARE(lines.last(), int(ContactText::kListedStrayLines));
    }
};

QTEST_GUILESS_MAIN(TestContactText)
#include "test_contact_text.moc"
