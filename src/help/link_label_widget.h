#pragma once

#include <QLabel>

// A label that acts as a link, alone or beside a picture: pressing either paints the link text orange, releasing
// paints it dark blue again, and a click (press and release on the same label) reports activated(). From the
// keyboard, Space or Enter on the focused link does the same; screen readers see a link with a press action.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr QRgb kPressedColour = 0xFFFFA500; // orange
    static constexpr QRgb kIdleColour = 0xFF00008B;    // dark blue

    explicit LinkLabel(QWidget* parent = nullptr);

    // Makes `picture` a second handle of this link: same cursor, same colour feedback, same action.
    void addPicture(QLabel* picture);

    QColor textColour() const;

    // What a click does: the link turns dark blue and reports activated().
    void activate();

Q_SIGNALS:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setTextColour(QRgb colour);
};
