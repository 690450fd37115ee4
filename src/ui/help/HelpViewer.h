#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>

class QTextBrowser;
class QWidget;

namespace namori {

// The help windows: a document is named by file name ("TevoHelp.chm") and shown from the page
// of the same name with ".html" found on the search path of help pages (the data folder first).
// A document has one window, raised when asked for again; CloseAll closes every window opened
// here.
class HelpViewer : public QObject {
    Q_OBJECT

  public:
    HelpViewer(QWidget* owner, std::filesystem::path dataFolder);

    // Shows helpFile in its help window, opened if need be; a page saying it is missing when no
    // folder has it.
    QTextBrowser* Display(const QString& helpFile);
    // Closes every help window this viewer opened.
    void CloseAll();
    // The help windows still open.
    int openCount() const;

    // Where the page of helpFile was found; empty when nowhere.
    QString Locate(const QString& helpFile) const;

  signals:
    // A link of the form "namori:target" in a help page was followed.
    void programLinkActivated(const QString& target);

  private:
    QWidget* owner_;
    std::filesystem::path dataFolder_;
    QList<QPointer<QWidget>> windows_;
};

}  // namespace namori
