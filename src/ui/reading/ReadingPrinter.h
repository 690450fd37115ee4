#pragma once

#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace namori {

struct ReadingDocument;
class MessageBox;

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

// Asks for a printer set up with the reading's page layout, in a dialog titled dialogTitle;
// none when the user cancels.
std::unique_ptr<QPrinter> AskForReadingPrinter(QWidget* parent, const QString& dialogTitle);

// Prints document on printer; a failure is said in a box that names what was printed (鑑定書,
// 比較表) and offers the PDF instead.
void PrintReadingOrSay(const ReadingDocument& document, QPrinter& printer, const QString& what,
                       MessageBox& messages, QWidget* parent);

// Saves document as the PDF file; a failure is said in a box.
void SaveReadingPdfOrSay(const ReadingDocument& document, const QString& file, MessageBox& messages,
                         QWidget* parent);

}  // namespace namori
