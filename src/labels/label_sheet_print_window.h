#pragma once

#include "labels/label_sheet.h"
#include "printing/report/report_template.h"

#include <QDialog>

struct AppContext;

// Prints the sheet on screen in the label sheet window, or shows it in the preview from which it can be printed:
// the 144 lines of the sheet on the A4 page of 24 labels. Closes once the page went to the print dialog or the
// preview closed.
class LabelSheetPrintWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        Print,   // frmStampa_Etichette
        Preview, // frmAnteprima_Etichette
    };

    // `onScreen`: the sheet as the label sheet window holds it, saved or not.
    LabelSheetPrintWindow(const AppContext& context, Mode mode, const LabelSheet& onScreen, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void run();

    const AppContext& m_context;
    Mode m_mode;
    LabelSheet m_sheet;
    ReportTemplate m_repDocumento;
};
