#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QToolButton>

#include "ui/common/Artwork.h"

namespace namori {

frmMain::frmMain(JudgementStore& store, MessageBox& messages, QWidget* parent)
    : QWidget(parent), store_(store), messages_(messages) {
    setObjectName("frmMain");
    setWindowTitle(QString::fromUtf8("ナモリ"));
    setWindowIcon(ArtworkIcon("namori"));
    BuildMainWindow(this, controls_);
    connect(controls_.cmdKaishi3, &QToolButton::clicked, this, &frmMain::cmdKaishi3_Click);
}

bool frmMain::complementTicked() const { return controls_.chkHosuu->isChecked(); }

}  // namespace namori
