#pragma once

#include "printing/report/report_template.h"

#include <QDialog>
#include <QStringList>

struct AppContext;

// Shows the address on screen on all 24 labels of an A4 label sheet, in the preview from which it can be printed.
class AddressSheetPreviewWindow : public QDialog
{
    Q_OBJECT

public:
    // `addressLines`: the six address lines of the archive window as they stand on screen.
    AddressSheetPreviewWindow(const AppContext& context, const QStringList& addressLines, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPreview();

    const AppContext& m_context;
    QStringList m_addressLines;
    ReportTemplate m_repDocumento;
};
