#include "addresses/address_archive_window.h"
#include "common/errors.h"
#include "help/help_topics.h"
#include "support/test_support.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using Kind = Messages::Kind;
Q_DECLARE_METATYPE(Messages::Kind)

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QStringList kFieldNames = {QStringLiteral("txtNome"),   QStringLiteral("txtTipo"),   QStringLiteral("txtRigo01"),
                                 QStringLiteral("txtRigo02"), QStringLiteral("txtRigo03"), QStringLiteral("txtRigo04"),
                                 QStringLiteral("txtRigo05"), QStringLiteral("txtRigo06"), QStringLiteral("txtNote")};

AddressCard makeCard(int n, bool withAttachments = false)
{
    AddressCard card;
    card.setValue(AddressCard::Nome, QStringLiteral("Nome %1").arg(n));
    card.setValue(AddressCard::Tipo, QStringLiteral("Tipo %1").arg(n));
    for (int i = 0; i < 6; ++i)
        card.setValue(AddressCard::Rigo01 + i, QStringLiteral("Rigo %1.%2").arg(n).arg(i + 1));
    card.setValue(AddressCard::Note, QStringLiteral("Nota %1").arg(n));
    if (withAttachments)
        for (int i = 0; i < 3; ++i) {
            card.setValue(AddressCard::File01 + i, QStringLiteral("doc%1_%2.pdf").arg(n).arg(i + 1));
            card.setValue(AddressCard::Desc01 + i, QStringLiteral("Documento %1").arg(i + 1));
        }
    return card;
}

void fillArchive(const QString& folder, int count, int withAttachments = 0)
{
    AddressCardFile file(folder);
    for (int n = 1; n <= count; ++n)
        file.append(makeCard(n, n == withAttachments));
}

QByteArray archiveBytes(const QString& folder)
{
    QFile f(QDir(folder).filePath(AddressCardFile::kFileName));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

AddressCard readCard(const QString& folder, int n)
{
    return AddressCardFile(folder).read(n);
}

} // namespace

class TestAddressArchiveWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    AddressArchiveWindow* m_window = nullptr;

    QLineEdit* field(const QString& name) { return m_window->findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) { return m_window->findChild<QLabel*>(name); }
    QString position() { return label(QStringLiteral("lblPosizione"))->text(); }
    void click(const QString& name)
    {
        auto* button = m_window->findChild<QToolButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString shown(int index) { return field(kFieldNames[index])->text(); }
    void goTo(int n) { QVERIFY(m_window->offerStored(n, readCard(m_ctx->dir.path(), n))); }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_window = new AddressArchiveWindow(m_ctx->context);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup()
    {
        delete m_window;
        delete m_ctx;
    }

    void opensMaximisedAndEmpty()
    {
        QVERIFY(m_window->windowState() & Qt::WindowMaximized);
        QCOMPARE(m_window->windowTitle(), QStringLiteral(" Plicario 3.0 - Archivio Indirizzi"));
        QCOMPARE(label(QStringLiteral("panInfo"))->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(QApplication::focusWidget(), field(QStringLiteral("txtNome")));
        for (const QString& name : kFieldNames)
            QCOMPARE(field(name)->maxLength(), 250);

        // Showing it again from the launcher starts from a blank card.
        fillArchive(m_ctx->dir.path(), 2);
        click(QStringLiteral("cmdUltimo"));
        QCOMPARE(position(), QStringLiteral("2"));
        m_window->hide();
        m_window->show();
        QCOMPARE(position(), QString());
        for (const QString& name : kFieldNames)
            QVERIFY(field(name)->text().isEmpty());
        QVERIFY(m_window->attachments() == AttachmentSlots{});
    }

    void saveNewCardAppends()
    {
        fillArchive(m_ctx->dir.path(), 7);
        const QByteArray before = archiveBytes(m_ctx->dir.path());
        for (int i = 0; i < 9; ++i)
            field(kFieldNames[i])->setText(QStringLiteral("  Testo %1  ").arg(i));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("8"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Information);
        QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        const QByteArray after = archiveBytes(m_ctx->dir.path());
        QCOMPARE(after.size(), 8 * AddressCard::kSize);
        QCOMPARE(after.left(before.size()), before);
        const AddressCard stored = readCard(m_ctx->dir.path(), 8);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(stored.value(i), QStringLiteral("Testo %1").arg(i));
        // The screen keeps the text as typed.
        QCOMPARE(shown(0), QStringLiteral("  Testo 0  "));
    }

    void saveStoredCardRewritesOnlyIt()
    {
        fillArchive(m_ctx->dir.path(), 5, 3);
        const QByteArray before = archiveBytes(m_ctx->dir.path());
        goTo(3);
        field(QStringLiteral("txtRigo02"))->setText(QStringLiteral("Via Nuova 1"));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(m_ctx->messages.log().last().text,
                 QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        const QByteArray after = archiveBytes(m_ctx->dir.path());
        QCOMPARE(after.size(), before.size());
        const int k = AddressCard::kSize;
        QCOMPARE(after.left(2 * k), before.left(2 * k));
        QCOMPARE(after.mid(3 * k), before.mid(3 * k));
        AddressCard expected = makeCard(3, true);
        expected.setValue(AddressCard::Rigo02, QStringLiteral("Via Nuova 1"));
        QVERIFY(readCard(m_ctx->dir.path(), 3) == expected);
    }

    void blankNameIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("    ");
        QTest::newRow("tab and blanks") << QStringLiteral(" \t ");
    }
    void blankNameIsRefused()
    {
        QFETCH(QString, name);
        field(QStringLiteral("txtNome"))->setText(name);
        field(QStringLiteral("txtRigo01"))->setText(QStringLiteral("Via Roma 1"));
        field(QStringLiteral("txtRigo01"))->setFocus();
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Warning);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome dell'etichetta."));
        QCOMPARE(QApplication::focusWidget(), field(QStringLiteral("txtNome")));
        QVERIFY(!QFile::exists(m_ctx->path(AddressCardFile::kFileName)));
        QCOMPARE(position(), QString());
    }

    void duplicateMakesNewCardWithoutAttachments()
    {
        fillArchive(m_ctx->dir.path(), 7, 5);
        goTo(5);
        QCOMPARE(m_window->attachments().files[1], QStringLiteral("doc5_2.pdf"));
        click(QStringLiteral("cmdDuplica"));
        QCOMPARE(position(), QString());
        QVERIFY(m_window->attachments() == AttachmentSlots{});
        QCOMPARE(shown(0), QStringLiteral("Nome 5"));
        QCOMPARE(QApplication::focusWidget(), field(QStringLiteral("txtNome")));
        QCOMPARE(m_ctx->messages.log().last().kind, Kind::Information);
        QCOMPARE(m_ctx->messages.log().last().text,
                 QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                                "Al termine premere Salva per inserire la scheda in archivio."));

        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("8"));
        const AddressCard copy = readCard(m_ctx->dir.path(), 8);
        const AddressCard original = readCard(m_ctx->dir.path(), 5);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(copy.value(i), original.value(i));
        for (int i = AddressCard::File01; i <= AddressCard::Desc03; ++i) {
            QVERIFY(copy.value(i).isEmpty());
            QVERIFY(!original.value(i).isEmpty());
        }
    }

    void duplicateOfNewCardIsRefused()
    {
        field(QStringLiteral("txtNome"))->setText(QStringLiteral("Mai salvata"));
        click(QStringLiteral("cmdDuplica"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Warning);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                                "stata inserita in archivio."));
        QCOMPARE(shown(0), QStringLiteral("Mai salvata"));
    }

    void newCardEmptiesEverything()
    {
        fillArchive(m_ctx->dir.path(), 2, 2);
        goTo(2);
        field(QStringLiteral("txtRigo03"))->setFocus();
        click(QStringLiteral("cmdNuovo"));
        QCOMPARE(position(), QString());
        for (const QString& name : kFieldNames)
            QVERIFY(field(name)->text().isEmpty());
        QVERIFY(m_window->attachments() == AttachmentSlots{});
        QCOMPARE(QApplication::focusWidget(), field(QStringLiteral("txtNome")));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void unwritableFolderShowsAccessErrorAndKeepsScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("keepsPosition");
        for (const char* c : {"cmdSalva", "cmdPrimo", "cmdUltimo", "cmdIndietro", "cmdAvanti"})
            QTest::newRow(c) << c << true;
        // A duplicate empties its holders and position before it checks the archive.
        QTest::newRow("cmdDuplica") << "cmdDuplica" << false;
    }
    void unwritableFolderShowsAccessErrorAndKeepsScreen()
    {
        QFETCH(QString, command);
        QFETCH(bool, keepsPosition);
        // A program folder whose parent is a regular file cannot hold an archive, not even for root.
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_ctx->context.programFolder = m_ctx->path(QStringLiteral("blocker/Plicario"));

        AddressCard card = makeCard(4, true);
        card.setValue(AddressCard::Nome, QStringLiteral("Scheda a video"));
        QVERIFY(m_window->offerStored(4, card));

        click(command);

        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Error);
        QCOMPARE(m_ctx->messages.log()[0].text, Errors::kArchiveAccess);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(shown(i), card.value(i));
        QCOMPARE(position(), keepsPosition ? QStringLiteral("4") : QString());
        QCOMPARE(m_window->attachments().files[0], keepsPosition ? card.value(AddressCard::File01) : QString());
    }

    void enterWalksTheFieldsInTabOrder()
    {
        for (int i = 0; i < kFieldNames.size(); ++i) {
            QLineEdit* from = field(kFieldNames[i]);
            QLineEdit* to = field(kFieldNames[(i + 1) % kFieldNames.size()]);
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), to);
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Tab);
            if (i + 1 < kFieldNames.size())
                QCOMPARE(QApplication::focusWidget(), to);
        }
    }

    void focusedFieldTurnsYellow()
    {
        struct Case
        {
            QString name;
            QColor idle;
        };
        const QList<Case> cases = {{QStringLiteral("txtNome"), QColor(0xF0, 0xF8, 0xFF)},
                                   {QStringLiteral("txtTipo"), QColor(0xF0, 0xF8, 0xFF)},
                                   {QStringLiteral("txtRigo04"), QColor(Qt::white)},
                                   {QStringLiteral("txtNote"), QColor(0xF0, 0xF8, 0xFF)}};
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        auto inside = [](QLineEdit* e) { return e->grab().toImage().pixelColor(e->width() - 4, e->height() / 2); };
        auto border = [](QLineEdit* e) { return e->grab().toImage().pixelColor(e->width() / 2, 0); };
        for (const Case& c : cases) {
            QLineEdit* edit = field(c.name);
            field(c.name == QLatin1String("txtTipo") ? QStringLiteral("txtNome") : QStringLiteral("txtTipo"))
                ->setFocus();
            QCOMPARE(inside(edit), c.idle);
            QCOMPARE(border(edit), QColor(0x87, 0xCE, 0xEB));
            edit->setFocus();
            QCOMPARE(inside(edit), QColor(Qt::yellow));
            QCOMPARE(edit->font().family(), QStringLiteral("Verdana"));
            QCOMPARE(edit->font().pointSize(), 12);
            QVERIFY(edit->font().bold());
        }
    }

    void hintsFollowThePointer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdNuovo") << "cmdNuovo"
                                  << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("cmdDuplica")
            << "cmdDuplica"
            << "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.";
        QTest::newRow("cmdSalva") << "cmdSalva"
                                  << "Salva la scheda corrente.";
        QTest::newRow("cmdTrova") << "cmdTrova"
                                  << "Trova schede in archivio.";
        QTest::newRow("cmdFile") << "cmdFile"
                                 << "Allega file alla scheda corrente.";
        QTest::newRow("cmdStampa") << "cmdStampa"
                                   << "Stampa indirizzo su busta da lettera.";
        QTest::newRow("cmdPrimo") << "cmdPrimo"
                                  << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro"
                                     << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti"
                                   << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo"
                                   << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdEsporta") << "cmdEsporta"
                                    << "Esporta l'archivio in un file di Excel.";
        QTest::newRow("cmdAnteprima") << "cmdAnteprima"
                                      << "Visualizza l'anteprima di stampa dell'etichetta corrente.";
        QTest::newRow("cmdGuida") << "cmdGuida"
                                  << "Visualizza la guida in linea.";
        QTest::newRow("cmdEsci") << "cmdEsci"
                                 << "Esci da questa schermata.";
    }
    void hintsFollowThePointer()
    {
        QFETCH(QString, button);
        QFETCH(QString, hint);
        auto* b = m_window->findChild<QToolButton*>(button);
        QVERIFY(b);
        QLabel* info = label(QStringLiteral("panInfo"));
        QEnterEvent enter(QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)), b->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(b, &enter);
        QCOMPARE(info->text(), hint);
        QCOMPARE(b->accessibleDescription(), hint);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);

        // A move over the background, the panels or the envelope empties the line.
        for (const QString& background : {QStringLiteral("imgBusta"), QStringLiteral("panScheda")}) {
            QApplication::sendEvent(b, &enter);
            QWidget* w = m_window->findChild<QWidget*>(background);
            QTest::mouseMove(w, QPoint(2, 2));
            QTRY_COMPARE(info->text(), QString());
        }
    }

    void controlsHaveUniqueAccessibleNames()
    {
        QStringList names;
        for (const QString& control : kFieldNames) {
            const QString name = field(control)->accessibleName();
            QVERIFY2(!name.isEmpty(), qPrintable(control));
            names << name;
        }
        QCOMPARE(field(QStringLiteral("txtNome"))->accessibleName(), QStringLiteral("Nome etichetta"));
        for (QToolButton* b : m_window->findChildren<QToolButton*>()) {
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
            names << b->accessibleName();
        }
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QVERIFY(!label(QStringLiteral("lblPosizione"))->accessibleDescription().isEmpty());
    }

    void helpShowsTheArchiveTopic()
    {
        QString title;
        QString text;
        QTimer::singleShot(0, m_window, [&] {
            auto* help = m_window->findChild<QDialog*>(QStringLiteral("frmGuida"));
            QVERIFY(help && help->isVisible());
            title = help->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
            text = help->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
            help->reject();
        });
        click(QStringLiteral("cmdGuida"));
        QCOMPARE(title, HelpTopics::addressArchive().title);
        QCOMPARE(title, QStringLiteral("App Archivio Indirizzi"));
        QVERIFY(text.startsWith(QStringLiteral("L'app Archivio Indirizzi consente")));
    }

    // Typed work is asked about first (see the record window's tests); a blank card just closes.
    void closingABlankCardAsksNothing()
    {
        QSignalSpy closed(m_window, &AddressArchiveWindow::closed);
        click(QStringLiteral("cmdEsci"));
        QCOMPARE(closed.size(), 1);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_ctx->messages.log().isEmpty());
        QVERIFY(!QFile::exists(m_ctx->path(AddressCardFile::kFileName)));
    }
};

QTEST_MAIN(TestAddressArchiveWindow)
#include "test_address_archive_window.moc"
