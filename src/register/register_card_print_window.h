#pragma once

#include "printing/report/report_template.h"
#include "register/register_card.h"

#include <QDialog>

struct AppContext;

// Prints the register card on screen, saved or not, on one A4 page through the print dialog, then closes.
class RegisterCardPrintWindow : public QDialog
{
    Q_OBJECT

public:
    // `onScreen` holds the register window's fields as they stand, untrimmed; `annulment` is the annulment's text
    // for an annulled card, printed with it, and empty otherwise.
    RegisterCardPrintWindow(const AppContext& context, const RegisterCard& onScreen, const QString& annulment,
                            QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void print();

    const AppContext& m_context;
    RegisterCard m_card;
    QString m_annulment;
    ReportTemplate m_repDocumento;
};
