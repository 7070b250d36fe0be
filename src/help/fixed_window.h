#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

class LinkLabel;
class QLabel;
class QPushButton;

// The frame shared by the help, about and copyright windows: a modal window of fixed client size with a title bar but
// no close box (the window's own "Chiudi" button closes it), centred on the screen or on the window that opened it.
class FixedWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Placement
    {
        Screen,
        Owner
    };

protected:
    FixedWindow(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                Placement placement);

    // The "Chiudi" button that closes the window.
    QPushButton* makeCloseButton(const QFont& font);
    // One of our pictures (a Pictures name), at the given size in pixels.
    QLabel* makePicture(const QString& objectName, const QString& picture, QSize size);

    // The link text `lnkWeb` and its picture beside it: a click on either runs `action`. The description tells a
    // screen reader what both do.
    LinkLabel* makeLink(const QString& text, const QString& accessibleName, QLabel* picture, const QString& description,
                        const std::function<void()>& action);

    void showEvent(QShowEvent* event) override;

private:
    Placement m_placement;
};
