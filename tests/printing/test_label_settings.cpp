// The label stock and the printer's offset in Impostazioni.ini: what is kept, what is refused and why.
#include "common/errors.h"
#include "printing/label_settings.h"
#include "support/test_support.h"

#include <QDir>
#include <QTest>

namespace {

LabelStock custom(double w, double h, double left, double top, double hp, double vp)
{
    return LabelStock{LabelStock::kCustomId, QStringLiteral("Personalizzato"), w, h, left, top, hp, vp};
}

QString iniPath(const QTemporaryDir& dir)
{
    return QDir(dir.path()).filePath(QStringLiteral("Impostazioni.ini"));
}

} // namespace

class TestLabelSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyKnownStockFits()
    {
        QCOMPARE(LabelStock::known().size(), 6);
        for (const LabelStock& s : LabelStock::known())
            QVERIFY2(!s.problem(), qPrintable(s.id + QStringLiteral(": ") + s.problem().value_or(QString())));
    }

    // A custom stock that cannot be printed is refused with a message that says why, and nothing is written.
    void customStockRefused_data()
    {
        QTest::addColumn<LabelStock>("stock");
        QTest::addColumn<QString>("message"); // a part of it
        QTest::newRow("third column past the paper")
            << custom(75, 35, 0, 10, 75, 35) << "la terza colonna finisce a 225 mm";
        QTest::newRow("eighth row past the paper")
            << custom(62, 36, 10, 10, 64, 36) << "l'ottava riga finisce a 298 mm";
        QTest::newRow("labels side by side overlap")
            << custom(62, 32, 10, 10, 60, 35) << "si sovrappongono: il passo orizzontale (60 mm)";
        QTest::newRow("rows overlap") << custom(62, 32, 10, 10, 64, 30) << "il passo verticale (30 mm)";
        QTest::newRow("too low for six lines") << custom(62, 25, 10, 10, 64, 30) << "Le sei righe";
        QTest::newRow("first label off the sheet") << custom(62, 32, -1, 10, 64, 35) << "non possono essere negativi";
        QTest::newRow("not a number") << custom(qQNaN(), 32, 10, 10, 64, 35) << "numeri di millimetri";
    }
    void customStockRefused()
    {
        QFETCH(LabelStock, stock);
        QFETCH(QString, message);
        QTemporaryDir dir;
        LabelSettings settings;
        settings.stock = stock;
        QVERIFY(stock.problem().value_or(QString()).contains(message));
        try {
            settings.save(dir.path());
            QFAIL("saved");
        } catch (const SettingsError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QVERIFY(!QFileInfo::exists(iniPath(dir)));
    }

    void savedAndLoadedBack()
    {
        QTemporaryDir dir;
        // Another section of the file stays as it was.
        QVERIFY(writeFileBytes(iniPath(dir), "[Margini Busta]\r\nSuperiore=5\r\n"));
        QCOMPARE(LabelSettings::load(dir.path()).stock.id, LabelStock::standard().id); // no section yet

        LabelSettings settings;
        settings.stock = custom(66.5, 34, 5, 12, 68, 34.5);
        settings.offsetLeft = -3;
        settings.offsetTop = 2.25;
        settings.save(dir.path());
        const QByteArray ini = readFileBytes(iniPath(dir));
        QVERIFY(ini.startsWith("[Margini Busta]\r\nSuperiore=5\r\n"));
        QVERIFY(ini.contains("Larghezza=66,5\r\n"));
        QVERIFY(ini.contains("Scostamento sinistro=-3\r\n"));
        const LabelSettings back = LabelSettings::load(dir.path());
        QCOMPARE(back.stock.id, LabelStock::kCustomId);
        QCOMPARE(back.stock.width, 66.5);
        QCOMPARE(back.stock.vPitch, 34.5);
        QCOMPARE(back.offsetLeft, -3.0);
        QCOMPARE(back.offsetTop, 2.25);

        settings.stock = *LabelStock::find(QStringLiteral("70x33,8"));
        settings.save(dir.path());
        QCOMPARE(LabelSettings::load(dir.path()).stock.top, 13.3);
    }

    // A value typed into the file by hand that cannot be used is named in the message, not silently replaced.
    void damagedSectionIsReported_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QString>("message");
        QTest::newRow("offset not a number") << QByteArray("Scostamento sinistro=due") << "\"due\" di \"Scostamento sinistro\"";
        QTest::newRow("offset too large") << QByteArray("Scostamento superiore=45") << "fra -30 e 30 mm";
        QTest::newRow("unknown stock") << QByteArray("Formato=80x40") << "il formato \"80x40\"";
        QTest::newRow("custom stock too wide")
            << QByteArray("Formato=personalizzato\r\nLarghezza=71\r\nPasso orizzontale=71\r\nMargine sinistro=0")
            << "la terza colonna finisce a 213 mm";
    }
    void damagedSectionIsReported()
    {
        QFETCH(QByteArray, section);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(iniPath(dir), "[etichette]\r\n" + section + "\r\n"));
        try {
            LabelSettings::load(dir.path());
            QFAIL("loaded");
        } catch (const SettingsError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    // The offset is checked with the stock: every label's lines must stay on the paper, up to its very edge.
    void offsetAgainstStock_data()
    {
        QTest::addColumn<QString>("stock");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<QString>("key");     // empty when the offset is fine
        QTest::addColumn<QString>("message"); // a part of it
        // 64,6x33,8: lines from 10,1 to 200,1 mm across, the last row's from 251,9 to 280,4 mm down.
        QTest::newRow("down past the bottom") << "64,6x33,8" << 0.0 << 30.0 << "Scostamento superiore"
                                              << "etichetta 22 finiscono a 310,4 mm";
        QTest::newRow("down to the bottom edge") << "64,6x33,8" << 0.0 << 16.6 << "" << "";
        QTest::newRow("down 0,1 mm past it") << "64,6x33,8" << 0.0 << 16.7 << "Scostamento superiore"
                                             << "finiscono a 297,1 mm";
        QTest::newRow("left off the paper") << "64,6x33,8" << -30.0 << 0.0 << "Scostamento sinistro"
                                            << "etichetta 1 cominciano 19,9 mm oltre il bordo sinistro";
        QTest::newRow("left to the edge") << "64,6x33,8" << -10.1 << 0.0 << "" << "";
        QTest::newRow("right to the edge") << "64,6x33,8" << 9.9 << 0.0 << "" << "";
        QTest::newRow("right past the edge") << "64,6x33,8" << 10.0 << 0.0 << "Scostamento sinistro"
                                             << "etichetta 3 finiscono a 210,1 mm";
        // 70x37 has no margins: its lines already sit 4 mm from the top, so 4 mm up is the most.
        QTest::newRow("up to the top edge") << "70x37" << 0.0 << -4.0 << "" << "";
        QTest::newRow("up past the top edge") << "70x37" << 0.0 << -4.5 << "Scostamento superiore"
                                              << "etichetta 1 cominciano 0,5 mm oltre il bordo superiore";
        QTest::newRow("program's page, largest offsets") << "predefinito" << -12.0 << 10.0 << "" << "";
        QTest::newRow("beyond 30 mm") << "predefinito" << 0.0 << -31.0 << "Scostamento superiore"
                                      << "fra -30 e 30 mm";
    }
    void offsetAgainstStock()
    {
        QFETCH(QString, stock);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(QString, key);
        QFETCH(QString, message);
        LabelSettings settings;
        settings.stock = *LabelStock::find(stock);
        settings.offsetLeft = left;
        settings.offsetTop = top;
        const std::optional<LabelSettings::OffsetProblem> problem = settings.offsetProblem();
        QCOMPARE(problem.has_value(), !key.isEmpty());
        QTemporaryDir dir;
        if (!problem) {
            settings.save(dir.path());
            QCOMPARE(LabelSettings::load(dir.path()).offsetTop, top);
            return;
        }
        QCOMPARE(problem->key, key);
        QVERIFY2(problem->message.contains(message), qPrintable(problem->message));
        QVERIFY(settings.problem()->startsWith(problem->message));
        // Refused when saved, and nothing written.
        QVERIFY_THROWS_EXCEPTION(SettingsError, settings.save(dir.path()));
        QVERIFY(!QFileInfo::exists(iniPath(dir)));
        // Typed into the file by hand, it is reported by key.
        QVERIFY(writeFileBytes(iniPath(dir), QStringLiteral("[Etichette]\r\nFormato=%1\r\nScostamento sinistro=%2\r\n"
                                                            "Scostamento superiore=%3\r\n")
                                                 .arg(stock, LabelSettings::format(left), LabelSettings::format(top))
                                                 .toLatin1()));
        try {
            LabelSettings::load(dir.path());
            QFAIL("loaded");
        } catch (const SettingsError& e) {
            QVERIFY2(e.message().contains(QLatin1Char('"') + key + QLatin1Char('"')), qPrintable(e.message()));
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    void offsetsReadWithCommaOrPoint()
    {
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(iniPath(dir), "[Etichette]\r\nFormato = 70X37 \r\nScostamento sinistro= -1,5\r\n"
                                             "Scostamento superiore=0.75\r\n"));
        const LabelSettings s = LabelSettings::load(dir.path());
        QCOMPARE(s.stock.id, QStringLiteral("70x37"));
        QCOMPARE(s.offsetLeft, -1.5);
        QCOMPARE(s.offsetTop, 0.75);
    }
};

QTEST_GUILESS_MAIN(TestLabelSettings)
#include "test_label_settings.moc"
