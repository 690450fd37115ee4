#pragma once

#include <QString>

class QPagedPaintDevice;

namespace namori {

struct ReadingDocument;

// Sets device to A4 portrait with margins wide enough for binding and handling.
void UseReadingPageLayout(QPagedPaintDevice& device);

// Lays the sections of document out one after another on the pages of device, as a printed
// document rather than a picture of the window: a section that does not fit in what is left of
// a page starts a new one; a section longer than a page runs on over as many pages as it needs,
// broken between lines. Every page carries the name and the date of the reading above the text
// and "n / m" below it. False when painting could not start or the device reports a failure.
bool PrintReading(const ReadingDocument& document, QPagedPaintDevice& device);

// Writes document as a PDF file (A4), atomically: a failed write leaves any old file as it
// was. False with a reason in Japanese when the file cannot be written.
bool SaveReadingPdf(const ReadingDocument& document, const QString& file, QString& reason);

}  // namespace namori
