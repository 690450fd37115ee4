#include "ui/common/PagePrinting.h"

#include <cups/cups.h>

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <string_view>

#include "data/FileWriting.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

// Why the print queue will not take a job now; empty when it will. known tells whether the
// spooler knows the queue at all.
QString QueueRefusal(const QPrinter& printer, bool& known) {
    known = false;
    const QByteArray name = printer.printerName().toLocal8Bit();
    if (name.isEmpty()) {
        return {};
    }
    const qsizetype slash = name.indexOf('/');
    const QByteArray queue = slash < 0 ? name : name.left(slash);
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1);
    cups_dest_t* destination = cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (destination == nullptr) {
        return {};
    }
    known = true;
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, destination);
    if (!refuses) {
        return {};
    }
    return QString::fromUtf8("プリンター「%1」は今、印刷を受け付けていません")
        .arg(printer.printerName());
}

}  // namespace

bool SavePdfFile(const QString& file, const std::function<bool(QPdfWriter&)>& write,
                 QString& reason) {
    // Painted in memory, then written as the data files are: a file device does not report a
    // write that stops part way (a full disk), and would leave a truncated file.
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&pages);
        painted = write(writer);
    }
    if (!painted) {
        reason = QString::fromUtf8("PDFを作れませんでした");
        return false;
    }
    try {
        RewriteFileAtomically(QFile::encodeName(file).toStdString(),
                              std::string_view(pages.data().constData(),
                                               static_cast<std::size_t>(pages.data().size())),
                              file.toStdString());
    } catch (const FileWriteError& error) {
        reason = QString::fromStdString(SystemReason(error.code().value()));
        return false;
    }
    return true;
}

bool PrintPages(QPrinter& printer, const PaintPages& paint, QString& reason) {
    if (!printer.outputFileName().isEmpty()) {
        // Painting into the printer's file directly would truncate an old file first and
        // report no failed write.
        return SavePdfFile(
            printer.outputFileName(),
            [&](QPdfWriter& writer) {
                writer.setResolution(printer.resolution());
                writer.setPageLayout(printer.pageLayout());
                writer.setTitle(printer.docName());
                writer.setCreator(printer.creator());
                return paint(writer);
            },
            reason);
    }
    // The spooler's answer to a job is not passed on by the printer: it is asked here, before
    // the job and of the job just sent.
    bool spooled = false;
    reason = QueueRefusal(printer, spooled);
    if (!reason.isEmpty()) {
        return false;
    }
    if (!paint(printer)) {
        reason = QString::fromUtf8("プリンターが応答しません");
        return false;
    }
    if (spooled && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        reason = cupsLastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS
                     ? QString::fromUtf8("プリンター「%1」が印刷を受け付けませんでした")
                           .arg(printer.printerName())
                     : QString::fromUtf8("プリンター「%1」が印刷を断りました（IPP %2）")
                           .arg(printer.printerName())
                           .arg(cupsLastError(), 4, 16, QLatin1Char('0'));
        return false;
    }
    return true;
}

}  // namespace namori
