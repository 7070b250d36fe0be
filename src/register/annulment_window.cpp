#include "register/annulment_window.h"

#include "common/focus_frame_widget.h"
#include "common/keyboard_gui.h"
#include "common/window_gui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AnnulmentWindow::AnnulmentWindow(const QString& card, QWidget* owner) : QDialog(owner, Windows::kFixedDialogFlags)
{
    setObjectName(QStringLiteral("frmAnnullamento"));
    setWindowTitle(QStringLiteral(" Annulla registrazione"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Registrazione da annullare: %1\nLa scheda conserva numero e dati; "
                                            "l'annullamento resta nello storico del registro.")
                                 .arg(card));
    intro->setObjectName(QStringLiteral("lblScheda"));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* caption = new QLabel(QStringLiteral("&Motivo dell'annullamento:"));
    m_txtMotivo = new QLineEdit;
    m_txtMotivo->setObjectName(QStringLiteral("txtMotivo"));
    m_txtMotivo->setMaxLength(250);
    m_txtMotivo->setMinimumWidth(460);
    m_txtMotivo->setAccessibleName(QStringLiteral("Motivo dell'annullamento"));
    m_txtMotivo->setAccessibleDescription(QStringLiteral("Obbligatorio: resta nello storico con data e utente."));
    caption->setBuddy(m_txtMotivo);
    new FocusFrame(m_txtMotivo, QStringLiteral("effMotivo"));
    layout->addWidget(caption);
    layout->addWidget(m_txtMotivo);

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("Chiudi"));
    close->setObjectName(QStringLiteral("btnChiudi"));
    Windows::describe(close, close->text(), QStringLiteral("Chiude la finestra senza annullare la registrazione."));
    Keyboard::setShortcut(close, Keyboard::kExit);
    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla registrazione"));
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    Windows::describe(m_btnAnnulla, m_btnAnnulla->text(),
                      QStringLiteral("Annulla la registrazione con il motivo indicato, dopo una conferma."));
    m_btnAnnulla->setEnabled(false);
    buttons->addStretch();
    for (QPushButton* b : {close, m_btnAnnulla}) {
        b->setMinimumWidth(160);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::accept);
    // The reason is required: the button waits for it.
    connect(m_txtMotivo, &QLineEdit::textChanged, this,
            [this] { m_btnAnnulla->setEnabled(!reason().isEmpty()); });
    connect(m_txtMotivo, &QLineEdit::returnPressed, this, [this] {
        if (m_btnAnnulla->isEnabled())
            m_btnAnnulla->setFocus(Qt::TabFocusReason);
    });
    setTabOrder(m_txtMotivo, close);
    setTabOrder(close, m_btnAnnulla);
    m_txtMotivo->setFocus(Qt::OtherFocusReason);
    setFixedSize(sizeHint());
    Keyboard::setUpWindow(this);
}

void AnnulmentWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Windows::centre(this, Windows::Over::Owner);
}

QString AnnulmentWindow::reason() const
{
    return m_txtMotivo->text().trimmed();
}
