// Every window of the program by keyboard alone and on a laptop's screen: a button reached by Tab does its work on
// Enter, the key of the window's main action does it from anywhere, the window fits 1366 x 728 with its title bar,
// and a screen reader sees a main window as a window and a modal one as a dialog.
#include "access/change_password_window.h"
#include "access/login_window.h"
#include "access/password_store.h"
#include "addresses/address_archive_window.h"
#include "addresses/address_card.h"
#include "addresses/address_finder_window.h"
#include "addresses/attachments_window.h"
#include "addresses/contact_import_window.h"
#include "app/launcher_window.h"
#include "common/key_list_gui.h"
#include "common/line_list_widget.h"
#include "help/about_window.h"
#include "help/copyright_window.h"
#include "help/help_window.h"
#include "labels/address_import_window.h"
#include "labels/compose_labels_window.h"
#include "labels/label_sheet.h"
#include "labels/label_sheet_window.h"
#include "addresses/address_export_window.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/envelope_print_window.h"
#include "labels/label_sheet_print_window.h"
#include "printing/label_stock_window.h"
#include "printing/preview_window.h"
#include "printing/templates/list_template.h"
#include "register/daily_register_window.h"
#include "register/date_picker_window.h"
#include "register/numbering_window.h"
#include "register/register_card_print_window.h"
#include "register/register_export_window.h"
#include "register/register_menu_window.h"
#include "register/register_search_window.h"
#include "register/register_summary_window.h"
#include "register/register_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QTest>
#include <QToolBar>

namespace {

// The free area of a 1366 x 768 screen under a desktop panel, less a title bar.
constexpr QSize kFreeArea{1366, 728 - 30};

struct Fixture
{
    TestContext test;
    PdfPrintService printer{test.dir.path()};
    QStringList events; // signals and callbacks the windows gave
    PreparedReport report = [] {
        ReportTemplate list = ListTemplate::make();
        ListTemplate::fill(list, QStringLiteral("Elenco"), {QStringLiteral("una riga")});
        return list.prepare(QDate(2024, 3, 15));
    }();

    Fixture() { test.context.printService = &printer; }
    QString yearFile() const { return test.path(QStringLiteral("2024.prt")); }
};

using Check = std::function<bool(Fixture&, QWidget*)>;

Check closed()
{
    return [](Fixture&, QWidget* w) { return !w->isVisible(); };
}
Check accepted()
{
    return [](Fixture&, QWidget* w) {
        return !w->isVisible() && qobject_cast<QDialog*>(w)->result() == QDialog::Accepted;
    };
}
Check said(const char* words)
{
    return [words](Fixture& fx, QWidget*) {
        const auto& log = fx.test.messages.log();
        return !log.isEmpty() && log.last().text.contains(QString::fromUtf8(words));
    };
}
Check gave(const char* event)
{
    return [event](Fixture& fx, QWidget*) { return fx.events.contains(QLatin1String(event)); };
}
Check printed()
{
    return [](Fixture& fx, QWidget*) { return fx.printer.printDialogs() == 1; };
}
Check previewed()
{
    return [](Fixture& fx, QWidget*) { return fx.printer.previews() == 1; };
}
Check askedWhereToSave()
{
    return [](Fixture& fx, QWidget*) { return fx.test.saveFileChooser.suggested.size() == 1; };
}
Check askedForAFile()
{
    return [](Fixture& fx, QWidget*) { return fx.test.fileChooser.titles.size() == 1; };
}
Check shellOpened()
{
    return [](Fixture& fx, QWidget*) { return fx.test.shell.opened.size() == 1; };
}
Check fieldReads(const char* field, const char* text)
{
    return [field, text](Fixture&, QWidget* w) {
        return w->findChild<QLineEdit*>(QLatin1String(field))->text() == QLatin1String(text);
    };
}
Check showsPanel(const char* panel)
{
    return [panel](Fixture&, QWidget* w) {
        return w->findChild<QStackedWidget*>()->currentWidget()->objectName() == QLatin1String(panel);
    };
}

struct WindowRow
{
    const char* name;
    std::function<QWidget*(Fixture&)> make;
    bool mainWindow;   // a window of its own (frame), not a modal dialog
    const char* tabTo; // the button Tab reaches and Enter presses
    Check afterEnter;
    const char* typed; // typed into the first field before the keys, or nullptr
    const char* keys;  // the window's main action
    Check afterKeys;
};

template <class W, class... Args> std::function<QWidget*(Fixture&)> plain(Args... args)
{
    return [=](Fixture& fx) { return new W(fx.test.context, args...); };
}

const QList<WindowRow>& windows()
{
    static const QList<WindowRow> rows = {
        {"login",
         [](Fixture& fx) {
             PasswordStore(fx.test.dir.path()).storePassword(QStringLiteral("plicario"));
             auto* w = new LoginWindow(fx.test.context);
             QObject::connect(w, &LoginWindow::loggedIn, [&fx] { fx.events << "loggedIn"; });
             QObject::connect(w, &LoginWindow::changePasswordRequested, [&fx] { fx.events << "change"; });
             return w;
         },
         true, "btnCambiaPassword", gave("change"), "plicario", "Return", gave("loggedIn")},
        {"change password", plain<ChangePasswordWindow>(), true, "cmdEsci", closed(), nullptr, "Esc", closed()},
        {"launcher",
         [](Fixture& fx) {
             auto* w = new LauncherWindow(fx.test.context);
             QObject::connect(w, &LauncherWindow::applicationRequested, [&fx] { fx.events << "application"; });
             QObject::connect(w, &LauncherWindow::closed, [&fx] { fx.events << "closed"; });
             return w;
         },
         true, "btnApp02", gave("application"), nullptr, "Esc", gave("closed")},
        {"help", plain<HelpWindow>(nullptr), false, "lnkWeb", shellOpened(), nullptr, "Esc", closed()},
        {"about", plain<AboutWindow>(nullptr), false, "lnkWeb", shellOpened(), nullptr, "Esc", closed()},
        {"copyright", plain<CopyrightWindow>(nullptr), false, "lnkWeb", shellOpened(), nullptr, "Esc", closed()},
        {"address archive", plain<AddressArchiveWindow>(), true, "cmdPrimo", said("non contiene nessuna scheda"),
         nullptr, "Ctrl+S", said("nome dell'etichetta")},
        {"finder",
         [](Fixture& fx) {
             return new AddressFinderWindow(
                 fx.test.context, [](int, const AddressCard&) {}, nullptr);
         },
         false, "btnStampa", printed(), nullptr, "Ctrl+F", said("")},
        {"attachments", plain<AttachmentsWindow>(AttachmentsWindow::Mode::AddressArchive, AttachmentSlots{}, nullptr),
         false, "btnSfoglia02", askedForAFile(), nullptr, "Ctrl+S", accepted()},
        {"contact import", plain<ContactImportWindow>(nullptr), false, "btnAnnulla", closed(), nullptr, "Esc",
         closed()},
        {"envelope", plain<EnvelopePrintWindow>(QStringList{QStringLiteral("Sig. Rossi")}, nullptr), false,
         "btnTopPlus", fieldReads("txtTop", "1"), nullptr, "Ctrl+P", printed()},
        {"address sheet preview", plain<AddressSheetPreviewWindow>(QStringList{QStringLiteral("Sig. Rossi")}, nullptr),
         false, "btnStampa", previewed(), nullptr, "Ctrl+P", previewed()},
        {"address export", plain<AddressExportWindow>(nullptr), false, "cmdEsci", closed(), nullptr, "Ctrl+S",
         shellOpened()},
        {"preview",
         [](Fixture& fx) {
             return new PreviewWindow(
                 fx.report,
                 [&fx](QWidget*) {
                     fx.events << "print";
                     return true;
                 },
                 fx.test.context);
         },
         false, "pbSalvaPdf", askedWhereToSave(), nullptr, "Ctrl+P", gave("print")},
        {"label sheet", plain<LabelSheetWindow>(), true, "cmdPrimo", said("non contiene"), nullptr, "Ctrl+S", said("")},
        {"label import",
         [](Fixture& fx) {
             return new AddressImportWindow(
                 fx.test.context, 1, [](int, const AddressCard&) {}, nullptr);
         },
         false, "btnStampa", printed(), nullptr, "Ctrl+F", said("")},
        {"label print", plain<LabelSheetPrintWindow>(LabelSheetPrintWindow::Mode::Print, LabelSheet{}, nullptr), false,
         "btnAnnulla", closed(), nullptr, "Ctrl+P", printed()},
        {"compose labels", plain<ComposeLabelsWindow>(nullptr), false, "btnAnteprima", said(""), nullptr, "Ctrl+S",
         said("")},
        {"label stock", plain<LabelStockWindow>(nullptr), false, "btnProva", previewed(), nullptr, "Ctrl+S",
         accepted()},
        {"register menu",
         [](Fixture& fx) {
             auto* w = new RegisterMenuWindow(fx.test.context);
             QObject::connect(w, &RegisterMenuWindow::yearOpened, [&fx] { fx.events << "year"; });
             return w;
         },
         true, "btnApriPreventivi", gave("year"), nullptr, "Return, Return", gave("year")},
        {"register window", plain<RegisterWindow>(), true, "cmdPrimo", said(""), nullptr, "Ctrl+S",
         said("numero di protocollo")},
        {"date picker", [](Fixture&) { return new DatePickerWindow(QDate(2024, 3, 15), nullptr); }, false,
         "btnImportaData", accepted(), nullptr, "Return", accepted()},
        {"numbering", [](Fixture&) { return new NumberingWindow(RegisterNumbering{}, nullptr); }, false, "btnAnnulla",
         closed(), nullptr, "Ctrl+S", accepted()},
        {"register search",
         [](Fixture& fx) { return new RegisterSearchWindow(fx.test.context, fx.yearFile(), nullptr); }, false,
         "btnCerca", showsPanel("panContainer"), nullptr, "Ctrl+F", showsPanel("panContainer")},
        {"card print", plain<RegisterCardPrintWindow>(RegisterCard{}, QString(), nullptr), false, "btnAnnulla", closed(),
         nullptr, "Ctrl+P", printed()},
        {"daily register",
         [](Fixture& fx) { return new DailyRegisterWindow(fx.test.context, fx.yearFile(), nullptr); }, false,
         "btnAnteprima", previewed(), nullptr, "Ctrl+Shift+S", askedWhereToSave()},
        {"summary", [](Fixture& fx) { return new RegisterSummaryWindow(fx.test.context, fx.yearFile(), nullptr); },
         false, "cmdEsporta", shellOpened(), nullptr, "Ctrl+F", said("")},
        {"register export",
         [](Fixture& fx) { return new RegisterExportWindow(fx.test.context, fx.yearFile(), nullptr); }, false,
         "cmdEsci", closed(), nullptr, "Ctrl+S", shellOpened()},
    };
    return rows;
}

std::unique_ptr<QWidget> showWindow(Fixture& fx, const WindowRow& row)
{
    std::unique_ptr<QWidget> w(row.make(fx));
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("%s: not active", row.name);
    return w;
}

// A control by its object name; for a toolbar's command, the button that shows it.
QWidget* control(QWidget* window, const char* name)
{
    if (auto* widget = window->findChild<QWidget*>(QLatin1String(name)))
        return widget;
    auto* action = window->findChild<QAction*>(QLatin1String(name));
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        if (QWidget* button = action ? bar->widgetForAction(action) : nullptr)
            return button;
    return nullptr;
}

QWidget* focused(QWidget* window)
{
    QWidget* f = QApplication::focusWidget();
    return f ? f : window;
}

} // namespace

class TestWindowKeyboard : public QObject
{
    Q_OBJECT

    static void rows()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < windows().size(); ++i)
            QTest::newRow(windows()[i].name) << i;
    }

private Q_SLOTS:
    void tabThenEnterPressesTheButton_data() { rows(); }
    void tabThenEnterPressesTheButton()
    {
        QFETCH(int, row);
        const WindowRow& r = windows()[row];
        Fixture fx;
        auto w = showWindow(fx, r);
        QWidget* target = control(w.get(), r.tabTo);
        QVERIFY(target);
        for (int i = 0; i < 80 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(focused(w.get()), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        QTRY_VERIFY(r.afterEnter(fx, w.get()));
    }

    void shortcutDoesTheMainAction_data() { rows(); }
    void shortcutDoesTheMainAction()
    {
        QFETCH(int, row);
        const WindowRow& r = windows()[row];
        Fixture fx;
        auto w = showWindow(fx, r);
        if (r.typed)
            QTest::keyClicks(focused(w.get()), QLatin1String(r.typed));
        const QKeySequence keys(QLatin1String(r.keys));
        for (int i = 0; i < keys.count(); ++i)
            QTest::keyClick(focused(w.get()), keys[i].key(), keys[i].keyboardModifiers());
        // A shortcut clicks its button after a short press.
        QTRY_VERIFY(r.afterKeys(fx, w.get()));
    }

    void fitsALaptopAndSaysWhatItIs_data() { rows(); }
    void fitsALaptopAndSaysWhatItIs()
    {
        QFETCH(int, row);
        const WindowRow& r = windows()[row];
        Fixture fx;
        auto w = showWindow(fx, r);
        const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(least.width() <= kFreeArea.width() && least.height() <= kFreeArea.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.get());
        QVERIFY(a);
        QCOMPARE(a->role(), r.mainWindow ? QAccessible::Window : QAccessible::Dialog);
    }

    // No two controls a window shows answer the same key: Qt would then do neither.
    void noKeyTwiceInAWindow_data() { rows(); }
    void noKeyTwiceInAWindow()
    {
        QFETCH(int, row);
        Fixture fx;
        auto w = showWindow(fx, windows()[row]);
        QHash<QKeySequence, QString> owner;
        auto claim = [&](const QKeySequence& keys, const QString& name) {
            if (keys.isEmpty())
                return;
            QVERIFY2(!owner.contains(keys),
                     qPrintable(QStringLiteral("%1: %2 and %3").arg(keys.toString(), owner.value(keys), name)));
            owner.insert(keys, name);
        };
        for (QAbstractButton* button : w->findChildren<QAbstractButton*>())
            if (button->isVisibleTo(w.get()))
                claim(button->shortcut(), button->objectName());
        for (QShortcut* shortcut : w->findChildren<QShortcut*>())
            if (shortcut->isEnabled())
                claim(shortcut->key(), QStringLiteral("a window shortcut"));
    }

    // The register's commands that open a window of their own, by their keys from a field; the tooltip names them.
    void registerCommandKeys_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("window");
        QTest::newRow("summary") << "cmdRiepilogo"
                                 << "Ctrl+R"
                                 << "frmRiepProtocollo";
        QTest::newRow("export") << "cmdEsporta"
                                << "Ctrl+E"
                                << "frmExpProtocollo";
        QTest::newRow("numbering") << "cmdNumerazione"
                                   << "Ctrl+Shift+N"
                                   << "frmNumerazione";
        QTest::newRow("attach") << "cmdFile"
                                << "Ctrl+G"
                                << "frmAllegaCartella";
        QTest::newRow("register mail") << "cmdMessaggio"
                                       << "Ctrl+Shift+E"
                                       << "";
        QTest::newRow("daily register") << "cmdGiornaliero"
                                        << "Ctrl+Shift+G"
                                        << "frmRegistroGiornaliero";
    }
    void registerCommandKeys()
    {
        QFETCH(QString, command);
        QFETCH(QString, keys);
        QFETCH(QString, window);
        Fixture fx;
        RegisterWindow w(fx.test.context);
        w.openYear(fx.yearFile(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2024"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* button = qobject_cast<QAbstractButton*>(control(&w, command.toLatin1().constData()));
        QVERIFY(button);
        QVERIFY2(button->toolTip().endsWith(QStringLiteral(" (%1)").arg(keys)), qPrintable(button->toolTip()));
        // The guide's table of keys, read from the window as here, names the same keys for the command.
        const QList<KeyList::Row> rows = KeyList::of(&w);
        QVERIFY(std::any_of(rows.begin(), rows.end(), [&](const KeyList::Row& r) {
            return r.keys == keys && r.command == button->accessibleName();
        }));

        auto* subject = w.findChild<QLineEdit*>(QStringLiteral("txtOggetto"));
        subject->setFocus();
        const QKeyCombination pressed = QKeySequence(keys)[0];
        if (window.isEmpty()) {
            // A command that asks for a file first: the system's file dialog.
            QTest::keyClick(subject, pressed.key(), pressed.keyboardModifiers());
            QTRY_COMPARE(fx.test.fileChooser.titles, QStringList{button->accessibleName()});
            return;
        }
        QString shown;
        inModal<QDialog>(
            &w, [&] { QTest::keyClick(subject, pressed.key(), pressed.keyboardModifiers()); },
            [&](QDialog* dialog) { shown = dialog->objectName(); });
        QCOMPARE(shown, window);
    }

    // Type a key, Enter moves to Trova, Enter finds the first line holding it.
    void finderEnterEnterFinds()
    {
        Fixture fx;
        {
            AddressCardFile file(fx.test.dir.path());
            for (const char* name : {"Bianchi Luca", "Rossi Mario", "Verdi Anna"}) {
                AddressCard card;
                card.setValue(AddressCard::Nome, QString::fromLatin1(name));
                file.append(card);
            }
        }
        AddressFinderWindow finder(
            fx.test.context, [](int, const AddressCard&) {}, nullptr);
        finder.show();
        QVERIFY(QTest::qWaitForWindowActive(&finder));
        auto* list = finder.findChild<LineListWidget*>(QStringLiteral("lstRecords"));
        QTest::keyClicks(focused(&finder), QStringLiteral("verdi"));
        QTest::keyClick(focused(&finder), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnTrova"));
        QTest::keyClick(focused(&finder), Qt::Key_Return);
        QTRY_VERIFY(list->currentLine().startsWith(QStringLiteral("Verdi Anna")));
        QVERIFY(fx.test.messages.log().isEmpty());
    }

    // A screen reader reads the hint line's current text, by name and through its text, as the focus moves.
    void hintLineSpeaksTheFocusedButtonsHint()
    {
        Fixture fx;
        AddressArchiveWindow window(fx.test.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAccessibleInterface* line =
            QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(QStringLiteral("panInfo")));
        QVERIFY(line && line->textInterface());
        for (const char* button : {"cmdSalva", "cmdEsporta"}) {
            auto* b = window.findChild<QWidget*>(QLatin1String(button));
            b->setFocus(Qt::TabFocusReason);
            const QString hint = b->accessibleDescription();
            QVERIFY(!hint.isEmpty());
            QTRY_COMPARE(line->text(QAccessible::Name), hint);
            QCOMPARE(line->textInterface()->text(0, line->textInterface()->characterCount()), hint);
        }
    }
};

QTEST_MAIN(TestWindowKeyboard)
#include "test_window_keyboard.moc"
