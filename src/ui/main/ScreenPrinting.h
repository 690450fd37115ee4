#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace namori {

// Prints window's client area as shown, as one page, scaled to fit the page and centred.
// False when the printer could not be started or the job failed.
bool PrintWindowImage(QWidget& window, QPrinter& printer);

// The system's default printer; none when no printer is set up.
std::unique_ptr<QPrinter> DefaultPrinter();

}  // namespace namori
