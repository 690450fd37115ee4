#include "ui/reading/ReadingPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>
#include <vector>

#include "reading/ReadingDocument.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PagePrinting.h"

namespace namori {

namespace {

constexpr qreal kMarginMillimetres = 18.0;
constexpr int kPdfResolution = 300;
// The bands above and below the text that carry the name, the date and the page number.
constexpr qreal kBandMillimetres = 9.0;
constexpr qreal kMillimetresPerInch = 25.4;
constexpr int kBandPointSize = 8;

// One section laid out for the device, with the page it starts on and how far down.
struct PlacedSection {
    std::unique_ptr<QTextDocument> text;
    int firstPage = 0;
    qreal top = 0;
    int pages = 1;  // more than one when it runs on over several pages
};

// One section laid out for device at the width of its pages.
std::unique_ptr<QTextDocument> LayOut(const ReadingDocument& document, std::size_t index,
                                      QPagedPaintDevice& device, qreal width) {
    auto section = std::make_unique<QTextDocument>();
    section->documentLayout()->setPaintDevice(&device);
    section->setDocumentMargin(0);
    section->setHtml(QString::fromStdString(SectionPage(document, index)));
    section->setTextWidth(width);
    return section;
}

// Places the sections one after another: a section that does not fit in what is left of a
// page starts a new one; one taller than a page starts a fresh page and runs on, its lines kept
// whole (with a page size the layout moves a line that would be cut to the next page).
std::vector<PlacedSection> Paginate(const ReadingDocument& document, QPagedPaintDevice& device,
                                    const QSizeF& page, int& pageCount) {
    std::vector<PlacedSection> placed;
    int current = 0;
    qreal top = 0;
    for (std::size_t index = 0; index < document.sections.size(); ++index) {
        PlacedSection section{LayOut(document, index, device, page.width())};
        const qreal height = section.text->size().height();
        if (top > 0 && top + height > page.height()) {
            ++current;
            top = 0;
        }
        section.firstPage = current;
        section.top = top;
        if (height > page.height()) {
            section.text->setPageSize(page);
            section.pages = section.text->pageCount();
            const QRectF last =
                section.text->documentLayout()->blockBoundingRect(section.text->lastBlock());
            current += section.pages - 1;
            top = last.bottom() - (section.pages - 1) * page.height();
        } else {
            top += height;
        }
        placed.push_back(std::move(section));
    }
    pageCount = current + 1;
    return placed;
}

// The name and the date above the text, "n / m" below it.
void PaintBands(QPainter& painter, const ReadingDocument& document, const QRectF& paper, qreal band,
                int page, int pages) {
    painter.save();
    QFont font = painter.font();
    font.setPointSize(kBandPointSize);
    painter.setFont(font);
    painter.setPen(QColor(0x66, 0x66, 0x66));
    const QRectF header(paper.left(), paper.top(), paper.width(), band * 0.7);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(document.title));
    if (!document.date.empty()) {
        painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromUtf8("鑑定日　") + QString::fromStdString(document.date));
    }
    painter.drawLine(QPointF(paper.left(), header.bottom()),
                     QPointF(paper.right(), header.bottom()));
    const QRectF footer(paper.left(), paper.bottom() - band * 0.7, paper.width(), band * 0.7);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    painter.restore();
}

}  // namespace

void UseReadingPageLayout(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
}

bool PrintReading(const ReadingDocument& document, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QRectF paper(QPointF(0, 0),
                       device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const qreal band = kBandMillimetres * device.logicalDpiY() / kMillimetresPerInch;
    const QSizeF page(paper.width(), paper.height() - 2 * band);
    int pages = 0;
    const std::vector<PlacedSection> placed = Paginate(document, device, page, pages);
    int current = 0;
    PaintBands(painter, document, paper, band, current, pages);
    auto turnTo = [&](int wanted) {
        while (current < wanted) {
            device.newPage();
            PaintBands(painter, document, paper, band, ++current, pages);
        }
    };
    for (const PlacedSection& section : placed) {
        turnTo(section.firstPage);
        if (section.pages == 1) {
            painter.save();
            painter.translate(0, band + section.top);
            section.text->drawContents(
                &painter,
                QRectF(QPointF(0, 0), QSizeF(page.width(), section.text->size().height())));
            painter.restore();
            continue;
        }
        for (int index = 0; index < section.pages; ++index) {
            turnTo(section.firstPage + index);
            painter.save();
            painter.translate(0, band - index * page.height());
            section.text->drawContents(&painter, QRectF(QPointF(0, index * page.height()), page));
            painter.restore();
        }
    }
    const bool finished = painter.end();
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    return finished && (printer == nullptr || printer->printerState() != QPrinter::Error);
}

bool SaveReadingPdf(const ReadingDocument& document, const QString& file, QString& reason) {
    return SavePdfFile(
        file,
        [&document](QPdfWriter& writer) {
            writer.setResolution(kPdfResolution);
            writer.setTitle(QString::fromStdString(document.title));
            writer.setCreator(QString::fromUtf8("ナモリ"));
            UseReadingPageLayout(writer);
            return PrintReading(document, writer);
        },
        reason);
}

std::unique_ptr<QPrinter> AskForReadingPrinter(QWidget* parent, const QString& dialogTitle) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    UseReadingPageLayout(*printer);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(dialogTitle);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

void PrintReadingOrSay(const ReadingDocument& document, QPrinter& printer, const QString& what,
                       MessageBox& messages, QWidget* parent) {
    QString reason;
    const PaintPages paint = [&document](QPagedPaintDevice& device) {
        return PrintReading(document, device);
    };
    if (!PrintPages(printer, paint, reason)) {
        messages.Show(parent, QString::fromUtf8("印刷確認"),
                      what + QString::fromUtf8("を印刷できませんでした（") + reason +
                          QString::fromUtf8("）。プリンターの状態を確かめるか、「PDFで保存」を"
                                            "お使いください。"),
                      MessageBox::Icon::Exclamation);
    }
}

void SaveReadingPdfOrSay(const ReadingDocument& document, const QString& file, MessageBox& messages,
                         QWidget* parent) {
    QString reason;
    if (!SaveReadingPdf(document, file, reason)) {
        messages.Show(parent, QString::fromUtf8("PDFで保存"),
                      QString::fromUtf8("「") + file +
                          QString::fromUtf8("」に保存できませんでした（") + reason +
                          QString::fromUtf8("）。フォルダと空きを確かめてください。"),
                      MessageBox::Icon::Exclamation);
    }
}

}  // namespace namori
