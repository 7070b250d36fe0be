#pragma once

#include "printing/report/prepared_report.h"

#include <QDialog>
#include <exception>
#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QComboBox;

// Shows prepared pages, drawn by the same painter as paper, in a maximised modal window. The toolbar holds the
// buttons the report asks for among print, zoom, full screen and close.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    // `print` shows the print dialog and prints; it returns false when the user cancelled. `report` must outlive
    // the window.
    PreviewWindow(const PreparedReport& report, std::function<bool(QWidget*)> print, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Shows the window maximised and modal; returns when it closes. Rethrows a failure of the print button.
    void run();

    bool printed() const { return m_printed; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void paintPages(QPrinter* printer);
    void printPages();
    void applyZoom(int index);
    void toggleFullScreen(bool on);

    const PreparedReport& m_report;
    std::function<bool(QWidget*)> m_print;
    QPrinter* m_printer;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_zoom = nullptr;
    bool m_printed = false;
    std::exception_ptr m_failure;
};
