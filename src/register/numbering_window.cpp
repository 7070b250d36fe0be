#include "register/numbering_window.h"

#include "common/focus_frame_widget.h"
#include "common/keyboard_gui.h"
#include "common/text.h"
#include "common/window_gui.h"
#include "register/register_numbering.h"
#include "register/register_pictures_gui.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

NumberingWindow::NumberingWindow(const RegisterNumbering& current, QWidget* owner, const QString& year)
    : QDialog(owner, Windows::kFixedDialogFlags)
{
    setObjectName(QStringLiteral("frmNumerazione"));
    setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(registerPicture(QStringLiteral("imgLogo"), QStringLiteral("logo"), QSize(72, 72),
                                   QStringLiteral("Protocollo Posta")));
    top->addWidget(registerPicture(QStringLiteral("imgIstruzioni"), QStringLiteral("instructions"), QSize(300, 96),
                                   QStringLiteral("Numero iniziale più schede in archivio, seguito "
                                                  "dall'anno solare se richiesto")));
    layout->addLayout(top);

    auto* group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "));
    group->setObjectName(QStringLiteral("grpNumerazione"));
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->setContentsMargins(16, 12, 16, 12);
    m_txtInizio = new QLineEdit;
    groupLayout->addWidget(m_txtInizio);
    groupLayout->addStretch();
    m_txtInizio->setObjectName(QStringLiteral("txtInizio"));
    m_txtInizio->setAlignment(Qt::AlignCenter);
    QFont bold = m_txtInizio->font();
    bold.setBold(true);
    m_txtInizio->setFont(bold);
    m_txtInizio->setMaxLength(5);
    m_txtInizio->setFixedWidth(110);
    // Digits only: the start number is a whole number.
    m_txtInizio->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_txtInizio));
    m_txtInizio->setAccessibleName(QStringLiteral("Inizia numerazione da"));
    m_txtInizio->setAccessibleDescription(
        QStringLiteral("Numero assegnato alla prima scheda dell'anno; le schede seguenti proseguono da qui."));
    m_txtInizio->installEventFilter(this);
    new FocusFrame(m_txtInizio, QStringLiteral("effInizio"));
    layout->addWidget(group);
    if (!year.isEmpty()) {
        auto* lblAnno = new QLabel(QStringLiteral("Numerazione del protocollo dell'anno %1: gli altri anni iniziano "
                                                  "da 1, salvo un numero iniziale impostato per loro.")
                                       .arg(year));
        lblAnno->setObjectName(QStringLiteral("lblAnno"));
        lblAnno->setWordWrap(true);
        layout->addWidget(lblAnno);
    }

    m_chkTipo = new QCheckBox(QStringLiteral("Indica l'anno solare dopo il numero progressivo del documento"));
    m_chkTipo->setObjectName(QStringLiteral("chkTipo"));
    Windows::describe(m_chkTipo, m_chkTipo->text(),
                      QStringLiteral("Fa seguire al numero di protocollo \"/\" e l'anno."));
    layout->addWidget(m_chkTipo);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    Windows::describe(cancel, cancel->text(), QStringLiteral("Chiude la finestra senza salvare le impostazioni."));
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    m_btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"));
    m_btnApplica->setObjectName(QStringLiteral("btnApplica"));
    Windows::describe(m_btnApplica, m_btnApplica->text(),
                      QStringLiteral("Salva le impostazioni della numerazione e chiude."));
    Keyboard::setShortcut(m_btnApplica, Keyboard::kSave);
    buttons->addStretch();
    for (QPushButton* b : {cancel, m_btnApplica}) {
        b->setMinimumWidth(140);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnApplica, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_txtInizio, &QLineEdit::returnPressed, m_btnApplica,
            [this] { m_btnApplica->setFocus(Qt::TabFocusReason); });

    m_txtInizio->setText(Text::trimmed(current.start).isEmpty() ? QStringLiteral("1") : current.start);
    m_chkTipo->setChecked(current.yearSuffix);
    setTabOrder(m_txtInizio, m_chkTipo);
    setTabOrder(m_chkTipo, cancel);
    setTabOrder(cancel, m_btnApplica);
    m_txtInizio->setFocus(Qt::OtherFocusReason);
    setFixedSize(sizeHint());
    Keyboard::setUpWindow(this);
}

void NumberingWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Windows::centre(this, Windows::Over::Owner);
}

RegisterNumbering NumberingWindow::chosen() const
{
    return {normalizeStartNumber(m_txtInizio->text()), m_chkTipo->isChecked()};
}

bool NumberingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtInizio && event->type() == QEvent::FocusOut)
        m_txtInizio->setText(normalizeStartNumber(m_txtInizio->text()));
    return QDialog::eventFilter(watched, event);
}
