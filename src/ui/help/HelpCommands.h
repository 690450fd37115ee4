#pragma once

#include <QObject>
#include <filesystem>
#include <memory>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace namori {

class HelpViewer;
class MessageBox;

// The help, introduction and exit commands of the main window, with the help windows they
// open.
class HelpCommands : public QObject {
    Q_OBJECT

  public:
    // Answers the clicks of the three buttons; surnameEdit is finished before the
    // introduction's message takes the focus.
    HelpCommands(QWidget& window, MessageBox& messages, const std::filesystem::path& dataFolder,
                 QLineEdit* surnameEdit, QAbstractButton* helpButton,
                 QAbstractButton* introductionButton, QAbstractButton* exitButton);
    ~HelpCommands() override;

    HelpViewer& helpViewer() { return *helpViewer_; }

  private slots:
    void onHelpClicked();
    void onIntroductionClicked();
    // Closes every help window, then the main window, which ends the program.
    void onExitClicked();

  private:
    QWidget& window_;
    MessageBox& messages_;
    QLineEdit* surnameEdit_;
    std::unique_ptr<HelpViewer> helpViewer_;
};

}  // namespace namori
