#include "register/mail_message.h"
#include "support/test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(PLICARIO_SOURCE_DIR "/tests/register/fixtures/mail/") + QLatin1String(name);
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QStringList names(const MailMessage& m)
{
    QStringList out;
    for (const MailMessage::Attachment& a : m.attachments)
        out << a.name;
    return out;
}

} // namespace

class TestMailMessage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Encoded-word subject, RFC 2231 and encoded-word file names, quoted-printable Latin-1 and base64 bodies.
    void plainMessageWithAttachments()
    {
        QTemporaryDir out;
        const MailMessage m = MailReader::read(fixture("attachments.eml"), out.path());
        QCOMPARE(m.senderName, QStringLiteral("Comune di Valfiorita"));
        QCOMPARE(m.senderAddress, QStringLiteral("protocollo@valfiorita.example.it"));
        QCOMPARE(m.recipients, QStringList{QStringLiteral("Studio Bianchi <studio@bianchi.example.it>")});
        QCOMPARE(m.subject, QStringLiteral("Comunicazione orari uffici – Città"));
        QCOMPARE(m.date, QDateTime::fromString(QStringLiteral("2026-03-16T09:15:00+01:00"), Qt::ISODate));
        QCOMPARE(m.text, QStringLiteral("Gentile studio, gli uffici saranno chiusi lunedì."));
        QCOMPARE(names(m), (QStringList{QStringLiteral("Orari della città.pdf"), QStringLiteral("nota.txt")}));
        QCOMPARE(readFileBytes(m.attachments[0].path), QByteArray("%PDF-1.4\n%\xC3\xA4\xC3\xBC\xC3\xB6\xC3\x9F\n"));
        QCOMPARE(m.attachments[0].size, 19);
        QCOMPARE(readFileBytes(m.attachments[1].path), QByteArray("Però bene\n"));
        QVERIFY(!m.certified);
    }

    // HTML text loses its tags; an image shown inside it is not an attachment.
    void htmlWithInlineImage()
    {
        QTemporaryDir out;
        const MailMessage m = MailReader::read(fixture("html_inline.eml"), out.path());
        QCOMPARE(m.text, QStringLiteral("Prezzi & condizioni"));
        QVERIFY(m.attachments.isEmpty());
        QVERIFY(QDir(out.path()).isEmpty());
    }

    // The envelope of a delivered PEC: the original's sender, subject and attachment, the provider's time and id.
    void certifiedDelivery()
    {
        QTemporaryDir out;
        const MailMessage m = MailReader::read(fixture("pec_delivery.eml"), out.path());
        QCOMPARE(m.senderName, QStringLiteral("Comune di Valfiorita"));
        QCOMPARE(m.senderAddress, QStringLiteral("protocollo@pec.valfiorita.example.it"));
        QCOMPARE(m.subject, QStringLiteral("Determina n. 12"));
        QCOMPARE(m.date, QDateTime::fromString(QStringLiteral("2026-03-16T10:42:17+01:00"), Qt::ISODate));
        QCOMPARE(m.text, QStringLiteral("Si trasmette la determina in allegato."));
        QCOMPARE(names(m), QStringList{QStringLiteral("determina.pdf")});
        QCOMPARE(readFileBytes(m.attachments[0].path), QByteArray("%PDF-1.4\ndetermina\n"));
        QVERIFY(m.certified);
        QCOMPARE(m.certified->id, QStringLiteral("opec21.20260316104217.12345.67.1.89@pec.example.it"));
        QCOMPARE(m.certified->kind, QStringLiteral("posta-certificata"));
        QCOMPARE(m.certified->provider, QStringLiteral("Gestore PEC di Esempio S.p.A."));
        QVERIFY(m.certified->signedByProvider);
    }

    // What cannot be registered is refused in words, and leaves no file behind.
    void refusals_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("words");
        QTest::newRow("acceptance receipt") << "pec_acceptance.eml"
                                            << "ricevuta della posta certificata (accettazione)";
        QTest::newRow("damaged") << "damaged.eml"
                                 << "danneggiato o incompleto";
        QTest::newRow("unknown charset") << "unknown_charset.eml"
                                         << "codifica sconosciuta (x-sconosciuta-42)";
        QTest::newRow("no sender") << "no_sender.eml"
                                   << "non indica il mittente";
        QTest::newRow("no subject") << "no_subject.eml"
                                    << "non ha un oggetto";
        QTest::newRow("not a message") << "../../../../assets/register/daily.svg"
                                       << "non è un messaggio";
        QTest::newRow("a folder") << "."
                                  << "non è un file di messaggio";
    }
    void refusals()
    {
        QFETCH(QString, file);
        QFETCH(QString, words);
        QTemporaryDir out;
        try {
            MailReader::read(fixture(file.toUtf8().constData()), out.path());
            QFAIL("read");
        } catch (const MailRefusal& r) {
            QVERIFY2(r.message.contains(words), qPrintable(r.message));
        }
        QVERIFY(QDir(out.path()).isEmpty());
    }

    // A large attachment goes to its file as it is decoded: the whole message is never in memory twice.
    void aLargeAttachmentIsStreamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grande.eml"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("From: a@example.it\r\nSubject: Grande\r\nMIME-Version: 1.0\r\n"
                "Content-Type: multipart/mixed; boundary=\"g\"\r\n\r\n--g\r\nContent-Type: text/plain\r\n\r\nvedi\r\n"
                "--g\r\nContent-Type: application/octet-stream\r\n"
                "Content-Disposition: attachment; filename=\"dati.bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\n");
        const QByteArray line = QByteArray(57, 'x').toBase64() + "\r\n";
        QCryptographicHash expected(QCryptographicHash::Sha256);
        for (int i = 0; i < 40 * 1024 * 1024 / 57; ++i) {
            f.write(line);
            expected.addData(QByteArray(57, 'x'));
        }
        f.write("--g--\r\n");
        f.close();
        QTemporaryDir out;
        const long before = peakKilobytes();
        const MailMessage m = MailReader::read(path, out.path());
        // 54 MB of message and 40 MB of attachment: a reader that held either would grow by that much.
        QVERIFY2(peakKilobytes() - before < 20 * 1024, qPrintable(QString::number(peakKilobytes() - before)));
        QCOMPARE(names(m), QStringList{QStringLiteral("dati.bin")});
        QFile written(m.attachments[0].path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCryptographicHash got(QCryptographicHash::Sha256);
        got.addData(&written);
        QCOMPARE(got.result(), expected.result());
    }
};

QTEST_GUILESS_MAIN(TestMailMessage)
#include "test_mail_message.moc"
