#include "addresses/attachments.h"
#include "common/errors.h"
#include "common/record_file.h"
#include "register/register_card.h"
#include "register/register_journal.h"
#include "support/test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {

RegisterCard card(const QString& number, const QString& subject)
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, number);
    c.setValue(RegisterCard::Tipologia, QStringLiteral("In entrata"));
    c.setValue(RegisterCard::DataReg, QStringLiteral("11/12/2026"));
    c.setValue(RegisterCard::Operatore, QStringLiteral("Rossi"));
    c.setValue(RegisterCard::Oggetto, subject);
    c.setValue(RegisterCard::Mittente, QStringLiteral("Comune di Pavia"));
    return c;
}

JournalAuthor author(const QString& when = QStringLiteral("2026-12-11T09:30:00+01:00"))
{
    return {QStringLiteral("mario"), JournalAuthor::kWindow, QDateTime::fromString(when, Qt::ISODate)};
}

QList<QByteArray> journalLines(const QString& yearPath)
{
    QByteArray text = readFileBytes(RegisterJournal::pathFor(yearPath));
    if (text.endsWith('\n'))
        text.chop(1);
    return text.isEmpty() ? QList<QByteArray>{} : text.split('\n');
}

QJsonObject lineObject(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

void writeLines(const QString& yearPath, const QList<QByteArray>& lines)
{
    QVERIFY(writeFileBytes(RegisterJournal::pathFor(yearPath), lines.join('\n') + '\n'));
}

RegisterCheck verified(const QString& yearPath)
{
    const RawRecordFile file(yearPath, RegisterCard::recordSize());
    return RegisterVerify::check(file);
}

} // namespace

class TestRegisterJournal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_year;

    // Two registrations (the first with a digital copy), a correction of the second and an annulment of the first.
    void writeHistory()
    {
        QDir(m_dir.path()).mkpath(Attachments::kFolderName);
        QVERIFY(writeFileBytes(QDir(Attachments::folderPath(m_dir.path())).filePath(QStringLiteral("lettera.pdf")),
                               "%PDF lettera"));
        RawRecordFile file(m_year, RegisterCard::recordSize());
        RegisterJournalWriter writer(file, author());
        RegisterCard first = card(QStringLiteral("1/2026"), QStringLiteral("Richiesta"));
        first.setValue(RegisterCard::Copia, QStringLiteral("lettera.pdf"));
        QCOMPARE(writer.registerCard(first.toBytes()), 1);
        QCOMPARE(writer.registerCard(card(QStringLiteral("2/2026"), QStringLiteral("Risposta")).toBytes()), 2);
        writer.correctCard(2, card(QStringLiteral("2/2026"), QStringLiteral("Risposta al sollecito")).toBytes());
        writer.annulCard(1, QStringLiteral("registrata due volte"));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_year = RegisterYear::filePath(m_dir.path(), QStringLiteral("2026"));
        QFile::remove(m_year);
        QFile::remove(RegisterJournal::pathFor(m_year));
    }

    // What each action leaves in the journal, line by line.
    void entriesOfEachAction_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("expected"); // the member as compact JSON
        QTest::newRow("registration holds the whole card")
            << 1 << "registrazione" << 1 << "campi/Oggetto" << "\"Richiesta\"";
        QTest::newRow("the copy's fingerprint")
            << 2 << "allegati" << 1 << "allegati"
            << QStringLiteral("[{\"campo\":\"Copia\",\"nome\":\"lettera.pdf\",\"sha256\":\"%1\"}]")
                   .arg(QString::fromLatin1(
                       QCryptographicHash::hash("%PDF lettera", QCryptographicHash::Sha256).toHex()));
        QTest::newRow("second registration") << 3 << "registrazione" << 2 << "campi/Numero" << "\"2/2026\"";
        QTest::newRow("correction holds only the changed field, old and new")
            << 4 << "correzione" << 2 << "modifiche" << "{\"Oggetto\":[\"Risposta\",\"Risposta al sollecito\"]}";
        QTest::newRow("annulment holds the reason") << 5 << "annullamento" << 1 << "motivo" << "\"registrata due volte\"";
        QTest::newRow("time with its offset") << 5 << "annullamento" << 1 << "ora" << "\"2026-12-11T09:30:00+01:00\"";
        QTest::newRow("the card's operator") << 4 << "correzione" << 2 << "operatore" << "\"Rossi\"";
        QTest::newRow("the workstation's user") << 1 << "registrazione" << 1 << "utente" << "\"mario\"";
        QTest::newRow("what wrote it") << 1 << "registrazione" << 1 << "fonte" << "\"finestra del protocollo\"";
    }
    void entriesOfEachAction()
    {
        QFETCH(int, line);
        QFETCH(QString, kind);
        QFETCH(int, place);
        QFETCH(QString, member);
        QFETCH(QString, expected);
        writeHistory();
        const QList<QByteArray> lines = journalLines(m_year);
        QCOMPARE(lines.size(), 5);
        const QJsonObject o = lineObject(lines[line - 1]);
        QCOMPARE(o.value(u"tipo").toString(), kind);
        QCOMPARE(o.value(u"scheda").toInt(), place);
        QJsonValue v = o;
        for (const QString& key : member.split(u'/'))
            v = v.toObject().value(key);
        QVERIFY2(!v.isUndefined(), qPrintable(member));
        const QByteArray json = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
        QCOMPARE(QString::fromUtf8(json.mid(1, json.size() - 2)), expected);
        QCOMPARE(o.value(u"hash").toString().size(), 64);
    }

    void untouchedHistoryPasses()
    {
        writeHistory();
        const RegisterCheck check = verified(m_year);
        QVERIFY2(check.passed(), qPrintable(check.findings().join(u'\n')));
        QCOMPARE(check.entries, 5);
        QCOMPARE(check.cards, 2);
        // The year file's record of an annulled card is not touched: the journal holds the annulment.
        const RawRecordFile file(m_year, RegisterCard::recordSize());
        QCOMPARE(RegisterCard::fromBytes(file.read(1).constData()).value(RegisterCard::Oggetto), "Richiesta");
        const QHash<int, JournalEntry> annulled = RegisterJournal::annulments(RegisterJournal::read(m_year));
        QCOMPARE(annulled.keys(), QList<int>{1});
        QCOMPARE(RegisterJournal::annulmentText(annulled[1]),
                 QStringLiteral("annullata il 11/12/2026 alle 09:30 da mario: registrata due volte"));
    }

    // Each kind of tampering is found, naming the line or the card it touched.
    void tamperingIsFound_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("finding");
        QTest::newRow("a journal line altered") << "alter" << "Storico, riga 4: la catena degli hash è interrotta";
        QTest::newRow("a journal line removed") << "remove" << "Storico, riga 3: la catena degli hash è interrotta";
        QTest::newRow("two journal lines swapped") << "swap" << "Storico, riga 3: la catena degli hash è interrotta";
        QTest::newRow("a journal line cut short") << "cut" << "Storico, riga 5: la riga non termina con il suo hash";
        QTest::newRow("a card changed with another tool")
            << "card" << "Registro, scheda 2 (protocollo 2/2026): è stata cambiata fuori dal programma (Mittente)";
        QTest::newRow("a card added with another tool")
            << "added" << "Registro, scheda 3 (protocollo 3/2026): non risulta nello storico";
        QTest::newRow("the year file cut short")
            << "truncated" << "Registro, scheda 2 (protocollo 2/2026): è nello storico ma manca nel registro";
    }
    void tamperingIsFound()
    {
        QFETCH(QString, how);
        QFETCH(QString, finding);
        writeHistory();
        QList<QByteArray> lines = journalLines(m_year);
        if (how == u"alter")
            lines[3].replace("sollecito", "solleciti");
        else if (how == u"remove")
            lines.removeAt(2);
        else if (how == u"swap")
            lines.swapItemsAt(2, 3);
        else if (how == u"cut")
            lines[4].chop(10);
        writeLines(m_year, lines);
        QByteArray year = readFileBytes(m_year);
        if (how == u"card") {
            RegisterCard changed = card(QStringLiteral("2/2026"), QStringLiteral("Risposta al sollecito"));
            changed.setValue(RegisterCard::Mittente, QStringLiteral("Comune di Lodi"));
            year = year.left(RegisterCard::recordSize()) + changed.toBytes();
        } else if (how == u"added") {
            year += card(QStringLiteral("3/2026"), QStringLiteral("Aggiunta")).toBytes();
        } else if (how == u"truncated") {
            year = year.left(RegisterCard::recordSize());
        }
        QVERIFY(writeFileBytes(m_year, year));
        const RegisterCheck check = verified(m_year);
        QVERIFY(!check.passed());
        const QString all = check.findings().join(u'\n');
        QVERIFY2(all.contains(finding), qPrintable(all));
    }

    // A card edited outside and then corrected in the program still shows that it was changed before.
    void aCorrectionOverOutsideChangesKeepsTheTrace()
    {
        writeHistory();
        RegisterCard outside = card(QStringLiteral("2/2026"), QStringLiteral("Risposta al sollecito"));
        outside.setValue(RegisterCard::Mittente, QStringLiteral("Comune di Lodi"));
        QVERIFY(writeFileBytes(m_year, readFileBytes(m_year).left(RegisterCard::recordSize()) + outside.toBytes()));
        {
            RawRecordFile file(m_year, RegisterCard::recordSize());
            RegisterJournalWriter(file, author()).correctCard(2, card(QStringLiteral("2/2026"), "Altro").toBytes());
        }
        const QString all = verified(m_year).findings().join(u'\n');
        QVERIFY2(all.contains("scheda 2 (protocollo 2/2026): prima della correzione del 11/12/2026 09:30 il campo "
                              "Mittente era stato cambiato fuori dal programma"),
                 qPrintable(all));
    }

    // A register kept before there were journals: its first write records every card as found, and it verifies.
    void aRegisterWithoutJournalGetsItsCardsAsFound()
    {
        QVERIFY(writeFileBytes(m_year, card("1/2026", "Vecchia").toBytes() + card("2/2026", "Vecchia bis").toBytes()));
        QCOMPARE(verified(m_year).entries, 0);
        QVERIFY(verified(m_year).passed());
        {
            RawRecordFile file(m_year, RegisterCard::recordSize());
            RegisterJournalWriter(file, author()).correctCard(2, card("2/2026", "Corretta").toBytes());
        }
        const QList<QByteArray> lines = journalLines(m_year);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lineObject(lines[0]).value(u"tipo").toString(), "esistente");
        QCOMPARE(lineObject(lines[1]).value(u"campi").toObject().value(u"Oggetto").toString(), "Vecchia bis");
        QCOMPARE(lineObject(lines[2]).value(u"tipo").toString(), "correzione");
        const RegisterCheck check = verified(m_year);
        QVERIFY2(check.passed(), qPrintable(check.findings().join(u'\n')));
    }

    void anAnnulledCardRefusesChanges()
    {
        writeHistory();
        RawRecordFile file(m_year, RegisterCard::recordSize());
        RegisterJournalWriter writer(file, author());
        const QByteArray before = readFileBytes(m_year);
        try {
            writer.correctCard(1, card(QStringLiteral("1/2026"), QStringLiteral("Cambiata")).toBytes());
            QFAIL("an annulled card was corrected");
        } catch (const RegisterRefusal& r) {
            QVERIFY(r.message.contains(QStringLiteral("annullata il 11/12/2026")));
        }
        QVERIFY_THROWS_EXCEPTION(RegisterRefusal, writer.annulCard(1, QStringLiteral("di nuovo")));
        QVERIFY_THROWS_EXCEPTION(RegisterRefusal, writer.annulCard(2, QStringLiteral("  ")));
        QVERIFY_THROWS_EXCEPTION(RegisterRefusal, writer.annulCard(3, QStringLiteral("inesistente")));
        QCOMPARE(readFileBytes(m_year), before);
        QCOMPARE(journalLines(m_year).size(), 5);
    }

    // The annulments a window asks for at each card follow the journal as it grows, is cut back or is replaced.
    void annulmentsFollowTheJournal()
    {
        writeHistory();
        QCOMPARE(RegisterJournal::annulmentsOf(m_year).keys(), QList<int>{1});
        const QList<QByteArray> lines = journalLines(m_year);
        writeLines(m_year, lines.first(4)); // cut back before the annulment
        QVERIFY(RegisterJournal::annulmentsOf(m_year).isEmpty());
        {
            RawRecordFile file(m_year, RegisterCard::recordSize());
            RegisterJournalWriter(file, author()).annulCard(2, QStringLiteral("errore"));
        }
        QCOMPARE(RegisterJournal::annulmentsOf(m_year).keys(), QList<int>{2});
        QCOMPARE(RegisterJournal::annulmentsOf(m_year).value(2).reason, QStringLiteral("errore"));
        // Replaced by a longer journal that begins otherwise: read again from its start.
        writeLines(m_year, QList<QByteArray>{lines[1]} + lines);
        QCOMPARE(RegisterJournal::annulmentsOf(m_year).keys(), QList<int>{1});
        QCOMPARE(RegisterJournal::annulmentsOf(m_year).value(1).reason, QStringLiteral("registrata due volte"));
    }

    // A save killed after its journal entry was written but before it was done: the next open, whatever it is for,
    // takes back the record and the journal together.
    void aKilledSaveLeavesFileAndJournalAgreeing_data()
    {
        QTest::addColumn<bool>("correction");
        QTest::newRow("registration") << false;
        QTest::newRow("correction") << true;
    }
    void aKilledSaveLeavesFileAndJournalAgreeing()
    {
        QFETCH(bool, correction);
        writeHistory();
        const QByteArray yearBefore = readFileBytes(m_year);
        const QByteArray journalBefore = readFileBytes(RegisterJournal::pathFor(m_year));
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            RawRecordFile file(m_year, RegisterCard::recordSize());
            RegisterJournalWriter writer(file, author());
            if (correction) {
                // The note is written, the journal grows, and the process dies before the record is replaced.
                file.setCompanion(RegisterJournal::pathFor(m_year));
                auto* batch = new RawRecordFile::Batch(file); // never destroyed
                batch->appendCompanion("{\"tipo\":\"correzione\"}\n");
                batch->sync();
            } else {
                auto* batch = new RawRecordFile::Batch(file); // never destroyed
                writer.registerCard(*batch, card(QStringLiteral("3/2026"), QStringLiteral("Persa")).toBytes());
                batch->sync();
            }
            ::_exit(0);
        }
        int status = -1;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        QVERIFY(readFileBytes(RegisterJournal::pathFor(m_year)).size() > journalBefore.size());
        const RegisterCheck check = verified(m_year);
        QVERIFY2(check.passed(), qPrintable(check.findings().join(u'\n')));
        QCOMPARE(readFileBytes(m_year), yearBefore);
        QCOMPARE(readFileBytes(RegisterJournal::pathFor(m_year)), journalBefore);
    }

    // An action given up takes its journal lines back at once.
    void anActionGivenUpTakesItsEntriesBack()
    {
        writeHistory();
        const QByteArray journalBefore = readFileBytes(RegisterJournal::pathFor(m_year));
        RawRecordFile file(m_year, RegisterCard::recordSize());
        file.setCompanion(RegisterJournal::pathFor(m_year));
        {
            RawRecordFile::Batch batch(file);
            batch.appendCompanion("riga\n");
        }
        QCOMPARE(readFileBytes(RegisterJournal::pathFor(m_year)), journalBefore);
    }
};

QTEST_GUILESS_MAIN(TestRegisterJournal)
#include "test_register_journal.moc"
