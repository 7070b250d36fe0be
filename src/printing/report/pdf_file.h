#pragma once

#include <QString>
#include <functional>

class QPdfWriter;

namespace ReportPainter {

// Writes a PDF file whole or not at all: `paint` draws into a writer that streams into a temporary file beside the
// target, renamed over it once written, so an older file of that name stays as it was when writing fails. Throws
// ReportError, with a message for the user, when the file cannot be written.
void writePdfFile(const QString& path, const std::function<void(QPdfWriter&)>& paint);

} // namespace ReportPainter
