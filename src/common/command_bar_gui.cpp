#include "common/command_bar_gui.h"

#include "common/colours.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/picture_tool_button_widget.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"

#include <QBoxLayout>
#include <QFrame>
#include <QToolButton>

namespace CommandBar {

QToolButton* makeButton(const Command& command, HintLine* hints)
{
    auto* button = new PictureToolButton;
    button->setObjectName(QLatin1String(command.objectName));
    button->setIcon(Pictures::icon(QLatin1String(command.picture)));
    button->setIconSize(QSize(40, 40));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    Windows::describe(button, QString::fromUtf8(command.accessibleName), QString::fromUtf8(command.hint));
    if (command.shortcut)
        Keyboard::setShortcut(button, command.shortcut);
    if (command.text) {
        button->setText(QString::fromUtf8(command.text));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
    }
    if (hints)
        hints->addButton(button);
    if (command.action)
        QObject::connect(button, &QToolButton::clicked, button, command.action);
    return button;
}

QList<QToolButton*> add(QBoxLayout* row, const QList<Command>& commands, HintLine* hints)
{
    QList<QToolButton*> buttons;
    for (const Command& command : commands) {
        if (!command.objectName) {
            row->addStretch();
        } else if (!command.picture) {
            auto* separator = new QFrame;
            separator->setObjectName(QLatin1String(command.objectName));
            separator->setFrameShape(QFrame::VLine);
            row->addWidget(separator);
            if (hints)
                hints->addBackground(separator);
        } else {
            buttons.append(makeButton(command, hints));
            row->addWidget(buttons.last());
        }
    }
    return buttons;
}

QFrame* strip(const QList<Command>& commands, HintLine* hints)
{
    auto* panComandi = new QFrame;
    panComandi->setObjectName(QStringLiteral("panComandi"));
    panComandi->setAutoFillBackground(true);
    QPalette palette = panComandi->palette();
    palette.setColor(QPalette::Window, Colours::kToolbarStrip);
    panComandi->setPalette(palette);
    panComandi->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(panComandi);
    row->setContentsMargins(12, 4, 12, 4);
    add(row, commands, hints);
    if (hints)
        hints->addBackground(panComandi);
    return panComandi;
}

} // namespace CommandBar
