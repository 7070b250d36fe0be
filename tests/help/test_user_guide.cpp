#include "help/help_topics.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QFileInfo>
#include <QSet>
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
    // Every window the guide explains is there as a picture of the real window (the logo besides), the key table
    // lists the register's keys, and the file stays small enough to send by e-mail.
    void windowsArePicturedAndKeysListed()
    {
        const QString listing = QString::fromUtf8(run(u"pdfimages"_s, {u"-list"_s, QStringLiteral(PLICARIO_GUIDE_PDF)}));
        QSet<QString> windowImages;
        for (const QString& line : listing.split(u'\n').mid(2)) {
            const QStringList cols = line.simplified().split(u' ');
            // page num type width height color comp bpc enc interp object ...
            if (cols.size() > 10 && cols[2] == u"image" && cols[3].toInt() >= 300 && cols[4].toInt() >= 120)
                windowImages.insert(cols[10]);
        }
        QVERIFY2(windowImages.size() >= 12, qPrintable(listing));
        QVERIFY(QFileInfo(QStringLiteral(PLICARIO_GUIDE_PDF)).size() < 4 * 1024 * 1024);
        const QString text =
            QString::fromUtf8(run(u"pdftotext"_s, {QStringLiteral(PLICARIO_GUIDE_PDF), u"-"_s})).simplified();
        QVERIFY(text.contains(u"Ctrl+Shift+G Registro giornaliero"_s));
        QVERIFY(text.contains(u"Ctrl+M Componi dall'archivio"_s));
    }

    // A picture the guide names that the tool cannot draw stops the build, as a missing font does.
    void anUnknownPictureStopsTheBuild()
    {
        QTemporaryDir dir;
        QFile source(QStringLiteral(PLICARIO_SOURCE_DIR "/docs/guida.html"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        // The envelope window's picture is shown twice: one of its places names a window that does not exist.
        QString html = QString::fromUtf8(source.readAll());
        const qsizetype at = html.indexOf(u"\"finestra:busta\""_s);
        QVERIFY(at >= 0);
        html.replace(at, 16, u"\"finestra:inesistente\""_s);
        QFile changed(dir.filePath(u"guida.html"_s));
        QVERIFY(changed.open(QIODevice::WriteOnly));
        changed.write(html.toUtf8());
        changed.close();
        const QString output = dir.filePath(u"Guida.pdf"_s);
        int rc = 0;
        QByteArray err;
        run(QStringLiteral(PLICARIO_GUIDE_TOOL),
            {changed.fileName(), QStringLiteral(PLICARIO_SOURCE_DIR "/assets/help/logo.svg"), output}, &rc,
            QProcessEnvironment::systemEnvironment(), &err);
        QVERIFY(rc != 0);
        QVERIFY2(err.contains("finestra:inesistente, which was not drawn"), err.constData());
        QVERIFY(!QFile::exists(output));
    }

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
