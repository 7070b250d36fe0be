#pragma once

#include "printing/print_service.h"

#include <QStringList>
#include <functional>
#include <optional>

// A print service for tests: "prints" by writing PDF files into a folder and answers the print dialog from
// `acceptPrint`. Keeps the last reports it was given, so a test can check positions without reading a PDF.
class PdfPrintService : public PrintService
{
public:
    explicit PdfPrintService(const QString& folder) : m_folder(folder) {}

    bool acceptPrint = true;       // the answer of the print dialog
    bool printFromPreview = false; // whether the user presses the preview's print button
    QString failWith;              // when set, every call throws ReportError with this text

    bool print(QWidget* owner, const PreparedReport& report) override;
    bool printPages(QWidget* owner, const ReportPainter::PageSource& pages) override;
    bool preview(QWidget* owner, const PreparedReport& report) override;

    // The PDF files written by confirmed prints, in order.
    const QStringList& printedFiles() const { return m_printed; }
    int printDialogs() const { return m_dialogs; }
    int previews() const { return m_previews; }
    const std::optional<PreparedReport>& lastPrinted() const { return m_lastPrinted; }
    const std::optional<PreparedReport>& lastPreviewed() const { return m_lastPreviewed; }

private:
    // The print dialog's answer, then `write` into the next file.
    bool printInto(const std::function<void(const QString& path)>& write);

    QString m_folder;
    QStringList m_printed;
    int m_dialogs = 0;
    int m_previews = 0;
    std::optional<PreparedReport> m_lastPrinted;
    std::optional<PreparedReport> m_lastPreviewed;
};
