#include "ui/reading/ReadingPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

#include "reading/ReadingDocument.h"
#include "ui/common/PagePrinting.h"

namespace namori {

namespace {

constexpr qreal kMarginMillimetres = 18.0;
constexpr int kPdfResolution = 300;

// One section laid out for device at the width of its pages.
void LayOut(QTextDocument& section, const ReadingDocument& document, std::size_t index,
            QPagedPaintDevice& device, qreal width) {
    section.documentLayout()->setPaintDevice(&device);
    section.setDocumentMargin(0);
    section.setHtml(QString::fromStdString(SectionPage(document, index)));
    section.setTextWidth(width);
}

// Paints a section taller than a page over as many pages as it needs, from the top of a fresh
// page; returns how far down its last page it reaches.
qreal PaintAcrossPages(QTextDocument& section, QPainter& painter, QPagedPaintDevice& device,
                       const QSizeF& page) {
    // With a page size the layout moves lines that would be cut to the next page.
    section.setPageSize(page);
    const int pages = section.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0) {
            device.newPage();
        }
        painter.save();
        painter.translate(0, -index * page.height());
        section.drawContents(&painter, QRectF(QPointF(0, index * page.height()), page));
        painter.restore();
    }
    const QRectF last = section.documentLayout()->blockBoundingRect(section.lastBlock());
    return last.bottom() - (pages - 1) * page.height();
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
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    qreal top = 0;
    for (std::size_t index = 0; index < document.sections.size(); ++index) {
        QTextDocument section;
        LayOut(section, document, index, device, page.width());
        const qreal height = section.size().height();
        if (top > 0 && top + height > page.height()) {
            device.newPage();
            top = 0;
        }
        if (height > page.height()) {
            top = PaintAcrossPages(section, painter, device, page);
            continue;
        }
        painter.save();
        painter.translate(0, top);
        section.drawContents(&painter, QRectF(QPointF(0, 0), QSizeF(page.width(), height)));
        painter.restore();
        top += height;
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

}  // namespace namori
