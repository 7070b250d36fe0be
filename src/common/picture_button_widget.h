#pragma once

#include <QAbstractButton>
#include <QSvgRenderer>
#include <memory>

// A clickable picture with a hand cursor: the picture buttons of the toolbars and the launcher. It takes the focus
// from the keyboard and answers Space like any button, so it works without a mouse and with a screen reader.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    // `picture` is a Pictures name ("shell/exit"); `accessibleName` says what pressing it does.
    PictureButton(const QString& picture, const QString& objectName, const QString& accessibleName,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;
    bool hasPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Read on first use: a window made at start-up and shown much later costs nothing until then.
    QSvgRenderer& renderer() const;

    QString m_picture;
    mutable std::unique_ptr<QSvgRenderer> m_renderer;
};
