#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <utility>

class QAbstractButton;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace namori {

class MessageBox;

// Paints window's client area as shown on one page of device, scaled to fit and centred.
// False when painting could not start or the printer reports a failure.
bool PrintWindowImage(QWidget& window, QPagedPaintDevice& device);

// The system's default printer; none when no printer is set up.
std::unique_ptr<QPrinter> DefaultPrinter();

// The print command of a window: asks, prints the window as shown on the default printer, and
// offers a PDF file instead when there is no printer or the job fails or is refused.
class WindowPrinter : public QObject {
    Q_OBJECT

  public:
    // Prints when printButton is clicked.
    WindowPrinter(QWidget& window, QAbstractButton* printButton, MessageBox& messages);

    // Where printing goes: the default printer unless set (tests print to a PDF file); none
    // means no printer.
    void setPrinterChooser(std::function<std::unique_ptr<QPrinter>()> chooser) {
        printerChooser_ = std::move(chooser);
    }
    // The PDF file for the page when printing is not possible; asks the user unless set.
    void setPdfFileChooser(std::function<QString()> chooser) {
        pdfFileChooser_ = std::move(chooser);
    }

  private slots:
    void onPrintClicked();

  private:
    QWidget& window_;
    MessageBox& messages_;
    std::function<std::unique_ptr<QPrinter>()> printerChooser_;
    std::function<QString()> pdfFileChooser_;
};

}  // namespace namori
