// The record window the address cards, the label sheets and the register share: browsing and saving, the question
// before typed work is given up, and no save over a newer one. Every case runs on each of the three windows.
#include "addresses/address_archive_window.h"
#include "common/lock_wait_gui.h"
#include "labels/label_sheet_window.h"
#include "register/register_window.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using Kind = Messages::Kind;
using Answer = Messages::Answer;
Q_DECLARE_METATYPE(Messages::Answer)

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kSaveChanges = QStringLiteral("Salvare le modifiche alla scheda?");

// One of the three archives as its window shows it: record n carries the mark "Scheda n" in one field, and a user's
// change goes into another (the note of a card, label slot 02 of a sheet).
struct Archive
{
    QString path;        // the archive file
    QString cliName;     // as the batch tool names it, with its year for the register
    QString markField;   // the field that tells record n by "Scheda n"
    QString changeField; // the field a change goes into
    std::function<RecordWindow*(const AppContext&)> makeWindow;
    std::function<void(int count)> fill;
    // Types `text` as a user would change the record on screen.
    std::function<void(RecordWindow*, const QString& text)> change;
    // What the screen shows in the change's field.
    std::function<QString(RecordWindow*)> changed;
    // What a save needs beyond the mark on a new record.
    std::function<void(RecordWindow*)> completeNew;
};

QString mark(int n)
{
    return QStringLiteral("Scheda %1").arg(n);
}

// The address cards and the register cards both have a note field.
void typeNote(RecordWindow* w, const QString& text)
{
    w->findChild<QLineEdit*>(QStringLiteral("txtNote"))->setText(text);
}

QString noteOnScreen(RecordWindow* w)
{
    return w->findChild<QLineEdit*>(QStringLiteral("txtNote"))->text();
}

Archive archive(const QString& kind, const QString& folder)
{
    Archive a;
    if (kind == QLatin1String("indirizzi")) {
        a.path = QDir(folder).filePath(AddressCardFile::kFileName);
        a.cliName = QStringLiteral("addresses");
        a.markField = QStringLiteral("txtNome");
        a.changeField = QStringLiteral("Note");
        a.makeWindow = [](const AppContext& c) { return new AddressArchiveWindow(c); };
        a.fill = [folder](int count) {
            AddressCardFile file(folder);
            for (int n = 1; n <= count; ++n) {
                AddressCard card;
                card.setValue(AddressCard::Nome, mark(n));
                card.setValue(AddressCard::File02, QStringLiteral("doc%1.pdf").arg(n));
                file.append(card);
            }
        };
        a.change = typeNote;
        a.changed = noteOnScreen;
        a.completeNew = [](RecordWindow*) {};
    } else if (kind == QLatin1String("etichette")) {
        a.path = QDir(folder).filePath(LabelSheetFile::kFileName);
        a.cliName = QStringLiteral("labels");
        a.markField = QStringLiteral("txtNome_E01");
        a.changeField = QStringLiteral("Nome_E02");
        a.makeWindow = [](const AppContext& c) { return new LabelSheetWindow(c); };
        a.fill = [folder](int count) {
            LabelSheetFile file(folder);
            for (int n = 1; n <= count; ++n) {
                LabelSheet sheet;
                sheet.setName(1, mark(n));
                sheet.setLine(1, 1, QStringLiteral("Via %1").arg(n));
                file.append(sheet);
            }
        };
        // Slots are filled by importing an address card.
        a.change = [](RecordWindow* w, const QString& text) {
            AddressCard card;
            card.setValue(AddressCard::Nome, text);
            static_cast<LabelSheetWindow*>(w)->importCard(2, card);
        };
        a.changed = [](RecordWindow* w) { return w->findChild<QLineEdit*>(QStringLiteral("txtNome_E02"))->text(); };
        a.completeNew = [](RecordWindow*) {};
    } else {
        a.path = RegisterYear::filePath(folder, QStringLiteral("2024"));
        a.cliName = QStringLiteral("register 2024");
        a.markField = QStringLiteral("txtOggetto");
        a.changeField = QStringLiteral("Note");
        const QString path = a.path;
        a.makeWindow = [path](const AppContext& c) {
            auto* w = new RegisterWindow(c);
            w->openYear(path, QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2024"));
            return w;
        };
        a.fill = [path](int count) {
            RegisterFile file(path);
            for (int n = 1; n <= count; ++n) {
                RegisterCard card;
                card.setValue(RegisterCard::Numero, QString::number(n));
                card.setValue(RegisterCard::DataReg, QStringLiteral("01/02/2024"));
                card.setValue(RegisterCard::Tipologia, QStringLiteral("In entrata"));
                card.setValue(RegisterCard::Categoria, QStringLiteral("Fatture"));
                card.setValue(RegisterCard::Oggetto, mark(n));
                file.append(card);
            }
        };
        a.change = typeNote;
        a.changed = noteOnScreen;
        a.completeNew = [](RecordWindow* w) {
            w->findChild<QLineEdit*>(QStringLiteral("txtNumero"))->setText(QStringLiteral("99"));
            w->findChild<QLineEdit*>(QStringLiteral("txtCategoria"))->setText(QStringLiteral("Fatture"));
            w->findChild<QRadioButton*>(QStringLiteral("optUscita"))->setChecked(true);
        };
    }
    return a;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestRecordWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> m_ctx;
    Archive m_archive;
    std::unique_ptr<RecordWindow> m_window;

    RecordWindow* open()
    {
        auto* w = m_archive.makeWindow(m_ctx->context);
        w->show();
        return w;
    }
    void click(const QString& name, RecordWindow* w = nullptr)
    {
        auto* button = (w ? w : m_window.get())->findChild<QToolButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString shownMark(RecordWindow* w = nullptr)
    {
        return (w ? w : m_window.get())->findChild<QLineEdit*>(m_archive.markField)->text();
    }
    QString positionText() { return m_window->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    const QList<RecordingMessages::Entry>& log() { return m_ctx->messages.log(); }
    QStringList texts()
    {
        QStringList all;
        for (const auto& e : log())
            all << e.text;
        return all;
    }
    void goTo(int n)
    {
        click(QStringLiteral("cmdPrimo"));
        for (int i = 1; i < n; ++i)
            click(QStringLiteral("cmdAvanti"));
        QCOMPARE(m_window->position(), n);
        m_ctx->messages.clear();
    }
    // The stored record's value of one field, as the batch tool dumps it.
    QString storedValue(int n, const QString& field)
    {
        const CliResult r = runCli(m_ctx->dir.path(), (QStringLiteral("dump ") + m_archive.cliName).split(u' '));
        const QList<QByteArray> lines = r.out.split('\n');
        if (r.exitCode != 0 || lines.size() < n)
            return QStringLiteral("<no record %1>").arg(n);
        return QJsonDocument::fromJson(lines[n - 1]).object().value(field).toString();
    }
    // The batch tool rewrites record n with one field changed.
    void writeWithCli(int n, const QString& field, const QString& value)
    {
        const QString folder = m_ctx->dir.path();
        const CliResult dump = runCli(folder, (QStringLiteral("dump ") + m_archive.cliName).split(u' '));
        QJsonObject record = QJsonDocument::fromJson(dump.out.split('\n')[n - 1]).object();
        record[field] = value;
        const CliResult write = runCli(folder, QStringLiteral("write %1 %2").arg(m_archive.cliName).arg(n).split(u' '),
                                       QJsonDocument(record).toJson(QJsonDocument::Compact));
        QCOMPARE(write.exitCode, 0);
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = std::make_unique<TestContext>();
        m_archive = archive(QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0), m_ctx->dir.path());
        m_window.reset(open());
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_ctx.reset();
    }

    void moves_data()
    {
        QTest::addColumn<int>("records"); // -1: no archive file at all
        QTest::addColumn<int>("start");   // 0: a new record
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("expected"); // 0: no position
        QTest::addColumn<bool>("emptyMessage");

        struct Row
        {
            const char* name;
            int records, start;
            const char* command;
            int expected;
            bool emptyMessage;
        };
        const Row rows[] = {
            {"first", 3, 2, "cmdPrimo", 1, false},
            {"last", 3, 1, "cmdUltimo", 3, false},
            {"previous", 3, 3, "cmdIndietro", 2, false},
            {"next", 3, 2, "cmdAvanti", 3, false},
            {"previous on the first", 3, 1, "cmdIndietro", 1, false},
            {"next on the last", 3, 3, "cmdAvanti", 3, false},
            {"next from a new record", 3, 0, "cmdAvanti", 1, false},
            {"previous from a new record", 3, 0, "cmdIndietro", 1, false},
            {"last from a new record", 3, 0, "cmdUltimo", 3, false},
            {"first, empty archive", 0, 0, "cmdPrimo", 0, true},
            {"previous, empty archive", 0, 0, "cmdIndietro", 0, true},
            {"next, no archive", -1, 0, "cmdAvanti", 0, true},
            {"last, no archive", -1, 0, "cmdUltimo", 0, true},
        };
        for (const char* kind : {"indirizzi", "etichette", "protocollo"})
            for (const Row& r : rows)
                QTest::addRow("%s %s", kind, r.name)
                    << r.records << r.start << r.command << r.expected << r.emptyMessage;
    }
    void moves()
    {
        QFETCH(int, records);
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(int, expected);
        QFETCH(bool, emptyMessage);
        if (records >= 0)
            m_archive.fill(records);
        if (start > 0)
            goTo(start);
        const QByteArray before = fileBytes(m_archive.path);

        click(command);

        QVERIFY(QFile::exists(m_archive.path));
        QCOMPARE(fileBytes(m_archive.path), before);
        QCOMPARE(m_window->position(), expected);
        QCOMPARE(positionText(), expected ? QString::number(expected) : QString());
        // A screen reader hears the number.
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblPosizione"))->accessibleName(),
                 expected ? mark(expected) : QStringLiteral("Scheda nuova"));
        QCOMPARE(texts(), emptyMessage ? QStringList{kEmptyArchive} : QStringList());
        if (expected > 0)
            QCOMPARE(shownMark(), mark(expected));
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    void saveAppendsThenRewritesInPlace_data()
    {
        QTest::addColumn<int>("records");
        for (const char* kind : {"indirizzi", "etichette", "protocollo"}) {
            QTest::addRow("%s into a missing archive", kind) << -1;
            QTest::addRow("%s after 3 records", kind) << 3;
        }
    }
    void saveAppendsThenRewritesInPlace()
    {
        QFETCH(int, records);
        if (records > 0)
            m_archive.fill(records);
        const int expected = qMax(records, 0) + 1;
        m_ctx->messages.clear();
        m_window->findChild<QLineEdit*>(m_archive.markField)->setText(mark(expected));
        m_archive.completeNew(m_window.get());
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(texts(), QStringList{kAppended});
        QCOMPARE(m_window->position(), expected);
        QVERIFY(!m_window->hasUnsavedChanges());

        // A second save of the same record rewrites it; the records before it keep their bytes.
        const QByteArray before = fileBytes(m_archive.path);
        m_archive.change(m_window.get(), QStringLiteral("corretto"));
        QVERIFY(m_window->hasUnsavedChanges());
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(texts(), (QStringList{kAppended, kUpdated}));
        QCOMPARE(m_window->position(), expected);
        const QByteArray after = fileBytes(m_archive.path);
        QCOMPARE(after.size(), before.size());
        const int recordSize = int(before.size()) / expected;
        QCOMPARE(after.left(recordSize * (expected - 1)), before.left(recordSize * (expected - 1)));
        QCOMPARE(storedValue(expected, m_archive.changeField), QStringLiteral("corretto"));
    }

    // Text the archive cannot store is never saved as '?' in silence: the save names the characters and asks; No
    // keeps the screen to correct, Yes stores them as '?'. A letter with a base letter is kept as that letter.
    void unstorableTextIsAskedAbout_data()
    {
        QTest::addColumn<int>("unused");
        for (const char* kind : {"indirizzi", "etichette", "protocollo"})
            QTest::addRow("%s", kind) << 0;
    }
    void unstorableTextIsAskedAbout()
    {
        m_archive.fill(1);
        goTo(1);
        const QByteArray before = fileBytes(m_archive.path);
        m_archive.change(m_window.get(), QStringLiteral("Dvořák Дмитрий"));
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::No);
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(texts(), QStringList{RecordWindow::kUnstorable.arg(QStringLiteral(
                              "«Д» (U+0414), «м» (U+043C), «и» (U+0438), «т» (U+0442), «р» (U+0440), «й» (U+0439)"))});
        QCOMPARE(fileBytes(m_archive.path), before);
        QVERIFY(m_window->hasUnsavedChanges());
        QCOMPARE(m_archive.changed(m_window.get()), QStringLiteral("Dvořák Дмитрий"));

        m_ctx->messages.clear();
        m_archive.change(m_window.get(), QStringLiteral("Dvořák Д"));
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::Yes);
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(texts(), (QStringList{RecordWindow::kUnstorable.arg(QStringLiteral("«Д» (U+0414)")), kUpdated}));
        QCOMPARE(storedValue(1, m_archive.changeField), QStringLiteral("Dvorák ?"));
    }

    // Esc (the window's close), New and each move that would show another record ask first when the screen differs
    // from the stored record; the answers save, give up or keep the screen.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("left");  // the screen was given up
        QTest::addColumn<bool>("saved"); // the change reached the archive
        for (const char* kind : {"indirizzi", "etichette", "protocollo"}) {
            for (const char* command : {"cmdNuovo", "cmdEsci", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"})
                QTest::addRow("%s %s, no", kind, command) << command << Answer::No << true << false;
            QTest::addRow("%s cmdEsci, yes", kind) << "cmdEsci" << Answer::Yes << true << true;
            QTest::addRow("%s cmdAvanti, yes", kind) << "cmdAvanti" << Answer::Yes << true << true;
            QTest::addRow("%s cmdNuovo, cancel", kind) << "cmdNuovo" << Answer::Cancel << false << false;
            QTest::addRow("%s cmdEsci, cancel", kind) << "cmdEsci" << Answer::Cancel << false << false;
            QTest::addRow("%s cmdIndietro, cancel", kind) << "cmdIndietro" << Answer::Cancel << false << false;
        }
    }
    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, command);
        QFETCH(Answer, answer);
        QFETCH(bool, left);
        QFETCH(bool, saved);
        m_archive.fill(3);
        goTo(2);
        m_archive.change(m_window.get(), QStringLiteral("non salvato"));
        m_ctx->messages.queueQuestionAnswer(answer);

        click(command);

        QVERIFY(!log().isEmpty());
        QCOMPARE(log().first().kind, Kind::Question);
        QCOMPARE(texts(), saved ? (QStringList{kSaveChanges, kUpdated}) : (QStringList{kSaveChanges}));
        QCOMPARE(storedValue(2, m_archive.changeField), saved ? QStringLiteral("non salvato") : QString());
        if (command == QLatin1String("cmdEsci"))
            QCOMPARE(m_window->isVisible(), !left);
        else
            QCOMPARE(m_window->position() != 2, left);
        if (!left) {
            QCOMPARE(m_archive.changed(m_window.get()), QStringLiteral("non salvato"));
            QVERIFY(m_window->hasUnsavedChanges());
        }
    }

    void nothingIsAskedWithoutAChange_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("stored"); // on a stored record, else on a new one
        for (const char* kind : {"indirizzi", "etichette", "protocollo"})
            for (const char* command : {"cmdNuovo", "cmdEsci", "cmdAvanti", "cmdUltimo"}) {
                QTest::addRow("%s %s on a stored record", kind, command) << command << true;
                QTest::addRow("%s %s on a new record", kind, command) << command << false;
            }
    }
    void nothingIsAskedWithoutAChange()
    {
        QFETCH(QString, command);
        QFETCH(bool, stored);
        m_archive.fill(3);
        if (stored)
            goTo(2);
        // A change undone is no change.
        m_archive.change(m_window.get(), QStringLiteral("provvisorio"));
        m_archive.change(m_window.get(), QString());
        click(command);
        QVERIFY(texts().isEmpty());
    }

    // A move that stays where it is (Previous on the first record) gives up nothing, so it asks nothing.
    void aMoveThatStaysAsksNothing()
    {
        QFETCH(QString, kind);
        m_archive.fill(3);
        goTo(1);
        m_archive.change(m_window.get(), QStringLiteral("non salvato"));
        click(QStringLiteral("cmdIndietro"));
        QVERIFY(texts().isEmpty());
        QCOMPARE(m_archive.changed(m_window.get()), QStringLiteral("non salvato"));
    }
    void aMoveThatStaysAsksNothing_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"indirizzi", "etichette", "protocollo"})
            QTest::addRow("%s", kind) << kind;
    }

    // Two windows (or a window and the batch tool) on one archive: the later save never overwrites the earlier one
    // unseen. Yes reloads what is stored; No keeps the screen, and the next save overwrites knowingly.
    void aNewerSaveIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("byBatchTool");
        QTest::addColumn<Answer>("answer");
        for (const char* kind : {"indirizzi", "etichette", "protocollo"}) {
            QTest::addRow("%s other window, reload", kind) << false << Answer::Yes;
            QTest::addRow("%s batch tool, reload", kind) << true << Answer::Yes;
            QTest::addRow("%s other window, keep and save again", kind) << false << Answer::No;
            QTest::addRow("%s other window, cancel", kind) << false << Answer::Cancel;
        }
    }
    void aNewerSaveIsNeverOverwritten()
    {
        QFETCH(bool, byBatchTool);
        QFETCH(Answer, answer);
        m_archive.fill(3);
        goTo(2);
        if (byBatchTool) {
            writeWithCli(2, m_archive.changeField, QStringLiteral("dalla postazione A"));
        } else {
            std::unique_ptr<RecordWindow> other(open());
            for (int i = 0; i < 2; ++i)
                click(QStringLiteral("cmdAvanti"), other.get());
            QCOMPARE(other->position(), 2);
            m_archive.change(other.get(), QStringLiteral("dalla postazione A"));
            click(QStringLiteral("cmdSalva"), other.get());
            m_ctx->messages.clear();
        }
        const QByteArray afterA = fileBytes(m_archive.path);

        m_archive.change(m_window.get(), QStringLiteral("dalla postazione B"));
        m_ctx->messages.queueQuestionAnswer(answer);
        click(QStringLiteral("cmdSalva"));

        QCOMPARE(fileBytes(m_archive.path), afterA);
        QCOMPARE(log().size(), 1);
        QCOMPARE(log().first().kind, Kind::Question);
        QVERIFY(log().first().text.startsWith(QStringLiteral("Attenzione: dopo che questa scheda è stata aperta")));
        QCOMPARE(m_window->position(), 2);
        QCOMPARE(m_archive.changed(m_window.get()),
                 answer == Answer::Yes ? QStringLiteral("dalla postazione A") : QStringLiteral("dalla postazione B"));
        QCOMPARE(m_window->hasUnsavedChanges(), answer != Answer::Yes);

        m_ctx->messages.clear();
        m_ctx->messages.queueQuestionAnswer(Answer::Cancel);
        click(QStringLiteral("cmdSalva"));
        if (answer == Answer::No) {
            // Overwritten knowingly.
            QCOMPARE(texts(), QStringList{kUpdated});
            QCOMPARE(storedValue(2, m_archive.changeField), QStringLiteral("dalla postazione B"));
        } else if (answer == Answer::Cancel) {
            // Still refused: the user has not yet said what to do.
            QCOMPARE(fileBytes(m_archive.path), afterA);
        } else {
            QCOMPARE(texts(), QStringList{kUpdated});
            QCOMPARE(fileBytes(m_archive.path), afterA);
        }
    }

    // Another workstation holds the archive. For the first moment the window just waits; then it says so and lets
    // the user give up, which ends the action with the access error and leaves the screen and the archive as they
    // were. A lock let go meanwhile lets the action finish.
    void aHeldArchiveIsWaitedForOrGivenUp_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("holdMs");     // -1: until given up
        QTest::addColumn<int>("patienceMs"); // how long before the box shows
        QTest::addColumn<bool>("boxShown");
        for (const char* kind : {"indirizzi", "etichette", "protocollo"}) {
            QTest::addRow("%s save, let go within the first second", kind) << "cmdSalva" << 150 << 1000 << false;
            QTest::addRow("%s save, let go while the box shows", kind) << "cmdSalva" << 700 << 150 << true;
            QTest::addRow("%s save, given up", kind) << "cmdSalva" << -1 << 150 << true;
            QTest::addRow("%s next, given up", kind) << "cmdAvanti" << -1 << 150 << true;
        }
    }
    void aHeldArchiveIsWaitedForOrGivenUp()
    {
        QFETCH(QString, command);
        QFETCH(int, holdMs);
        QFETCH(int, patienceMs);
        QFETCH(bool, boxShown);
        const bool givenUp = holdMs < 0;
        m_archive.fill(3);
        goTo(2);
        if (command == QLatin1String("cmdSalva"))
            m_archive.change(m_window.get(), QStringLiteral("in attesa"));
        const QString screenBefore = m_archive.changed(m_window.get());
        const QByteArray before = fileBytes(m_archive.path);

        LockWaitBox box(patienceMs);
        const ScopedLockWait installed(&box);
        LockHolder holder(m_archive.path, holdMs);
        QVERIFY(holder.holds());
        // The box is looked for while the window waits: only then are events handled.
        QStringList seen;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, [&] {
            auto* shown = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (!shown || !shown->isVisible() || !seen.isEmpty())
                return;
            seen << shown->objectName() << shown->labelText();
            if (givenUp) {
                auto* cancel = shown->findChild<QPushButton*>();
                QVERIFY(cancel);
                QCOMPARE(cancel->text(), QStringLiteral("Annulla"));
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        poll.start();
        click(command);
        poll.stop();

        QCOMPARE(seen,
                 boxShown ? (QStringList{QStringLiteral("frmAttesaArchivio"), LockWaitBox::kWaiting}) : QStringList());
        QVERIFY(!QApplication::activeModalWidget());
        if (givenUp) {
            QCOMPARE(log().size(), 1);
            QCOMPARE(log().first().kind, Kind::Error);
            // The archive is held, not forbidden: the message says so.
            QCOMPARE(log().first().text, Errors::archiveInUse(m_archive.path));
            QCOMPARE(m_window->position(), 2);
            QCOMPARE(m_archive.changed(m_window.get()), screenBefore);
            QCOMPARE(m_window->hasUnsavedChanges(), command == QLatin1String("cmdSalva"));
            holder.release();
            QCOMPARE(fileBytes(m_archive.path), before);
        } else {
            QCOMPARE(texts(), QStringList{kUpdated});
            QCOMPARE(storedValue(2, m_archive.changeField), QStringLiteral("in attesa"));
        }
    }
};

QTEST_MAIN(TestRecordWindow)
#include "test_record_window.moc"
