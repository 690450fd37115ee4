#include "ui/help/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "data/DataFolder.h"
#include "ui/common/DesignPalette.h"
#include "ui/common/WindowHabits.h"

namespace namori {

namespace {

constexpr const char* kDocumentProperty = "helpDocument";

QString PageName(const QString& helpFile) {
    return QFileInfo(helpFile).completeBaseName() + ".html";
}

QStringList HelpFolders(const std::filesystem::path& dataFolder) {
    QStringList folders;
    for (const std::filesystem::path& folder : SearchPath(dataFolder, {"help"})) {
        folders.append(QString::fromStdString(std::filesystem::absolute(folder).string()));
    }
    return folders;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* owner, std::filesystem::path dataFolder)
    : owner_(owner), dataFolder_(std::move(dataFolder)) {}

QString HelpViewer::Locate(const QString& helpFile) const {
    for (const QString& folder : HelpFolders(dataFolder_)) {
        const QFileInfo page(QDir(folder).filePath(PageName(helpFile)));
        if (page.isFile()) {
            return page.canonicalFilePath();
        }
    }
    return {};
}

QTextBrowser* HelpViewer::Display(const QString& helpFile) {
    // A document already open is brought forward, as it is, rather than opened again.
    for (const QPointer<QWidget>& open : windows_) {
        if (open != nullptr && open->property(kDocumentProperty) == helpFile) {
            open->show();
            open->raise();
            open->activateWindow();
            return open->findChild<QTextBrowser*>();
        }
    }
    auto* window = new QWidget(owner_, Qt::Window);
    window->setProperty(kDocumentProperty, helpFile);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("helpWindow"));
    // The pages set their own text colours for a white page.
    KeepDesignPalette(*window);
    window->resize(640, 560);
    RememberGeometry(*window, QStringLiteral("help"));
    AddCloseKeys(*window);
    auto* browser = new QTextBrowser(window);
    browser->setAccessibleName(QString::fromUtf8("ヘルプ"));
    browser->setAccessibleDescription(
        QString::fromUtf8("Tab キーでリンクを選び、Enter キーで開きます"));
    browser->setOpenLinks(false);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);

    QObject::connect(
        browser, &QTextBrowser::anchorClicked, browser, [this, browser](const QUrl& url) {
            if (url.scheme() == QStringLiteral("namori")) {
                emit programLinkActivated(url.path());
            } else if (url.isRelative() || url.scheme() == QStringLiteral("file")) {
                browser->setSource(url.isRelative() ? browser->source().resolved(url) : url);
            }
        });

    const QString page = Locate(helpFile);
    if (page.isEmpty()) {
        window->setWindowTitle(helpFile);
        QString folders;
        for (const QString& folder : HelpFolders(dataFolder_)) {
            folders += QStringLiteral("<li>") + folder.toHtmlEscaped() + QStringLiteral("</li>");
        }
        browser->setHtml(
            QString::fromUtf8("<h2>ヘルプが見つかりません</h2><p>「%1」のページ（%2）が"
                              "次のフォルダのどれにもありません。</p><ul>%3</ul>")
                .arg(helpFile.toHtmlEscaped(), PageName(helpFile).toHtmlEscaped(), folders));
    } else {
        browser->setSource(QUrl::fromLocalFile(page));
        window->setWindowTitle(browser->documentTitle().isEmpty() ? helpFile
                                                                  : browser->documentTitle());
    }
    windows_.append(window);
    window->show();
    return browser;
}

void HelpViewer::CloseAll() {
    for (const QPointer<QWidget>& window : windows_) {
        if (window != nullptr) {
            window->close();
        }
    }
    windows_.clear();
}

int HelpViewer::openCount() const {
    return static_cast<int>(std::count_if(windows_.begin(), windows_.end(), [](const auto& window) {
        return window != nullptr && window->isVisible();
    }));
}

}  // namespace namori
