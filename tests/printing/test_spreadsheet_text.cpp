#include "printing/spreadsheet_text.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray plain(QStringView text)
{
    QByteArray out = "x";
    SpreadsheetText::appendPlain(out, text);
    return out;
}

QByteArray fast(QStringView text)
{
    QByteArray out = "x";
    SpreadsheetText::append(out, text);
    return out;
}

} // namespace

// The run-wise writer against the one character at a time: the same bytes for every text.
class TestSpreadsheetText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCodeUnitAloneAndAfterBlankAndBeforeText()
    {
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            const QChar c(char16_t(u), 0);
            for (const QString& text : {QString(c), QStringLiteral(" ") + c, QString(c) + QStringLiteral(" a")})
                QCOMPARE(fast(text), plain(text));
        }
    }

    void randomTextsOverTheCharactersThatMatter()
    {
        // Each class the rules tell apart: run characters, blanks, markup, controls, undefined bytes, characters
        // windows-1252 maps elsewhere or lacks, surrogates alone and in pairs. The blank twice, so runs are common.
        const char16_t alphabet[] = {u'a', u'Z', u'0', u' ', u' ', u'&', u'<', u'>',  u'\t',  u'\n',  0,      0x7F,
                                     0x80, 0x81, 0x9D, 0x9F, 0xA0, 0xE8, 0xFF, 0x100, 0x20AC, 0x2019, 0xD83D, 0xDE00};
        QRandomGenerator random(20261210);
        for (int round = 0; round < 20000; ++round) {
            QString text;
            const int length = random.bounded(24);
            for (int i = 0; i < length; ++i)
                text.append(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
            QCOMPARE(fast(text), plain(text));
        }
    }

    void writtenBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("run") << QStringLiteral("Via Roma 1") << QByteArray("Via Roma 1");
        QTest::newRow("blanks") << QStringLiteral("a   b") << QByteArray("a &#32;&#32;b");
        QTest::newRow("markup") << QStringLiteral("<R & F>") << QByteArray("&lt;R &amp; F&gt;");
        QTest::newRow("latin and euro") << QStringLiteral("Città 5€") << QByteArray("Citt\xE0 5\x80");
        QTest::newRow("lacking") << QStringLiteral("ĉ😀") << QByteArray("&#265;&#128512;");
    }

    void writtenBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(fast(text), "x" + bytes);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetText)
#include "test_spreadsheet_text.moc"
