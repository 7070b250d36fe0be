#include "addresses/attachments.h"
#include "support/test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(PLICARIO_SOURCE_DIR "/tests/register/fixtures/mail/") + QLatin1String(name);
}

QStringList keptFiles(const TestContext& t)
{
    return QDir(Attachments::folderPath(t.dir.path())).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestCliMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A certified message becomes card 1: the original's sender and subject, the delivery date, the PEC id in the
    // note, the message as the copy and its attachment as the first document, each fingerprinted in the journal.
    void registersACertifiedMessage()
    {
        TestContext t;
        const CliResult r =
            runCli(t.dir.path(), {"register-mail", "2026", fixture("pec_delivery.eml"), "--category", "Delibere"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject out = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(out["numero"].toString(), QStringLiteral("1"));
        QCOMPARE(out["scheda"].toInt(), 1);
        const QJsonObject c = out["campi"].toObject();
        QCOMPARE(c["Tipologia"].toString(), QStringLiteral("In entrata"));
        QCOMPARE(c["Mittente"].toString(), QStringLiteral("Comune di Valfiorita"));
        QCOMPARE(c["RecapitoMit"].toString(), QStringLiteral("protocollo@pec.valfiorita.example.it"));
        QCOMPARE(c["Oggetto"].toString(), QStringLiteral("Determina n. 12"));
        QCOMPARE(c["DataRic"].toString(), QStringLiteral("16/03/2026"));
        QCOMPARE(c["Categoria"].toString(), QStringLiteral("Delibere"));
        QVERIFY2(c["Note"].toString().startsWith(
                     "PEC opec21.20260316104217.12345.67.1.89@pec.example.it (posta-certificata"),
                 qPrintable(c["Note"].toString()));
        QCOMPARE(c["Copia"].toString(), QStringLiteral("pec_delivery.eml"));
        QCOMPARE(c["File01"].toString(), QStringLiteral("determina.pdf"));
        QCOMPARE(keptFiles(t), (QStringList{"determina.pdf", "pec_delivery.eml"}));
        // The copy is the message file byte for byte; the journal holds the attachment's fingerprint.
        const QDir kept(Attachments::folderPath(t.dir.path()));
        QCOMPARE(readFileBytes(kept.filePath("pec_delivery.eml")), readFileBytes(fixture("pec_delivery.eml")));
        const QByteArray sha = QCryptographicHash::hash("%PDF-1.4\ndetermina\n", QCryptographicHash::Sha256).toHex();
        QVERIFY(readFileBytes(t.path("2026.storico")).contains("\"sha256\":\"" + sha + "\""));
        QCOMPARE(runCli(t.dir.path(), {"verify", "register", "2026"}).exitCode, 0);

        // The same message again is a second document, its files kept under names of their own.
        const CliResult again = runCli(t.dir.path(), {"register-mail", "2026", fixture("pec_delivery.eml")});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(again.out).object()["numero"].toString(), QStringLiteral("2"));
        QCOMPARE(keptFiles(t).size(), 4);
    }

    // Beyond the card's three documents, further attachments are kept beside them and named in the note.
    void moreThanThreeAttachments()
    {
        TestContext t;
        QByteArray mail = "From: Rossi <r@example.it>\r\nSubject: Quattro allegati\r\nMIME-Version: 1.0\r\n"
                          "Content-Type: multipart/mixed; boundary=\"q\"\r\n\r\n--q\r\nContent-Type: text/plain\r\n\r\n"
                          "vedi\r\n";
        for (int i = 1; i <= 4; ++i)
            mail += "--q\r\nContent-Type: application/pdf\r\nContent-Disposition: attachment; filename=\"doc" +
                    QByteArray::number(i) + ".pdf\"\r\n\r\nPDF " + QByteArray::number(i) + "\r\n";
        mail += "--q--\r\n";
        QVERIFY(writeFileBytes(t.path("quattro.eml"), mail));
        const CliResult r = runCli(t.dir.path(), {"register-mail", "2026", t.path("quattro.eml")});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject c = QJsonDocument::fromJson(r.out).object()["campi"].toObject();
        QCOMPARE(c["File01"].toString(), QStringLiteral("doc1.pdf"));
        QCOMPARE(c["File03"].toString(), QStringLiteral("doc3.pdf"));
        QCOMPARE(c["Note"].toString(), QStringLiteral("Altri allegati: doc4.pdf"));
        QCOMPARE(keptFiles(t), (QStringList{"doc1.pdf", "doc2.pdf", "doc3.pdf", "doc4.pdf", "quattro.eml"}));
        QCOMPARE(readFileBytes(QDir(Attachments::folderPath(t.dir.path())).filePath("doc4.pdf")), QByteArray("PDF 4"));
    }

    // A dry run shows the card and keeps nothing; a refusal says why and keeps nothing either.
    void dryRunAndRefusalKeepNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("words");
        QTest::newRow("dry run") << QStringList{"register-mail", "2026", fixture("attachments.eml"), "--dry-run"} << 0
                                 << "Comunicazione orari uffici";
        QTest::newRow("receipt") << QStringList{"register-mail", "2026", fixture("pec_acceptance.eml")} << 2
                                 << "ricevuta della posta certificata";
        QTest::newRow("damaged") << QStringList{"register-mail", "2026", fixture("damaged.eml")} << 2 << "danneggiato";
        QTest::newRow("missing file") << QStringList{"register-mail", "2026", fixture("assente.eml")} << 2
                                      << "non è un file di messaggio";
        QTest::newRow("bad year") << QStringList{"register-mail", "26", fixture("attachments.eml")} << 2
                                  << "quattro cifre";
    }
    void dryRunAndRefusalKeepNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, words);
        TestContext t;
        const CliResult r = runCli(t.dir.path(), args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.out + r.err).contains(words), (r.out + r.err).constData());
        QVERIFY(keptFiles(t).isEmpty());
        QVERIFY(!QFile::exists(t.path("2026.prt")));
    }
};

QTEST_GUILESS_MAIN(TestCliMail)
#include "test_cli_mail.moc"
