#include "ui/reading/ReadingWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/common/MessageBox.h"
#include "ui/common/PagePrinting.h"
#include "ui/common/WindowHabits.h"
#include "ui/reading/ReadingPrinter.h"

namespace namori {

namespace {

const char* const kTitle = "鑑定書";

}  // namespace

ReadingWindow::ReadingWindow(ReadingDocument document, QString name, MessageBox& messages,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages) {
    setObjectName("frmReading");
    controls_.view = new QTextBrowser(this);
    controls_.view->setOpenLinks(false);
    // The document brings its own colours: a light page whatever the desktop's theme.
    QPalette page = controls_.view->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, QColor(0x22, 0x22, 0x22));
    controls_.view->setPalette(page);

    controls_.printButton = new QPushButton(QString::fromUtf8("印刷"), this);
    controls_.pdfButton = new QPushButton(QString::fromUtf8("PDFで保存"), this);
    controls_.closeButton = new QPushButton(QString::fromUtf8("閉じる"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(controls_.printButton);
    buttons->addWidget(controls_.pdfButton);
    buttons->addWidget(controls_.closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_.view);
    layout->addLayout(buttons);

    controls_.view->setAccessibleName(QString::fromUtf8("鑑定書"));
    controls_.view->setAccessibleDescription(
        QString::fromUtf8("名前の詳しい解説。上下キーとPage Up・Page Downで読み進めます"));
    controls_.printButton->setAccessibleDescription(
        QString::fromUtf8("鑑定書をA4の文書として印刷します（プリンターを選べます）"));
    controls_.pdfButton->setAccessibleDescription(
        QString::fromUtf8("鑑定書をPDFファイルに保存します"));
    controls_.closeButton->setAccessibleDescription(
        QString::fromUtf8("鑑定書を閉じます（Ctrl+W・Esc）"));

    connect(controls_.printButton, &QPushButton::clicked, this, &ReadingWindow::onPrintClicked);
    connect(controls_.pdfButton, &QPushButton::clicked, this, &ReadingWindow::onPdfClicked);
    connect(controls_.closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, controls_.printButton,
            &QPushButton::click);
    controls_.printButton->setToolTip(
        WithShortcut(QString::fromUtf8("鑑定書を印刷します"), "Ctrl+P"));
    controls_.closeButton->setToolTip(
        WithShortcut(QString::fromUtf8("鑑定書を閉じます"), "Ctrl+W・Esc"));
    AddCloseKeys(*this);
    resize(640, 780);
    RememberGeometry(*this, QStringLiteral("reading"));
    ShowDocument(std::move(document), std::move(name));
}

ReadingWindow::~ReadingWindow() = default;

void ReadingWindow::ShowDocument(ReadingDocument document, QString name) {
    document_ = std::move(document);
    name_ = std::move(name);
    setWindowTitle(QString::fromUtf8(kTitle) + QString::fromUtf8(" ― ") + name_);
    controls_.view->setHtml(QString::fromStdString(ReadingPage(document_)));
}

void ReadingWindow::onPrintClicked() {
    std::unique_ptr<QPrinter> printer =
        printerChooser_ ? printerChooser_()
                        : AskForReadingPrinter(this, QString::fromUtf8("鑑定書の印刷"));
    if (printer == nullptr) {
        return;
    }
    printer->setDocName(QString::fromUtf8(kTitle) + QString::fromUtf8(" ") + name_);
    PrintReadingOrSay(document_, *printer, QString::fromUtf8("鑑定書"), messages_, this);
}

void ReadingWindow::onPdfClicked() {
    QString file;
    if (pdfFileChooser_) {
        file = pdfFileChooser_();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString suggested =
            QDir(folder).filePath(QString::fromUtf8("鑑定書_") +
                                  QString(name_).remove(QLatin1Char(' ')) + QStringLiteral(".pdf"));
        file = QFileDialog::getSaveFileName(this, QString::fromUtf8("鑑定書をPDFで保存"), suggested,
                                            QStringLiteral("PDF (*.pdf)"));
    }
    if (file.isEmpty()) {
        return;
    }
    SaveReadingPdfOrSay(document_, file, messages_, this);
}

}  // namespace namori
