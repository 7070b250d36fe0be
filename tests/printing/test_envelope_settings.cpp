#include "common/errors.h"
#include "common/ini_file.h"
#include "printing/envelope_settings.h"

#include <QtTest>

class TestEnvelopeSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("no file") << QByteArray() << "0" << "0" << false;
        QTest::newRow("stored") << QByteArray("[Margini Busta]\nSuperiore=-3\nSinistro=12\n[Stampa Busta]\nOrientamento= Orizzontale \n")
                                << "-3" << "12" << true;
        QTest::newRow("lower case orientation") << QByteArray("[Stampa Busta]\nOrientamento=orizzontale\n") << "0" << "0" << false;
        QTest::newRow("blank margins") << QByteArray("[Margini Busta]\nSuperiore=\nSinistro=   \n") << "0" << "0" << false;
        QTest::newRow("not a number shown as is") << QByteArray("[Margini Busta]\nSuperiore=abc\nSinistro=2,5\n")
                                                  << "abc" << "2,5" << false;
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, landscape);
        QTemporaryDir dir;
        if (!file.isEmpty()) {
            QFile f(dir.filePath(EnvelopeSettings::kFileName));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        const EnvelopeSettings s = EnvelopeSettings::load(dir.path());
        QCOMPARE(s.top, top);
        QCOMPARE(s.left, left);
        QCOMPARE(s.orientation == Orientation::Landscape, landscape);
    }

    void saveWritesMarginAndOrientation()
    {
        QTemporaryDir dir;
        EnvelopeSettings s;
        s.top = QStringLiteral(" 4 ");
        s.left = QStringLiteral("-2");
        s.orientation = Orientation::Landscape;
        s.saveTop(dir.path());
        const IniFile ini(dir.filePath(EnvelopeSettings::kFileName));
        QCOMPARE(ini.read(QStringLiteral("Margini Busta"), QStringLiteral("Superiore")), QStringLiteral("4"));
        QCOMPARE(ini.read(QStringLiteral("Margini Busta"), QStringLiteral("Sinistro"), QStringLiteral("missing")),
                 QStringLiteral("missing"));
        QCOMPARE(ini.read(QStringLiteral("Stampa Busta"), QStringLiteral("Orientamento")), QStringLiteral("Orizzontale"));
        s.orientation = Orientation::Portrait;
        s.saveLeft(dir.path());
        QCOMPARE(ini.read(QStringLiteral("Margini Busta"), QStringLiteral("Sinistro")), QStringLiteral("-2"));
        QCOMPARE(ini.read(QStringLiteral("Stampa Busta"), QStringLiteral("Orientamento")), QStringLiteral("Verticale"));
        QCOMPARE(EnvelopeSettings::load(dir.path()).top, QStringLiteral("4"));
    }

    void parseMargin_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("mm"); // NaN: not a number
        QTest::newRow("whole") << "5" << 5.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("blanks") << " 7 " << 7.0;
        QTest::newRow("decimal comma") << "2,5" << 2.5;
        QTest::newRow("letters") << "abc" << qQNaN();
        QTest::newRow("empty") << "" << qQNaN();
        QTest::newRow("decimal point") << "2.5" << qQNaN();
        QTest::newRow("too many digits to be finite") << QString(400, u'9') << qInf();
    }
    void parseMargin()
    {
        QFETCH(QString, text);
        QFETCH(double, mm);
        if (qIsNaN(mm))
            QVERIFY_THROWS_EXCEPTION(ReportError, EnvelopeSettings::parseMargin(text));
        else if (qIsInf(mm))
            QVERIFY_THROWS_EXCEPTION(SettingsError, EnvelopeSettings::parseMargin(text));
        else
            QCOMPARE(EnvelopeSettings::parseMargin(text).mm(), mm);
    }
};

QTEST_GUILESS_MAIN(TestEnvelopeSettings)
#include "test_envelope_settings.moc"
