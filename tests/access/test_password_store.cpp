#include "access/crypt.h"
#include "access/password_store.h"
#include "common/ansi.h"
#include "common/errors.h"
#include "common/ini_file.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestPasswordStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QString all;
        for (int c = 0; c < 256; ++c)
            all.append(QChar(char16_t(c)));
        // 256 characters exceed the limit; check each half and every single character.
        for (const QString& text : {all.left(128), all.mid(128), QString()}) {
            const QString hex = Crypt::scrambleToHex(text);
            QCOMPARE(hex.size(), text.size() * 2);
            QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(hex).hasMatch());
            QCOMPARE(Crypt::unscrambleFromHex(hex), text);
            QCOMPARE(Crypt::unscrambleFromHex(hex.toLower()), text);
        }
        for (int c = 0; c < 256; ++c) {
            const QString one = QString(QChar(char16_t(c)));
            QCOMPARE(Crypt::unscrambleFromHex(Crypt::scrambleToHex(one)), one);
        }
    }

    void scramblingDependsOnPosition()
    {
        // The key advances, so the same letter scrambles differently in a row.
        const QString hex = Crypt::scrambleToHex(QStringLiteral("AAAA"));
        QVERIFY(hex.mid(0, 2) != hex.mid(2, 2) || hex.mid(2, 2) != hex.mid(4, 2));
    }

    void oddDigitIgnoredAndBadHexRefused()
    {
        const QString hex = Crypt::scrambleToHex(QStringLiteral("ab"));
        QCOMPARE(Crypt::unscrambleFromHex(hex + u'F'), QStringLiteral("ab"));
        bool ok = true;
        Crypt::unscrambleFromHex(QStringLiteral("ZZ"), &ok);
        QVERIFY(!ok);
    }

    void storeAndCheck()
    {
        QTemporaryDir dir;
        PasswordStore store(dir.path());
        QCOMPARE(store.readStoredPassword(), QString()); // no file: empty
        store.storePassword(QStringLiteral("  Plicario è "));
        QVERIFY(store.checkPassword(QStringLiteral("PLICARIO è")));
        QVERIFY(store.checkPassword(QStringLiteral("\tplicario è  ")));
        QVERIFY(!store.checkPassword(QStringLiteral("plicario È")));
        QVERIFY(!store.checkPassword(QStringLiteral("plicario")));
        const QString hex = IniFile(dir.filePath(PasswordStore::kFileName)).read(QStringLiteral("Accesso"),
                                                                                QStringLiteral("Valore"));
        QCOMPARE(hex, Crypt::scrambleToHex(QStringLiteral("PLICARIO è")));
    }

    void passwordTheScramblerCannotHoldIsRefused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("256 characters") << QString(256, u'a');
        QTest::newRow("euro sign") << QStringLiteral("prezzo€");
        // Nothing the login field can take.
        QTest::newRow("a tab inside") << QStringLiteral("due\tparole");
        QTest::newRow("a NUL inside") << QStringLiteral("nul") + QChar(0) + QStringLiteral("x");
        QTest::newRow("a carriage return inside") << QStringLiteral("a\rb");
        QTest::newRow("a C1 control") << QStringLiteral("a\u0085b");
    }
    void passwordTheScramblerCannotHoldIsRefused()
    {
        QFETCH(QString, password);
        QTemporaryDir dir;
        PasswordStore store(dir.path());
        store.storePassword(QStringLiteral("vecchia"));
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.storePassword(password));
        QVERIFY(store.checkPassword(QStringLiteral("vecchia")));
    }

    // The words the user reads are true of every sign of windows-1252: those whose code is below 256 are kept, the
    // others refused, and each sign the words name as an example is one of those refused.
    void limitsTextIsTrueOfWindows1252()
    {
        const QString text = PasswordStore::kLimits;
        QVERIFY(text.contains(QStringLiteral("255 caratteri")) && text.contains(QStringLiteral("inferiore a 256")));
        QVERIFY(!text.contains(QStringLiteral("alfabeto occidentale")));
        const QString examples = text.section(QStringLiteral("per esempio"), 1);
        QVERIFY(examples.contains(QStringLiteral("€")));

        QTemporaryDir dir;
        PasswordStore store(dir.path());
        store.storePassword(QStringLiteral("vecchia"));
        for (int byte = 0x21; byte <= 0xFF; ++byte) {
            const QChar sign = Ansi::toUnicode(QByteArray(1, char(byte))).at(0);
            const QString password = QStringLiteral("a") + sign + QStringLiteral("b");
            // Controls (DEL, the undefined bytes' C1 codes) are no signs: the login field cannot take them.
            if (sign.unicode() < 256 && sign.category() != QChar::Other_Control) {
                store.storePassword(password);
                QVERIFY2(store.checkPassword(password), qPrintable(QString::number(byte, 16)));
            } else {
                QVERIFY_THROWS_EXCEPTION(SettingsError, store.storePassword(password));
                QVERIFY(!store.checkPassword(password));
            }
        }
        for (QChar named : examples)
            if (named.unicode() > 127)
                QVERIFY2(!Crypt::canHold(QString(named)) && Ansi::canEncode(named), qPrintable(QString(named)));
    }

    void nonHexStoreIsAReadFailure()
    {
        QTemporaryDir dir;
        IniFile(dir.filePath(PasswordStore::kFileName)).write(QStringLiteral("Accesso"), QStringLiteral("Valore"),
                                                              QStringLiteral("12XY"));
        PasswordStore store(dir.path());
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.readStoredPassword());
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.checkPassword(QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestPasswordStore)
#include "test_password_store.moc"
