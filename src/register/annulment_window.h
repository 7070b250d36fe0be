#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for the reason of an annulment; "Annulla registrazione" hands it back (accepted) only when it is given,
// "Chiudi" rejects.
class AnnulmentWindow : public QDialog
{
    Q_OBJECT

public:
    // `card` names the card to the user: "N. 12/2026 - Richiesta di contributo".
    AnnulmentWindow(const QString& card, QWidget* owner);

    QString reason() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_txtMotivo = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};
