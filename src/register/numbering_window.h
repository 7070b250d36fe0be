#pragma once

#include "register/register_settings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The numbering settings of the register: the start number and whether the year follows the number. It shows the
// settings it is given and hands the edited ones back on "Applica e chiudi" (accepted); "Annulla" rejects.
class NumberingWindow : public QDialog
{
    Q_OBJECT

public:
    // With a year, the window says that the start number is that year's register's.
    NumberingWindow(const RegisterNumbering& current, QWidget* owner, const QString& year = QString());

    // The start number as the window leaves it (normalised) and the check box.
    RegisterNumbering chosen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_txtInizio = nullptr;
    QCheckBox* m_chkTipo = nullptr;
    QPushButton* m_btnApplica = nullptr;
};
