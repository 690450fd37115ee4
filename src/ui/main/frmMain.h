#pragma once

#include <QWidget>

#include "ui/main/MainWindowControls.h"

namespace namori {

struct JudgementStore;
class MessageBox;

// The main window: the buttons, the entry frame, and the result frame under the explanation
// panel. Works on the one judgement store and shows its messages through messages.
class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(JudgementStore& store, MessageBox& messages, QWidget* parent = nullptr);

    const MainWindowControls& controls() const { return controls_; }
    JudgementStore& store() { return store_; }
    MessageBox& messages() { return messages_; }

    // The judge command of the "占う" button.
    void cmdKaishi3_Click();

private:
    void HideFaceImages();
    bool complementTicked() const;

    JudgementStore& store_;
    MessageBox& messages_;
    MainWindowControls controls_;
};

}  // namespace namori
