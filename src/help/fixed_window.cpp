#include "help/fixed_window.h"

#include "common/keyboard_gui.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "help/link_label_widget.h"

#include <QLabel>
#include <QPushButton>

FixedWindow::FixedWindow(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                         Placement placement)
    : QDialog(owner, Windows::kFixedDialogFlags), m_placement(placement)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAccessibleName(caption.trimmed());
    setFixedSize(clientSize);
}

QPushButton* FixedWindow::makeCloseButton(const QFont& font)
{
    auto* button = new QPushButton(QStringLiteral("Chiudi"), this);
    button->setObjectName(QStringLiteral("btnChiudi"));
    button->setAccessibleName(QStringLiteral("Chiudi"));
    button->setAccessibleDescription(QStringLiteral("Chiude la finestra."));
    button->setFont(font);
    Keyboard::setShortcut(button, Keyboard::kExit);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
    return button;
}

QLabel* FixedWindow::makePicture(const QString& objectName, const QString& picture, QSize size)
{
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    label->setPixmap(Pictures::pixmap(picture, size, devicePixelRatioF()));
    label->setFixedSize(size);
    return label;
}

LinkLabel* FixedWindow::makeLink(const QString& text, const QString& accessibleName, QLabel* picture,
                                 const QString& description, const std::function<void()>& action)
{
    auto* link = new LinkLabel(this);
    link->setObjectName(QStringLiteral("lnkWeb"));
    link->setText(text);
    link->setAccessibleName(accessibleName);
    link->setAccessibleDescription(description);
    picture->setAccessibleDescription(description);
    link->addPicture(picture);
    connect(link, &LinkLabel::activated, this, action);
    return link;
}

void FixedWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Windows::centre(this, m_placement == Placement::Owner ? Windows::Over::Owner : Windows::Over::Screen);
}
