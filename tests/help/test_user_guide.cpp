#include "help/help_topics.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray run(const QString& program, const QStringList& args, int* exitCode = nullptr,
               const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), QByteArray* err = nullptr)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return {};
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (err)
        *err = p.readAllStandardError();
    return p.readAllStandardOutput();
}

} // namespace

class TestUserGuide : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void guideTellsWhatTheUserNeeds_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::newRow("initial password")
            << u"Per il primo accesso la password è %1."_s.arg(HelpTopics::kInitialPassword);
        QTest::newRow("change password") << u"Cambia password"_s;
        QTest::newRow("address archive") << u"L'Archivio Indirizzi"_s;
        QTest::newRow("envelope margins") << u"Stampare su busta: i margini"_s;
        QTest::newRow("negative margins") << u"I margini possono essere anche negativi"_s;
        QTest::newRow("labels") << u"Le etichette"_s;
        QTest::newRow("register") << u"Il protocollo della posta"_s;
        QTest::newRow("backups") << u"copiare l'intera cartella del programma"_s;
        QTest::newRow("local network") << u"Uso in una rete locale"_s;
        QTest::newRow("archive held elsewhere") << u"Archivio in uso da un'altra postazione: attendere..."_s;
        QTest::newRow("no ligature glyphs") << u"ufficio"_s;
        QTest::newRow("support") << u"assistenza@example.org"_s;
    }

    // The words are in the PDF as text, not only as pictures of letters.
    void guideTellsWhatTheUserNeeds()
    {
        QFETCH(QString, phrase);
        static const QString text = [] {
            QString plain = QString::fromUtf8(run(u"pdftotext"_s, {QStringLiteral(PLICARIO_GUIDE_PDF), u"-"_s}));
            return plain.simplified();
        }();
        QVERIFY2(!text.isEmpty(), "pdftotext found no text in Guida.pdf");
        QVERIFY2(text.contains(phrase), qPrintable(phrase));
    }

    void firstPageShowsPrint()
    {
        QTemporaryDir dir;
        int rc = -1;
        run(u"pdftoppm"_s,
            {u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-r"_s, u"40"_s, u"-png"_s, u"-singlefile"_s,
             QStringLiteral(PLICARIO_GUIDE_PDF), dir.filePath(u"page"_s)},
            &rc);
        QCOMPARE(rc, 0);
        const QImage page(dir.filePath(u"page.png"_s));
        QVERIFY(!page.isNull());
        qsizetype inked = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                inked += qGray(page.pixel(x, y)) < 128;
        // Letters and the logo, not an empty sheet: a few percent of the page is dark.
        QVERIFY2(inked * 100 > qsizetype(page.width()) * page.height(), qPrintable(QString::number(inked)));
    }

    // Without any font Qt would write pages with no text; the tool refuses and leaves no file behind.
    void missingFontsStopTheBuild()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath(u"fonts.conf"_s);
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + dir.filePath(u"cache"_s).toUtf8() +
                "</cachedir></fontconfig>\n");
        f.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"FONTCONFIG_FILE"_s, config);
        const QString output = dir.filePath(u"Guida.pdf"_s);
        int rc = 0;
        QByteArray err;
        run(QStringLiteral(PLICARIO_GUIDE_TOOL),
            {QStringLiteral(PLICARIO_SOURCE_DIR "/docs/guida.html"),
             QStringLiteral(PLICARIO_SOURCE_DIR "/assets/help/logo.svg"), output},
            &rc, env, &err);
        QVERIFY(rc != 0);
        QVERIFY2(err.contains("no font"), err.constData());
        QVERIFY(!QFile::exists(output));
    }
};

QTEST_GUILESS_MAIN(TestUserGuide)
#include "test_user_guide.moc"
