#pragma once

#include "printing/envelope_settings.h"
#include "printing/report/report_template.h"

#include <QDialog>
#include <QStringList>

struct AppContext;
class QLabel;
class QLayout;
class QLineEdit;
class QRadioButton;

// Prints the address on screen directly on an envelope, in a block the user shifts with a top and a left margin
// (millimetres) and in the orientation the printer needs. Margins and orientation come from Impostazioni.ini and are
// saved there by "Stampa" only.
class EnvelopePrintWindow : public QDialog
{
    Q_OBJECT

public:
    // `addressLines`: the six address lines of the archive window as they stand on screen.
    EnvelopePrintWindow(const AppContext& context, const QStringList& addressLines, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* makeInstructions();
    QLayout* makeSettings();
    void makeWaitNotice();
    QLayout* makeButtons();
    void loadSettings();
    EnvelopeSettings settingsOnScreen() const;
    void saveTopSettings();
    void saveLeftSettings();
    void stepMargin(QLineEdit* margin, int delta);
    void printEnvelope();

    const AppContext& m_context;
    QStringList m_addressLines;
    ReportTemplate m_repModulo;
    QLineEdit* m_txtTop;
    QLineEdit* m_txtLeft;
    QRadioButton* m_optVerticale;
    QRadioButton* m_optOrizzontale;
    QLabel* m_lblAttendere;
};
