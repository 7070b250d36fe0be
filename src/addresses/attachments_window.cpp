#include "addresses/attachments_window.h"

#include "common/keyboard_gui.h"
#include "common/picture_tool_button_widget.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"

#include "common/app_context.h"
#include "common/text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString number(int slot)
{
    return QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

AttachmentsWindow::AttachmentsWindow(const AppContext& context, Mode mode, const AttachmentSlots& attachments,
                                     QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_lblMemory(mode)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    setModal(true);

    QFont bold = font();
    bold.setBold(true);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgTitolo"));
    picture->setAccessibleName(QStringLiteral("Documenti allegati"));
    picture->setPixmap(Pictures::pixmap(QStringLiteral("addresses/attach"), QSize(48, 48), devicePixelRatioF()));
    auto* heading = new QLabel(QStringLiteral("Documenti allegati alla scheda"));
    QFont headingFont = bold;
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);
    title->addWidget(picture);
    title->addWidget(heading, 1);
    layout->addLayout(title);

    for (int slot = 0; slot < 3; ++slot)
        layout->addWidget(makeSlot(slot, attachments));

    auto* buttons = new QHBoxLayout;
    auto* apply = new QPushButton(QStringLiteral("Applica e chiudi"));
    apply->setObjectName(QStringLiteral("btnApplica"));
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {apply, cancel})
        b->setMinimumWidth(140);
    Keyboard::setShortcut(apply, Keyboard::kSave);
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(620, sizeHint().height());
    Keyboard::setUpWindow(this);
}

QGroupBox* AttachmentsWindow::makeSlot(int slot, const AttachmentSlots& attachments)
{
    QFont bold = font();
    bold.setBold(true);
    const QString nn = number(slot);
    const QString ordinal = QStringLiteral("%1°").arg(slot + 1);
    auto* group = new QGroupBox;
    group->setObjectName(QStringLiteral("grpFile") + nn);
    auto* grid = new QVBoxLayout(group);

    const QString fileLabel = QStringLiteral("Nome %1 file allegato").arg(ordinal);
    grid->addWidget(new QLabel(fileLabel + u':'));
    auto* fileRow = new QHBoxLayout;
    auto* file = new QLineEdit(Text::trimmed(attachments.files[slot]));
    file->setObjectName(QStringLiteral("txtFile") + nn);
    file->setReadOnly(true);
    file->setFont(bold);
    file->setAccessibleName(fileLabel);
    m_files[slot] = file;

    auto* cross = new PictureToolButton;
    cross->setObjectName(QStringLiteral("imgCancella") + nn);
    cross->setIcon(Pictures::icon(QStringLiteral("addresses/cross")));
    cross->setIconSize(QSize(20, 20));
    cross->setAutoRaise(true);
    cross->setCursor(Qt::PointingHandCursor);
    cross->setAccessibleName(QStringLiteral("Togli %1 file allegato").arg(ordinal));
    cross->setToolTip(cross->accessibleName());

    auto* sfoglia = new QPushButton(QStringLiteral("Sfoglia..."));
    sfoglia->setObjectName(QStringLiteral("btnSfoglia") + nn);
    sfoglia->setAccessibleName(QStringLiteral("Sfoglia %1 file allegato").arg(ordinal));
    auto* open = new QPushButton(QStringLiteral("Apri"));
    open->setObjectName(QStringLiteral("btnApri") + nn);
    open->setAccessibleName(QStringLiteral("Apri %1 file allegato").arg(ordinal));
    m_openButtons[slot] = open;

    fileRow->addWidget(file, 1);
    fileRow->addWidget(cross);
    fileRow->addWidget(sfoglia);
    fileRow->addWidget(open);
    grid->addLayout(fileRow);

    const QString descriptionLabel = QStringLiteral("Descrizione %1 file allegato").arg(ordinal);
    grid->addWidget(new QLabel(descriptionLabel + u':'));
    auto* description = new QLineEdit(Text::trimmed(attachments.descriptions[slot]));
    description->setObjectName(QStringLiteral("txtDesc") + nn);
    description->setFont(bold);
    description->setMaxLength(32767);
    description->setAccessibleName(descriptionLabel);
    m_descriptions[slot] = description;
    grid->addWidget(description);

    connect(file, &QLineEdit::textChanged, this, [this, slot] { updateOpenButton(slot); });
    connect(sfoglia, &QPushButton::clicked, this, [this, slot] { browse(slot); });
    connect(open, &QPushButton::clicked, this,
            [this, slot] { OpenAttachedDocument(m_context, m_files[slot]->text()); });
    connect(cross, &QToolButton::clicked, this, [this, slot] { m_files[slot]->clear(); });
    updateOpenButton(slot);
    return group;
}

AttachmentSlots AttachmentsWindow::attachments() const
{
    AttachmentSlots attachments;
    for (int slot = 0; slot < 3; ++slot) {
        attachments.files[slot] = Text::trimmed(m_files[slot]->text());
        attachments.descriptions[slot] = Text::trimmed(m_descriptions[slot]->text());
    }
    return attachments;
}

void AttachmentsWindow::showEvent(QShowEvent* event)
{
    Windows::centre(this, Windows::Over::Screen);
    QDialog::showEvent(event);
}

void AttachmentsWindow::browse(int slot)
{
    m_files[slot]->setText(AttachDocument(m_context, this, m_files[slot]->text()));
}

void AttachmentsWindow::updateOpenButton(int slot)
{
    m_openButtons[slot]->setEnabled(!Text::trimmed(m_files[slot]->text()).isEmpty());
}
