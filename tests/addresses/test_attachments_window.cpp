#include "addresses/address_archive_window.h"
#include "addresses/attachments.h"
#include "addresses/attachments_window.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString kReplaceQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

AttachmentSlots threeAttachments()
{
    AttachmentSlots s;
    s.files = {QStringLiteral("a.pdf"), QStringLiteral("b.pdf"), QStringLiteral("c.pdf")};
    s.descriptions = {QStringLiteral("Primo"), QStringLiteral("Secondo"), QStringLiteral("Terzo")};
    return s;
}

} // namespace

class TestAttachmentsWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;

    QString folder() const { return m_ctx->path(QStringLiteral("Documenti_Allegati")); }
    QString source(const QString& name) const { return m_ctx->path(QStringLiteral("origine/") + name); }

    // Opens the dialog from the archive window's button and lets `drive` work in it while it is modal.
    void inArchiveDialog(AddressArchiveWindow& window, const std::function<void(AttachmentsWindow*)>& drive)
    {
        inModal<AttachmentsWindow>(
            &window,
            [&] { QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdFile")), Qt::LeftButton); },
            drive);
    }
    static void click(QDialog* dialog, const QString& name)
    {
        auto* w = dialog->findChild<QAbstractButton*>(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton);
    }
    static QLineEdit* edit(QDialog* dialog, const QString& name) { return dialog->findChild<QLineEdit*>(name); }

private Q_SLOTS:
    void init() { m_ctx = new TestContext; }
    void cleanup() { delete m_ctx; }

    void dialogShowsTheCallersTextsTrimmed()
    {
        AttachmentSlots s = threeAttachments();
        s.files[1] = QStringLiteral("  b.pdf \t");
        AttachmentsWindow dialog(m_ctx->context, AttachmentsWindow::Mode::AddressArchive, s, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(edit(&dialog, QStringLiteral("txtFile02"))->text(), QStringLiteral("b.pdf"));
        QVERIFY(edit(&dialog, QStringLiteral("txtFile01"))->isReadOnly());
        QVERIFY(!edit(&dialog, QStringLiteral("txtDesc01"))->isReadOnly());
        QCOMPARE(dialog.attachments(), threeAttachments());
    }

    void openButtonFollowsTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks") << QStringLiteral("   ") << false;
        QTest::newRow("a name") << QStringLiteral("lettera.odt") << true;
    }
    void openButtonFollowsTheName()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        AttachmentSlots s;
        s.files = {name, QStringLiteral("x.pdf"), name};
        AttachmentsWindow dialog(m_ctx->context, AttachmentsWindow::Mode::AddressArchive, s, nullptr);
        // As the caller filled it in.
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnApri01"))->isEnabled(), enabled);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnApri03"))->isEnabled(), enabled);
        // Cleared with the cross, and filled by a pick.
        click(&dialog, QStringLiteral("imgCancella02"));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("btnApri02"))->isEnabled());
        writeFile(source(QStringLiteral("nuovo.pdf")), "pdf");
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("nuovo.pdf")));
        click(&dialog, QStringLiteral("btnSfoglia02"));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("btnApri02"))->isEnabled());
    }

    void firstPickCreatesTheFolderAndCopiesAtOnce()
    {
        writeFile(source(QStringLiteral("fattura 12.pdf")), "contenuto");
        QVERIFY(!QFileInfo::exists(folder()));
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("fattura 12.pdf")));
        const QString name = AttachDocument(m_ctx->context, nullptr, QString());
        QCOMPARE(name, QStringLiteral("fattura 12.pdf"));
        QCOMPARE(m_ctx->fileChooser.titles, QStringList{QStringLiteral("Selezionare il file da allegare:")});
        QCOMPARE(readFile(folder() + QStringLiteral("/fattura 12.pdf")), QByteArray("contenuto"));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void existingDocumentAsksBeforeReplacing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes replaces") << true;
        QTest::newRow("no keeps the old copy") << false;
    }
    void existingDocumentAsksBeforeReplacing()
    {
        QFETCH(bool, answer);
        writeFile(folder() + QStringLiteral("/lettera.odt"), "vecchio");
        writeFile(source(QStringLiteral("lettera.odt")), "nuovo");
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("lettera.odt")));
        m_ctx->messages.queueAnswer(answer);
        const QString name = AttachDocument(m_ctx->context, nullptr, QStringLiteral("precedente.pdf"));
        // The field takes the new name either way.
        QCOMPARE(name, QStringLiteral("lettera.odt"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Confirmation);
        QCOMPARE(m_ctx->messages.log()[0].text, kReplaceQuestion);
        QCOMPARE(readFile(folder() + QStringLiteral("/lettera.odt")), answer ? QByteArray("nuovo") : "vecchio");
    }

    void failedCopyKeepsTheOldDocument()
    {
        writeFile(folder() + QStringLiteral("/lettera.odt"), "vecchio");
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("sparito/lettera.odt")));
        const QString name = AttachDocument(m_ctx->context, nullptr, QString());
        QCOMPARE(name, QStringLiteral("lettera.odt"));
        QCOMPARE(readFile(folder() + QStringLiteral("/lettera.odt")), QByteArray("vecchio"));
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("lettera.odt")});
        // Copy failures are silent; only the replace question was asked.
        QCOMPARE(m_ctx->messages.log().size(), 1);
    }

    void cancelledFileDialogDoesNothing()
    {
        // The field's own name must not be copied from wherever the process happens to be.
        writeFile(QDir::current().filePath(QStringLiteral("relativo.pdf")), "qui");
        const QString name = AttachDocument(m_ctx->context, nullptr, QStringLiteral("relativo.pdf"));
        QFile::remove(QDir::current().filePath(QStringLiteral("relativo.pdf")));
        QCOMPARE(name, QStringLiteral("relativo.pdf"));
        QVERIFY(!QFileInfo::exists(folder()));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    // A file name may hold any byte but '/' and NUL; one the card could not keep is not copied at all.
    void aPickedNameThatReducesToNothingCopiesNothing()
    {
        const QString odd = source(QStringLiteral("..\x01x"));
        writeFile(odd, "strano");
        m_ctx->fileChooser.answers.enqueue(odd);
        QCOMPARE(AttachDocument(m_ctx->context, nullptr, QStringLiteral("prima.pdf")), QStringLiteral("prima.pdf"));
        QVERIFY(!QFileInfo::exists(folder()));
        QVERIFY(QFileInfo::exists(odd));

        writeFile(source(QStringLiteral("nota\x02"
                                        "bis.txt")),
                  "nota");
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("nota\x02"
                                                                 "bis.txt")));
        QCOMPARE(AttachDocument(m_ctx->context, nullptr, QString()), QStringLiteral("nota"));
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("nota")});
    }

    void pickingTheFoldersOwnCopyKeepsIt()
    {
        writeFile(folder() + QStringLiteral("/gia.pdf"), "dentro");
        m_ctx->fileChooser.answers.enqueue(folder() + QStringLiteral("/gia.pdf"));
        QCOMPARE(AttachDocument(m_ctx->context, nullptr, QString()), QStringLiteral("gia.pdf"));
        QCOMPARE(readFile(folder() + QStringLiteral("/gia.pdf")), QByteArray("dentro"));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void openHandsTheQuotedPathToTheShell_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened"); // empty: nothing is opened
        QTest::newRow("plain") << "  verbale 3.pdf "
                               << "verbale 3.pdf";
        QTest::newRow("climbing out") << "../../etc/passwd"
                                      << "passwd";
        QTest::newRow("a Windows path") << "C:\\Documenti\\contratto.doc"
                                        << "contratto.doc";
        QTest::newRow("parent folder") << ".."
                                       << "";
        QTest::newRow("blank") << "   "
                               << "";
        // Cut at the first control character before the reduction, never after it.
        QTest::newRow("parent, NUL, then a name") << QStringLiteral("..") + QChar(0) + QStringLiteral("x") << "";
        QTest::newRow("a name, NUL, then a path")
            << QStringLiteral("a.pdf") + QChar(0) + QStringLiteral("/../..") << "a.pdf";
        QTest::newRow("current folder, tab, a name") << QStringLiteral(".\tlettera.odt") << "";
        QTest::newRow("a control of the undefined bytes") << QStringLiteral("..\u0081/x") << "";
        QTest::newRow("a path, then a control") << QStringLiteral("doc/../verbale.pdf\x01../..") << "verbale.pdf";
    }
    void openHandsTheQuotedPathToTheShell()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        OpenAttachedDocument(m_ctx->context, stored);
        if (opened.isEmpty()) {
            QVERIFY(m_ctx->shell.opened.isEmpty());
        } else {
            QCOMPARE(m_ctx->shell.opened, QStringList{u'"' + folder() + u'/' + opened + u'"'});
        }
    }

    void apriOpensTheSlotsDocument()
    {
        AttachmentsWindow dialog(m_ctx->context, AttachmentsWindow::Mode::Register, threeAttachments(), nullptr);
        QCOMPARE(dialog.mode(), AttachmentsWindow::Mode::Register);
        click(&dialog, QStringLiteral("btnApri03"));
        QCOMPARE(m_ctx->shell.opened, QStringList{u'"' + folder() + QStringLiteral("/c.pdf\"")});
    }

    void clearSlotTwoThenApplyAndSave()
    {
        fillOneCardWithAttachments();
        writeFile(folder() + QStringLiteral("/b.pdf"), "b");
        AddressArchiveWindow window(m_ctx->context);
        window.show();
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        inArchiveDialog(window, [](AttachmentsWindow* d) {
            click(d, QStringLiteral("imgCancella02"));
            click(d, QStringLiteral("btnApplica"));
        });
        QCOMPARE(window.attachments().files[1], QString());
        QCOMPARE(window.attachments().descriptions[1], QStringLiteral("Secondo"));
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
        const AddressCard stored = AddressCardFile(m_ctx->dir.path()).read(1);
        QCOMPARE(stored.value(AddressCard::File01), QStringLiteral("a.pdf"));
        QCOMPARE(stored.value(AddressCard::File02), QString());
        QCOMPARE(stored.value(AddressCard::File03), QStringLiteral("c.pdf"));
        QVERIFY(QFileInfo::exists(folder() + QStringLiteral("/b.pdf")));
    }

    void cancelAfterAPickKeepsTheHoldersButNotTheCopy()
    {
        fillOneCardWithAttachments();
        writeFile(source(QStringLiteral("nuovo.pdf")), "nuovo");
        m_ctx->fileChooser.answers.enqueue(source(QStringLiteral("nuovo.pdf")));
        AddressArchiveWindow window(m_ctx->context);
        window.show();
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        inArchiveDialog(window, [](AttachmentsWindow* d) {
            click(d, QStringLiteral("btnSfoglia01"));
            QCOMPARE(edit(d, QStringLiteral("txtFile01"))->text(), QStringLiteral("nuovo.pdf"));
            click(d, QStringLiteral("btnAnnulla"));
        });
        QCOMPARE(window.attachments().files[0], QStringLiteral("a.pdf"));
        QCOMPARE(readFile(folder() + QStringLiteral("/nuovo.pdf")), QByteArray("nuovo"));
    }

    void longDescriptionIsCutWhenSaved()
    {
        const QString description = QString(300, u'd');
        AddressArchiveWindow window(m_ctx->context);
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("txtNome"))->setText(QStringLiteral("Con allegato"));
        inArchiveDialog(window, [&](AttachmentsWindow* d) {
            edit(d, QStringLiteral("txtDesc03"))->setText(description);
            QCOMPARE(edit(d, QStringLiteral("txtDesc03"))->text(), description);
            click(d, QStringLiteral("btnApplica"));
        });
        QCOMPARE(window.attachments().descriptions[2], description);
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
        QCOMPARE(AddressCardFile(m_ctx->dir.path()).read(1).value(AddressCard::Desc03), QString(250, u'd'));
    }

private:
    void fillOneCardWithAttachments()
    {
        AddressCard card;
        card.setValue(AddressCard::Nome, QStringLiteral("Bianchi"));
        const AttachmentSlots s = threeAttachments();
        for (int i = 0; i < 3; ++i) {
            card.setValue(AddressCard::File01 + i, s.files[i]);
            card.setValue(AddressCard::Desc01 + i, s.descriptions[i]);
        }
        AddressCardFile(m_ctx->dir.path()).append(card);
    }
};

QTEST_MAIN(TestAttachmentsWindow)
#include "test_attachments_window.moc"
