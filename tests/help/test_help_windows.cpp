#include "help/about_window.h"
#include "help/copyright_window.h"
#include "help/help_gui.h"
#include "help/help_window.h"
#include "help/link_label_widget.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

enum class Which
{
    Help,
    About,
    Copyright
};

// Runs `inspect` on the modal window that `open` shows, then closes it with its own "Chiudi" button.
void whileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& inspect)
{
    inModal<QDialog>(open, [&](QDialog* dialog) {
        inspect(dialog);
        if (auto* close = dialog->findChild<QPushButton*>(u"btnChiudi"_s))
            close->click();
    });
}

void openWindow(Which which, QWidget* owner, const AppContext& context)
{
    switch (which) {
    case Which::Help:
        ShowHelp(owner, context, HelpTopics::labelSheets());
        break;
    case Which::About:
        ShowAbout(owner, context);
        break;
    case Which::Copyright:
        ShowCopyright(owner, context);
        break;
    }
}

QString shownText(const QString& topicText)
{
    QString text = topicText;
    return text.replace(u"\r\n"_s, u"\n"_s);
}

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Which)

class TestHelpWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpFromTwoWindowsIsFreshAndAtTheStart()
    {
        TestContext t;
        QWidget launcher;
        QWidget archive;
        struct Seen
        {
            QPointer<QDialog> window;
            QWidget* parent = nullptr;
            QString title;
            QString text;
            int scroll = -1;
            int scrollMax = -1;
            int cursor = -1;
        };
        auto record = [](Seen& seen) {
            return [&seen](QDialog* dialog) {
                auto* text = dialog->findChild<QPlainTextEdit*>(u"txtGuida"_s);
                seen.window = dialog;
                seen.parent = dialog->parentWidget();
                seen.title = dialog->findChild<QLabel*>(u"lblTitolo"_s)->text();
                seen.text = text->toPlainText();
                seen.scroll = text->verticalScrollBar()->value();
                seen.scrollMax = text->verticalScrollBar()->maximum();
                seen.cursor = text->textCursor().position();
                // Leave it scrolled to the end: the next window must not inherit that.
                text->verticalScrollBar()->setValue(seen.scrollMax);
            };
        };

        Seen first;
        const HelpTopic overview = HelpTopics::launcher();
        whileModal([&] { ShowHelp(&launcher, t.context, overview); }, record(first));
        QCOMPARE(first.parent, &launcher);
        QCOMPARE(first.title, overview.title);
        QCOMPARE(first.text, shownText(overview.text));
        QVERIFY2(first.scrollMax > 0, "the long topic should need a scroll bar");
        QCOMPARE(first.scroll, 0);
        QCOMPARE(first.cursor, 0);
        QVERIFY2(first.window.isNull(), "the help window must be destroyed when it closes");

        Seen second;
        const HelpTopic archiveTopic = HelpTopics::addressArchive();
        whileModal([&] { ShowHelp(&archive, t.context, archiveTopic.title, archiveTopic.text); }, record(second));
        QCOMPARE(second.parent, &archive);
        QCOMPARE(second.title, u"App Archivio Indirizzi"_s);
        QCOMPARE(second.text, shownText(archiveTopic.text));
        QCOMPARE(second.scroll, 0);
        QCOMPARE(second.cursor, 0);
        QVERIFY(second.window.isNull());
        QVERIFY(t.messages.log().isEmpty());
    }

    void paragraphsAreSeparatedByOneEmptyLine()
    {
        TestContext t;
        const HelpTopic topic = HelpTopics::mailRegister();
        QStringList blocks;
        whileModal([&] { ShowHelp(nullptr, t.context, topic); },
                   [&](QDialog* dialog) {
                       QTextDocument* document = dialog->findChild<QPlainTextEdit*>(u"txtGuida"_s)->document();
                       for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
                           blocks << b.text();
                   });
        const QStringList paragraphs = topic.text.split(u"\r\n\r\n"_s);
        QCOMPARE(blocks.size(), paragraphs.size() * 2 - 1);
        for (qsizetype i = 0; i < blocks.size(); ++i)
            QCOMPARE(blocks.at(i), i % 2 ? QString() : paragraphs.at(i / 2));
    }

    void frame_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("controls");
        QTest::newRow("help") << Which::Help << u"frmGuida"_s << u" Guida all'utilizzo del software"_s
                              << QStringList{u"lblTitolo"_s, u"txtGuida"_s, u"imgPDF"_s, u"lnkWeb"_s, u"btnChiudi"_s};
        QTest::newRow("about") << Which::About << u"frmInfo"_s << u" Informazioni su Plicario 3.0"_s
                               << QStringList{u"imgEmail"_s, u"lnkWeb"_s, u"btnChiudi"_s};
        QTest::newRow("copyright") << Which::Copyright << u"frmSplash"_s
                                   << u" Plicario 3.0 - Copyright © 2026 Progetto Plicario"_s
                                   << QStringList{u"imgWeb"_s, u"lnkWeb"_s, u"btnChiudi"_s};
    }

    // Caption, modality, owner, fixed size without a close box, and every control named and told apart by name.
    void frame()
    {
        QFETCH(Which, which);
        QFETCH(QString, objectName);
        QFETCH(QString, caption);
        QFETCH(QStringList, controls);
        TestContext t;
        QWidget owner;
        QString seenName, seenCaption;
        QWidget* seenParent = nullptr;
        bool modal = false;
        QSize minimum, maximum;
        Qt::WindowFlags flags;
        QStringList missing, unnamed, names, duplicates;
        whileModal([&] { openWindow(which, &owner, t.context); },
                   [&](QDialog* dialog) {
                       seenName = dialog->objectName();
                       seenCaption = dialog->windowTitle();
                       seenParent = dialog->parentWidget();
                       modal = dialog->isModal() && dialog->isVisible();
                       minimum = dialog->minimumSize();
                       maximum = dialog->maximumSize();
                       flags = dialog->windowFlags();
                       for (const QString& name : controls) {
                           if (!dialog->findChild<QWidget*>(name))
                               missing << name;
                       }
                       for (QWidget* w : dialog->findChildren<QWidget*>()) {
                           if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s))
                               continue;
                           const QString name = accessibleName(w);
                           if (name.trimmed().isEmpty())
                               unnamed << w->objectName();
                           else if (names.contains(name))
                               duplicates << name;
                           names << name;
                       }
                   });
        QCOMPARE(seenName, objectName);
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenParent, &owner);
        QVERIFY(modal);
        QCOMPARE(minimum, maximum);
        if (which == Which::Help)
            QCOMPARE(maximum, QSize(670, 572));
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", "_s)));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
        QVERIFY2(duplicates.isEmpty(), qPrintable(duplicates.join(u", "_s)));
    }

    void helpStyles()
    {
        TestContext t;
        HelpWindow window(t.context, nullptr);
        auto* title = window.findChild<QLabel*>(u"lblTitolo"_s);
        auto* text = window.findChild<QPlainTextEdit*>(u"txtGuida"_s);
        auto* link = window.findChild<LinkLabel*>(u"lnkWeb"_s);
        QCOMPARE(title->text(), u"Argomento della guida."_s);
        QCOMPARE(title->font().family(), u"Arial"_s);
        QCOMPARE(title->font().pointSize(), 16);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(u"crimson"_s));
        QCOMPARE(text->font().family(), u"Verdana"_s);
        QCOMPARE(text->font().pointSize(), 12);
        QVERIFY(text->font().bold());
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(link->text(), u"Visualizza guida in formato PDF"_s);
        QCOMPARE(link->font().family(), u"Tahoma"_s);
        QCOMPARE(link->font().pointSize(), 14);
        QVERIFY(link->font().underline());
        QCOMPARE(link->textColour().rgba(), 0xFF00008Bu);
    }

    void links_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("command"); // "<folder>" stands for the program folder
        const QString guide = u"\"<folder>/Guida.pdf\""_s;
        const QString mail = u"\"mailto:assistenza@example.org?subject=Software Plicario 3.0&body=Salve, desidererei "
                             u"avere le seguenti informazioni sul software in oggetto:\""_s;
        const QString web = u"https://www.example.org/plicario"_s;
        QTest::newRow("help text") << Which::Help << u"lnkWeb"_s << guide;
        QTest::newRow("help picture") << Which::Help << u"imgPDF"_s << guide;
        QTest::newRow("about text") << Which::About << u"lnkWeb"_s << mail;
        QTest::newRow("about picture") << Which::About << u"imgEmail"_s << mail;
        QTest::newRow("copyright text") << Which::Copyright << u"lnkWeb"_s << web;
        QTest::newRow("copyright picture") << Which::Copyright << u"imgWeb"_s << web;
    }

    // Orange while held, dark blue after; a click opens its target through the shell, and nothing else is said,
    // even though the folder holds no Guida.pdf.
    void links()
    {
        QFETCH(Which, which);
        QFETCH(QString, control);
        QFETCH(QString, command);
        TestContext t;
        QVERIFY(!QFile::exists(t.path(u"Guida.pdf"_s)));
        QRgb whilePressed = 0, afterRelease = 0, afterCancel = 0;
        QStringList openedByCancel;
        whileModal([&] { openWindow(which, nullptr, t.context); },
                   [&](QDialog* dialog) {
                       auto* link = dialog->findChild<LinkLabel*>(u"lnkWeb"_s);
                       auto* target = dialog->findChild<QWidget*>(control);
                       // Letting go outside the control is no click.
                       QTest::mousePress(target, Qt::LeftButton);
                       QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-5, -5));
                       afterCancel = link->textColour().rgba();
                       openedByCancel = t.shell.opened;

                       QTest::mousePress(target, Qt::LeftButton);
                       whilePressed = link->textColour().rgba();
                       QTest::mouseRelease(target, Qt::LeftButton);
                       afterRelease = link->textColour().rgba();
                   });
        QCOMPARE(whilePressed, 0xFFFFA500u);
        QCOMPARE(afterRelease, 0xFF00008Bu);
        QCOMPARE(afterCancel, 0xFF00008Bu);
        QVERIFY(openedByCancel.isEmpty());
        QCOMPARE(t.shell.opened, QStringList{QString(command).replace(u"<folder>"_s, QDir(t.dir.path()).path())});
        QVERIFY(t.messages.log().isEmpty());
    }

    // Keyboard and screen-reader users reach the guide too: Space on the focused link, and the link's press action.
    void linkWithoutMouse()
    {
        TestContext t;
        HelpWindow window(t.context, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* link = window.findChild<LinkLabel*>(u"lnkWeb"_s);
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(t.shell.opened.size(), 1);

        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(link);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), u"Visualizza guida in formato PDF"_s);
        QVERIFY(iface->actionInterface());
        QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(t.shell.opened, QStringList(2, window.guideCommand()));
    }
};

QTEST_MAIN(TestHelpWindows)
#include "test_help_windows.moc"
