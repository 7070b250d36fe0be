#include "common/message_box_gui.h"

#include <QPointer>

QString MessageBoxMessages::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

QMessageBox* MessageBoxMessages::makeBox(QWidget* owner, Kind kind, const QString& text)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title = QStringLiteral("Plicario 3.0");
    QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
    switch (kind) {
    case Kind::Warning:
        icon = QMessageBox::Warning;
        title = QStringLiteral("Attenzione");
        break;
    case Kind::Error:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Errore");
        break;
    case Kind::Information:
        icon = QMessageBox::Information;
        title = QStringLiteral("Informazione");
        break;
    case Kind::Confirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Conferma");
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case Kind::Plain:
        buttons = QMessageBox::Ok;
        break;
    case Kind::Question:
        icon = QMessageBox::Question;
        title = QStringLiteral("Conferma");
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    auto* box = new QMessageBox(icon, title, displayText(text), buttons, owner);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setTextFormat(Qt::PlainText);
    return box;
}

QMessageBox::StandardButton MessageBoxMessages::ask(QWidget* owner, Kind kind, const QString& text)
{
    QPointer<QMessageBox> box = makeBox(owner, kind, text);
    const int answer = box->exec();
    delete box.data();
    // Hand the keyboard back to the window that asked, also where no window manager would.
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
    return static_cast<QMessageBox::StandardButton>(answer);
}

void MessageBoxMessages::warning(QWidget* owner, const QString& text)
{
    ask(owner, Kind::Warning, text);
}

void MessageBoxMessages::error(QWidget* owner, const QString& text)
{
    ask(owner, Kind::Error, text);
}

void MessageBoxMessages::information(QWidget* owner, const QString& text)
{
    ask(owner, Kind::Information, text);
}

bool MessageBoxMessages::confirm(QWidget* owner, const QString& text)
{
    // Only No stops the operation; closing the box counts as going on, as the users know it.
    return ask(owner, Kind::Confirmation, text) != QMessageBox::No;
}

void MessageBoxMessages::plain(QWidget* owner, const QString& text)
{
    ask(owner, Kind::Plain, text);
}

Messages::Answer MessageBoxMessages::question(QWidget* owner, const QString& text)
{
    switch (ask(owner, Kind::Question, text)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
