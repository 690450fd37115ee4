#pragma once

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace namori {

// Draws the pages of a document on a device; false when painting could not start or failed.
using PaintPages = std::function<bool(QPagedPaintDevice&)>;

// Writes a PDF file atomically: write sets up the writer and paints into it, the pages go to a
// temporary file beside file, which replaces file only when complete (keeping its permissions).
// False, with the reason in Japanese, when anything fails; an old file is then left as it was.
bool SavePdfFile(const QString& file, const std::function<bool(QPdfWriter&)>& write,
                 QString& reason);

// Prints paint's pages through printer. A printer that writes to a file does so as SavePdfFile
// does (with the printer's page layout); a job for a print queue that the spooler will not
// accept, or refuses when it is sent, is a failure. False with the reason in Japanese.
bool PrintPages(QPrinter& printer, const PaintPages& paint, QString& reason);

}  // namespace namori
