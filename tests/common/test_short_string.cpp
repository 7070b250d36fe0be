#include "common/ansi.h"
#include "common/short_string.h"
#include "common/text.h"

#include <QTest>

using namespace std::string_literals; // u"..."s keeps a NUL inside

class TestShortString : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Via Roma 1") << QByteArray("Via Roma 1");
        QTest::newRow("accents") << QStringLiteral("àèéìòù") << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9");
        QTest::newRow("euro") << QStringLiteral("10 €") << QByteArray("10 \x80");
        QTest::newRow("curly quotes") << QStringLiteral("‘a’ “b”") << QByteArray("\x91" "a\x92 \x93" "b\x94");
        QTest::newRow("dashes and ellipsis") << QStringLiteral("–—…") << QByteArray("\x96\x97\x85");
        QTest::newRow("long plain text, then others")
            << QStringLiteral("Amministrazione condominiale – Città 10 €")
            << QByteArray("Amministrazione condominiale \x96 Citt\xE0 10 \x80");
        QTest::newRow("an accent among the first characters of a long text")
            << QStringLiteral("Perché la società spedisce 100 pacchi")
            << QByteArray("Perch\xE9 la societ\xE0 spedisce 100 pacchi");
    }
    void conversion()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Ansi::fromUnicode(text), bytes);
        QCOMPARE(Ansi::toUnicode(bytes), text);
    }

    void unmappableBecomesQuestionMark()
    {
        QCOMPARE(Ansi::fromUnicode(QStringLiteral("αβ")), QByteArray("??"));
        // A character outside the basic plane is one character, so one '?'.
        QCOMPARE(Ansi::fromUnicode(QString::fromUtf8("a\xF0\x9F\x98\x80" "b")), QByteArray("a?b"));
        QCOMPARE(ShortString::stored(QStringLiteral("Ωmega"), 250), QStringLiteral("?mega"));
    }

    // Every byte value, inside a stored field (blanks and controls at the ends are trimmed by design), is read and
    // written back as the same byte: a card opened and saved never changes.
    void everyByteRoundTrips_data()
    {
        QTest::addColumn<int>("byte");
        for (int b = 0; b < 256; ++b)
            QTest::addRow("0x%02X", b) << b;
    }
    void everyByteRoundTrips()
    {
        QFETCH(int, byte);
        QByteArray field(11, '\0');
        field[0] = 3;
        field[1] = 'a';
        field[2] = char(byte);
        field[3] = 'z';
        const QString text = ShortString::read(field.constData(), 10);
        QCOMPARE(text.size(), 3);
        QByteArray written(11, '\xFF');
        ShortString::write(written.data(), 10, text);
        QCOMPARE(written, field);
    }

    void undefinedBytesAreTheirControls()
    {
        const QByteArray bytes("\x81\x8D\x8F\x90\x9D");
        const QString text = Ansi::toUnicode(bytes);
        QCOMPARE(text, QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
        QCOMPARE(Ansi::fromUnicode(text), bytes);
        // The other C1 controls have no byte: 0x80 is the euro sign.
        QCOMPARE(Ansi::fromUnicode(QString::fromUtf16(u"\u0080\u009F")), QByteArray("??"));
    }

    void storing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("blanks around") << QStringLiteral("  Mario  Rossi  ") << 250 << QStringLiteral("Mario  Rossi");
        QTest::newRow("controls") << QStringLiteral("\t\r\nabc\x01\x1F") << 250 << QStringLiteral("abc");
        QTest::newRow("300 cut to 250") << QString(300, u'x') << 250 << QString(250, u'x');
        QTest::newRow("cut to 16") << QStringLiteral("12345678901234567890") << 16
                                   << QStringLiteral("1234567890123456");
        QTest::newRow("cut then trimmed") << QStringLiteral("abc       def") << 5 << QStringLiteral("abc");
        QTest::newRow("empty") << QString() << 10 << QString();
    }
    void storing()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, readBack);
        QCOMPARE(ShortString::stored(text, width), readBack);
    }

    // What is stored is what reads back: storing the read-back text again gives the same bytes, also where the cut
    // falls just after a NUL, a control or a blank inside the text.
    void storingWhatReadsBackKeepsTheBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("NUL at the cut") << QString::fromStdU16String(u"01/03/202\u00004"s);
        QTest::newRow("blank at the cut") << QStringLiteral("01/03/202 4");
        QTest::newRow("controls at the cut") << QString::fromUtf16(u"0123456\t\u0001\u001F9");
        QTest::newRow("NUL inside") << QString::fromStdU16String(u"01\u000003"s);
        QTest::newRow("only a blank after the first") << QStringLiteral("x         y");
    }
    void storingWhatReadsBackKeepsTheBytes()
    {
        QFETCH(QString, text);
        QByteArray first(11, '\xFF');
        ShortString::write(first.data(), 10, text);
        QByteArray again(11, '\xFF');
        ShortString::write(again.data(), 10, ShortString::read(first.constData(), 10));
        QCOMPARE(again, first);
    }

    void layoutOfAField()
    {
        QByteArray field(11, '\xFF');
        ShortString::write(field.data(), 10, QStringLiteral(" é€ "));
        QCOMPARE(field, QByteArray("\x02\xE9\x80\0\0\0\0\0\0\0\0", 11));
    }

    void lengthByteAboveWidthIsClamped()
    {
        // Two adjacent fields of width 4; the first claims 200 characters.
        QByteArray data("\xC8" "abcd" "\x02" "xy\0\0", 10);
        QCOMPARE(ShortString::read(data.constData(), 4), QStringLiteral("abcd"));
        QCOMPARE(ShortString::read(data.constData() + 5, 4), QStringLiteral("xy"));
    }

    void upperAsciiOnly()
    {
        QCOMPARE(Text::upperAscii(QStringLiteral("abz àé ABC")), QStringLiteral("ABZ àé ABC"));
    }
};

QTEST_GUILESS_MAIN(TestShortString)
#include "test_short_string.moc"
