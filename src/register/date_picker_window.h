#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

// Picks the registration date of a register card from a month calendar in Italian, opened on today's date.
// "Importa" accepts (the caller then takes dateText()); "Annulla" rejects and changes nothing.
class DatePickerWindow : public QDialog
{
    Q_OBJECT

public:
    DatePickerWindow(const QDate& today, QWidget* owner);

    QDate date() const;
    // dd/mm/yyyy
    QString dateText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QCalendarWidget* m_calendar = nullptr;
};
