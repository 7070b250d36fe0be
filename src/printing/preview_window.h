#pragma once

#include "printing/report/prepared_report.h"

#include <QDialog>
#include <exception>
#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QComboBox;
class QLabel;
class QSpinBox;
struct AppContext;

// Shows prepared pages, drawn by the same painter as paper, in a maximised modal window. The toolbar holds the
// buttons the report asks for among print, zoom, full screen and close, and "Salva PDF", which writes the pages to a
// PDF file chosen in the save-file dialog. The page shown and the count stand in the toolbar, beside a field that goes
// to a page; Home and End (also with Ctrl) go to the first and the last page.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    // `print` shows the print dialog and prints; it returns false when the user cancelled. `report` and `context`
    // must outlive the window.
    PreviewWindow(const PreparedReport& report, std::function<bool(QWidget*)> print, const AppContext& context,
                  QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Shows the window maximised and modal; returns when it closes. Rethrows a failure of the print button, except
    // "no printer", which the window tells itself and stays open.
    void run();

    bool printed() const { return m_printed; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void paintPages(QPrinter* printer);
    void printPages();
    // The report's name in the user's documents folder.
    QString suggestedPdfPath() const;
    void savePdf();
    void applyZoom(int index);
    void toggleFullScreen(bool on);
    void addPageControls(class QToolBar* toolbar);
    void goToPage(int page);
    void showCurrentPage();

    const PreparedReport& m_report;
    std::function<bool(QWidget*)> m_print;
    const AppContext& m_context;
    QPrinter* m_printer;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_zoom = nullptr;
    QLabel* m_lblPagina = nullptr;
    QSpinBox* m_txtPagina = nullptr;
    bool m_printed = false;
    std::exception_ptr m_failure;
};
