#include "help/fixed_dialog.h"

#include "help/link_label_widget.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

static void initHelpResources()
{
    // The pictures live in a static library; nothing else would pull them into the program.
    Q_INIT_RESOURCE(help);
}

FixedDialog::FixedDialog(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                         Placement placement)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_placement(placement)
{
    initHelpResources();
    setObjectName(objectName);
    setWindowTitle(caption);
    setAccessibleName(caption.trimmed());
    setFixedSize(clientSize);
}

QPushButton* FixedDialog::makeCloseButton(const QFont& font)
{
    auto* button = new QPushButton(QStringLiteral("Chiudi"), this);
    button->setObjectName(QStringLiteral("btnChiudi"));
    button->setAccessibleName(QStringLiteral("Chiudi"));
    button->setAccessibleDescription(QStringLiteral("Chiude la finestra."));
    button->setFont(font);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
    return button;
}

QLabel* FixedDialog::makePicture(const QString& objectName, const QString& svgResource, QSize size)
{
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(svgResource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);

    auto* picture = new QLabel(this);
    picture->setObjectName(objectName);
    picture->setPixmap(pixmap);
    picture->setFixedSize(size);
    return picture;
}

LinkLabel* FixedDialog::makeLink(const QString& text, const QString& accessibleName, QLabel* picture,
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

void FixedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QRect area;
    if (m_placement == Placement::Owner && parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen* s = screen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}
