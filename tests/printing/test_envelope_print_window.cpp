#include "addresses/address_archive_window.h"
#include "common/ini_file.h"
#include "printing/envelope_print_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString kPrintFailed = QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                                            "Si consiglia di controllare le impostazioni della stampante.");
const QStringList kLines = {"  Spett.le ", "Mario Rossi", "", "Via Garibaldi, 12", "00184 Roma", "\tItalia"};

} // namespace

class TestEnvelopePrintWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;

    QString iniPath() const { return m_ctx->path(QStringLiteral("Impostazioni.ini")); }
    IniFile ini() const { return IniFile(iniPath()); }
    void writeSettings(const QString& top, const QString& left, const QString& orientation)
    {
        if (!top.isNull())
            ini().write(QStringLiteral("Margini Busta"), QStringLiteral("Superiore"), top);
        if (!left.isNull())
            ini().write(QStringLiteral("Margini Busta"), QStringLiteral("Sinistro"), left);
        if (!orientation.isNull())
            ini().write(QStringLiteral("Stampa Busta"), QStringLiteral("Orientamento"), orientation);
    }
    QStringList storedSettings() const
    {
        return {ini().read(QStringLiteral("Margini Busta"), QStringLiteral("Superiore")),
                ini().read(QStringLiteral("Margini Busta"), QStringLiteral("Sinistro")),
                ini().read(QStringLiteral("Stampa Busta"), QStringLiteral("Orientamento"))};
    }
    std::unique_ptr<EnvelopePrintWindow> open(const QStringList& lines = kLines)
    {
        auto w = std::make_unique<EnvelopePrintWindow>(m_ctx->context, lines, nullptr);
        w->show();
        return w;
    }
    template <class T = QLineEdit> static T* get(QWidget* w, const char* name)
    {
        T* child = w->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    static void press(QWidget* w, const char* name) { QTest::mouseClick(get<QPushButton>(w, name), Qt::LeftButton); }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void printsWhereTheSettingsSay_data()
    {
        QTest::addColumn<QString>("top"); // as stored; null: no key
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QStringList>("shown"); // txtTop, txtLeft, orientation chosen
        QTest::addColumn<double>("topMm");      // of line 1 on the printed page
        QTest::addColumn<double>("leftMm");
        QTest::addColumn<QStringList>("stored"); // after the print

        QTest::newRow("no settings file") << QString() << QString() << QString() << QStringList{"0", "0", "Verticale"}
                                          << 57.0 << 119.0 << QStringList{"0", "0", "Verticale"};
        QTest::newRow("landscape with margins") << "5"
                                                << "10"
                                                << " Orizzontale " << QStringList{"5", "10", "Orizzontale"} << 62.0
                                                << 129.0 << QStringList{"5", "10", "Orizzontale"};
        QTest::newRow("lower-case orientation") << "0"
                                                << "0"
                                                << "orizzontale" << QStringList{"0", "0", "Verticale"} << 57.0 << 119.0
                                                << QStringList{"0", "0", "Verticale"};
        QTest::newRow("negative top") << "-3"
                                      << "0"
                                      << "Verticale" << QStringList{"-3", "0", "Verticale"} << 54.0 << 119.0
                                      << QStringList{"-3", "0", "Verticale"};
        QTest::newRow("decimal comma typed by hand") << "2,5"
                                                     << "-1,5"
                                                     << "Verticale" << QStringList{"2,5", "-1,5", "Verticale"} << 59.5
                                                     << 117.5 << QStringList{"2,5", "-1,5", "Verticale"};
        QTest::newRow("blank margins") << "  "
                                       << ""
                                       << "Verticale" << QStringList{"0", "0", "Verticale"} << 57.0 << 119.0
                                       << QStringList{"0", "0", "Verticale"};
    }
    void printsWhereTheSettingsSay()
    {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QString, orientation);
        QFETCH(QStringList, shown);
        QFETCH(double, topMm);
        QFETCH(double, leftMm);
        QFETCH(QStringList, stored);
        writeSettings(top, left, orientation);

        auto w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral(" Stampa indirizzo su busta"));
        QCOMPARE(get(w.get(), "txtTop")->text(), shown[0]);
        QCOMPARE(get(w.get(), "txtLeft")->text(), shown[1]);
        QCOMPARE(get<QRadioButton>(w.get(), shown[2] == QLatin1String("Verticale") ? "optVerticale" : "optOrizzontale")
                     ->isChecked(),
                 true);
        QVERIFY(get(w.get(), "txtTop")->isReadOnly());

        press(w.get(), "btnStampa");
        QVERIFY(m_ctx->messages.log().isEmpty());
        QVERIFY(!w->isVisible());
        QCOMPARE(storedSettings(), stored);
        QCOMPARE(m_printer->printedFiles().size(), 1);
        const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
        const bool landscape = stored[2] == QLatin1String("Orizzontale");
        QCOMPARE(page.paperWidth.mm(), landscape ? 297.0 : 210.0);
        QCOMPARE(page.paperHeight.mm(), landscape ? 210.0 : 297.0);
        for (int n = 1; n <= 6; ++n) {
            const PreparedItem* line = page.find(QStringLiteral("txtRigo0%1").arg(n));
            QVERIFY(line);
            QCOMPARE(line->rect.top.mm(), topMm + 5 * (n - 1));
            QCOMPARE(line->rect.left.mm(), leftMm);
            QCOMPARE(line->lines.join(QString()), kLines[n - 1].trimmed());
        }
    }

    void stepsChangeOnlyTheScreenUntilPrinted()
    {
        writeSettings(QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("Verticale"));
        const QByteArray before = [&] {
            QFile f(iniPath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        auto w = open();
        for (int i = 0; i < 5; ++i)
            press(w.get(), "btnTopPlus");
        for (int i = 0; i < 3; ++i)
            press(w.get(), "btnLeftMinus");
        press(w.get(), "btnLeftPlus");
        get<QRadioButton>(w.get(), "optOrizzontale")->click();
        QCOMPARE(get(w.get(), "txtTop")->text(), QStringLiteral("7"));
        QCOMPARE(get(w.get(), "txtLeft")->text(), QStringLiteral("-2"));
        press(w.get(), "btnAnnulla");
        QVERIFY(!w->isVisible());
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(m_printer->printDialogs(), 0);
    }

    void stepOnAMarginThatIsNoWholeNumber_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("decimal") << "2,5";
        QTest::newRow("letters") << "abc";
    }
    void stepOnAMarginThatIsNoWholeNumber()
    {
        QFETCH(QString, stored);
        writeSettings(stored, QString(), QString());
        auto w = open();
        press(w.get(), "btnTopPlus");
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
        QVERIFY(m_ctx->messages.log()[0].text.contains(stored));
        QCOMPARE(get(w.get(), "txtTop")->text(), stored);
        QVERIFY(w->isVisible());
    }

    void aStepStopsAtTheIntegerLimit_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("top at the limit") << "2147483647"
                                          << "-2147483648";
        QTest::newRow("one below the limit") << "2147483646"
                                             << "-2147483647";
    }
    void aStepStopsAtTheIntegerLimit()
    {
        QFETCH(QString, top);
        QFETCH(QString, left);
        writeSettings(top, left, QStringLiteral("Verticale"));
        auto w = open();
        press(w.get(), "btnTopPlus");
        press(w.get(), "btnTopPlus");
        press(w.get(), "btnLeftMinus");
        press(w.get(), "btnLeftMinus");
        QCOMPARE(get(w.get(), "txtTop")->text(), QStringLiteral("2147483647"));
        QCOMPARE(get(w.get(), "txtLeft")->text(), QStringLiteral("-2147483648"));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void failuresEndInTheOneWarning_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("margin not a number") << "abc";
        QTest::newRow("printer error") << "printer";
        QTest::newRow("settings file not writable") << "ini";
    }
    void failuresEndInTheOneWarning()
    {
        QFETCH(QString, failure);
        if (failure == QLatin1String("abc"))
            writeSettings(QString(), QStringLiteral("abc"), QString());
        if (failure == QLatin1String("printer"))
            m_printer->failWith = QStringLiteral("Nessuna stampante.");
        if (failure == QLatin1String("ini"))
            QVERIFY(QDir().mkpath(iniPath()));
        auto w = open();
        press(w.get(), "btnStampa");
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Warning);
        QCOMPARE(m_ctx->messages.log()[0].text, kPrintFailed);
        QVERIFY(!w->isVisible());
        QVERIFY(m_printer->printedFiles().isEmpty());
        // What was saved before the failure stays saved.
        if (failure == QLatin1String("abc"))
            QCOMPARE(storedSettings(), (QStringList{"0", "abc", "Verticale"}));
    }

    void cancelledPrintDialogStillSavesAndCloses()
    {
        m_printer->acceptPrint = false;
        auto w = open();
        press(w.get(), "btnTopMinus");
        press(w.get(), "btnStampa");
        QCOMPARE(m_printer->printDialogs(), 1);
        QVERIFY(m_printer->printedFiles().isEmpty());
        QVERIFY(m_ctx->messages.log().isEmpty());
        QVERIFY(!w->isVisible());
        QCOMPARE(storedSettings(), (QStringList{"-1", "0", "Verticale"}));
    }

    void waitNoticeShowsWhenTheButtonGoesDown()
    {
        auto w = open();
        QLabel* notice = get<QLabel>(w.get(), "lblAttendere");
        QCOMPARE(notice->text(), QStringLiteral("Elaborazione in corso. Attendere..."));
        QVERIFY(notice->isHidden());
        QVERIFY(get<QPushButton>(w.get(), "btnApplicaTop")->isHidden());
        QTest::mousePress(get<QPushButton>(w.get(), "btnStampa"), Qt::LeftButton);
        QVERIFY(!notice->isHidden());
        QCOMPARE(m_printer->printDialogs(), 0);
        QTest::mouseRelease(get<QPushButton>(w.get(), "btnStampa"), Qt::LeftButton);
        QCOMPARE(m_printer->printDialogs(), 1);
    }

    void archiveWindowPrintsWhatItShows()
    {
        AddressArchiveWindow archive(m_ctx->context);
        archive.show();
        for (int n = 1; n <= 6; ++n)
            archive.findChild<QLineEdit*>(QStringLiteral("txtRigo0%1").arg(n))->setText(kLines[n - 1]);
        inModal<EnvelopePrintWindow>(
            &archive,
            [&] { QTest::mouseClick(archive.findChild<QToolButton*>(QStringLiteral("cmdStampa")), Qt::LeftButton); },
            [](EnvelopePrintWindow* w) { press(w, "btnStampa"); });
        const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
        QCOMPARE(page.find(QStringLiteral("txtRigo01"))->lines, QStringList{QStringLiteral("Spett.le")});
        QCOMPARE(page.find(QStringLiteral("txtRigo06"))->lines, QStringList{QStringLiteral("Italia")});
        // Nothing was saved: the envelope takes the screen, not the file.
        QVERIFY(!QFile::exists(m_ctx->path(AddressCardFile::kFileName)));
    }
};

QTEST_MAIN(TestEnvelopePrintWindow)
#include "test_envelope_print_window.moc"
