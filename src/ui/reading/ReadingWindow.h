#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

#include "reading/ReadingDocument.h"

class QPrinter;
class QPushButton;
class QTextBrowser;

namespace namori {

class MessageBox;

// The 鑑定書 window: the detailed reading of one judgement as a scrolling document, with
// printing as a paged A4 document and saving as a PDF file.
class ReadingWindow : public QWidget {
    Q_OBJECT

  public:
    ReadingWindow(ReadingDocument document, QString name, MessageBox& messages,
                  QWidget* parent = nullptr);
    ~ReadingWindow() override;

    // Shows another reading in the same window.
    void ShowDocument(ReadingDocument document, QString name);
    const ReadingDocument& document() const { return document_; }

    // The controls of the window; tests drive it through them.
    struct Controls {
        QTextBrowser* view = nullptr;
        QPushButton* printButton = nullptr;
        QPushButton* pdfButton = nullptr;
        QPushButton* closeButton = nullptr;
    };
    const Controls& controls() const { return controls_; }

    // Where 印刷 prints: the printer the user chooses in the print dialog, set up for A4, unless
    // set (tests print to a file). None when the user cancels.
    void setPrinterChooser(std::function<std::unique_ptr<QPrinter>()> chooser) {
        printerChooser_ = std::move(chooser);
    }
    // The file PDFで保存 writes; asks the user unless set. Empty cancels.
    void setPdfFileChooser(std::function<QString()> chooser) {
        pdfFileChooser_ = std::move(chooser);
    }

  private slots:
    void onPrintClicked();
    void onPdfClicked();

  private:
    ReadingDocument document_;
    QString name_;
    MessageBox& messages_;
    std::function<std::unique_ptr<QPrinter>()> printerChooser_;
    std::function<QString()> pdfFileChooser_;
    Controls controls_;
};

}  // namespace namori
