#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QToolButton>

#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "ui/common/Artwork.h"
#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpViewer.h"
#include "ui/naming/frmNaming.h"

namespace namori {

frmMain::frmMain(JudgementStore& store, MessageBox& messages, std::filesystem::path dataFolder,
                 QWidget* parent)
    : QWidget(parent), store_(store), messages_(messages), dataFolder_(std::move(dataFolder)) {
    setObjectName("frmMain");
    setWindowTitle(QString::fromUtf8("ナモリ"));
    setWindowIcon(ArtworkIcon("namori"));
    BuildMainWindow(this, controls_);
    surnames_ = {controls_.lstMyouji, kSurnameListFile, controls_.txtMyouji2,
                 "名字リスト全てを削除します"};
    givenNames_ = {controls_.lstNamae, kGivenNameListFile, controls_.txtNamae,
                   "名前リスト全てを削除します"};

    helpViewer_ = std::make_unique<HelpViewer>(this, dataFolder_);
    helpViewer_->onProgramLink = [this](const QString& target) {
        if (target == QStringLiteral("naming")) {
            OpenNamingSupport();
        }
    };
    connect(controls_.cmdKaishi3, &QToolButton::clicked, this, &frmMain::cmdKaishi3_Click);
    connect(controls_.cmdPrint, &QToolButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(controls_.cmdHelp, &QToolButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(controls_.cmdShoukai, &QToolButton::clicked, this, &frmMain::cmdShoukai_Click);
    connect(controls_.cmdOwari, &QToolButton::clicked, this, &frmMain::cmdOwari_Click);
    connect(controls_.lstMyouji, &QListWidget::itemClicked, this, &frmMain::lstMyouji_Click);
    connect(controls_.lstNamae, &QListWidget::itemClicked, this, &frmMain::lstNamae_Click);
    connect(controls_.lstMyouji, &QListWidget::itemDoubleClicked, this,
            &frmMain::lstMyouji_DblClick);
    connect(controls_.lstNamae, &QListWidget::itemDoubleClicked, this, &frmMain::lstNamae_DblClick);
    connect(controls_.chkHosuu, &QCheckBox::clicked, this, &frmMain::chkHosuu_Click);

    // Double-clicks on labels, and key presses and focus changes of the entry boxes.
    controls_.lblMyo->installEventFilter(this);
    controls_.lblNa->installEventFilter(this);
    for (const auto& [index, label] : controls_.Label1) {
        label->installEventFilter(this);
    }
    controls_.txtMyouji2->installEventFilter(this);
    controls_.txtNamae->installEventFilter(this);
}

frmMain::~frmMain() = default;

frmNaming* frmMain::OpenNamingSupport() {
    if (namingWindow_ == nullptr) {
        // The aid's indexes and the stroke reference table.
        auto* window =
            new frmNaming(store_, messages_, SearchPath(dataFolder_, {"naming", "data"}), this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->onChoose = [this](const QString& spelling) {
            controls_.txtNamae->setText(spelling);
            raise();
            activateWindow();
        };
        namingWindow_ = window;
    }
    namingWindow_->surnameBox->setText(ReadEntryBox(controls_.txtMyouji2));
    namingWindow_->complementBox->setChecked(complementTicked());
    namingWindow_->show();
    namingWindow_->raise();
    namingWindow_->activateWindow();
    namingWindow_->readingBox->setFocus();
    return namingWindow_;
}

bool frmMain::complementTicked() const {
    return controls_.chkHosuu->isChecked();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        // Only the headers empty a whole list; a double-click in an entry box selects a word,
        // as in any text box.
        if (watched == controls_.lblMyo) {
            lblMyo_DblClick();
            return true;
        }
        if (watched == controls_.lblNa) {
            lblNa_DblClick();
            return true;
        }
        for (const auto& [index, label] : controls_.Label1) {
            if (watched == label) {
                Label1_DblClick();
                return true;
            }
        }
        return false;
    }
    const bool surnameBox = watched == controls_.txtMyouji2;
    if (!surnameBox && watched != controls_.txtNamae) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            return surnameBox ? txtMyouji2_KeyPress(key) : txtNamae_KeyPress(key);
        }
        case QEvent::InputMethod:
            // Text typed through an input method is key presses too.
            if (!surnameBox) {
                txtNamae_KeyPress(0);
            }
            return false;
        case QEvent::FocusIn:
            surnameBox ? txtMyouji2_GotFocus() : txtNamae_GotFocus();
            return false;
        case QEvent::FocusOut:
            surnameBox ? txtMyouji2_LostFocus() : txtNamae_LostFocus();
            return false;
        default:
            return false;
    }
}

}  // namespace namori
