#include "ui/main/WindowPrinter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/common/MessageBox.h"
#include "ui/common/PagePrinting.h"

namespace namori {

namespace {

// Three times the screen's density gives a sharp print of the window's text and pictures.
constexpr qreal kPrintDensity = 3.0;
constexpr int kPdfResolution = 1200;  // as a high-resolution printer
constexpr const char* kDocumentName = "ナモリ";

}  // namespace

bool PrintWindowImage(QWidget& window, QPagedPaintDevice& device) {
    QImage image(window.size() * kPrintDensity, QImage::Format_RGB32);
    image.setDevicePixelRatio(kPrintDensity);
    image.fill(Qt::white);
    window.render(&image);

    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QRect area = painter.viewport();
    QSize size = image.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    painter.drawImage(target, image);
    const bool finished = painter.end();
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    return finished && (printer == nullptr || printer->printerState() != QPrinter::Error);
}

std::unique_ptr<QPrinter> DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

WindowPrinter::WindowPrinter(QWidget& window, QAbstractButton* printButton, MessageBox& messages)
    : window_(window), messages_(messages) {
    connect(printButton, &QAbstractButton::clicked, this, &WindowPrinter::onPrintClicked);
}

void WindowPrinter::onPrintClicked() {
    const QString question = QString::fromUtf8(
        "表示中の画面イメージで印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください");
    if (messages_.Show(&window_, QString::fromUtf8("印刷確認"), question,
                       MessageBox::Icon::Exclamation,
                       MessageBox::Buttons::OkCancel) != MessageBox::Answer::Ok) {
        return;
    }
    const PaintPages paint = [this](QPagedPaintDevice& device) {
        return PrintWindowImage(window_, device);
    };
    std::unique_ptr<QPrinter> printer = printerChooser_ ? printerChooser_() : DefaultPrinter();
    QString reason = QString::fromUtf8("プリンターが見つかりません");
    if (printer != nullptr) {
        printer->setDocName(QString::fromUtf8(kDocumentName));
        if (PrintPages(*printer, paint, reason)) {
            return;
        }
    }
    // No printer, or the job failed: the same page can go to a PDF file instead.
    const QString offer = QString::fromUtf8("印刷できませんでした（") + reason +
                          QString::fromUtf8("）。\r\n\r\n同じ画面をPDFファイルに保存しますか？");
    if (messages_.Show(&window_, QString::fromUtf8("印刷確認"), offer,
                       MessageBox::Icon::Exclamation,
                       MessageBox::Buttons::OkCancel) != MessageBox::Answer::Ok) {
        return;
    }
    const QString file = pdfFileChooser_
                             ? pdfFileChooser_()
                             : QFileDialog::getSaveFileName(
                                   &window_, QString::fromUtf8("PDFファイルに保存"),
                                   QString::fromUtf8("ナモリ.pdf"), QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty()) {
        return;
    }
    if (!SavePdfFile(
            file,
            [&paint](QPdfWriter& writer) {
                writer.setResolution(kPdfResolution);
                writer.setTitle(QString::fromUtf8(kDocumentName));
                return paint(writer);
            },
            reason)) {
        messages_.Show(&window_, QString::fromUtf8("印刷確認"),
                       QString::fromUtf8("「") + file +
                           QString::fromUtf8("」に保存できませんでした（") + reason +
                           QString::fromUtf8("）。フォルダと空きを確かめてください。"),
                       MessageBox::Icon::Exclamation);
    }
}

}  // namespace namori
