// A Qt window of the same size that shows one line of Japanese text in each of the two IPA fonts
// that Namori uses, up to the window on the screen, then exit. Beside the bare window, it
// separates the fixed cost of loading and drawing the fonts from the cost of Namori's own window.
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "UntilShown.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ナモリ"));
    window.setFixedSize(627, 448);
    auto* layout = new QVBoxLayout(&window);
    const QString text =
        QStringLiteral("白鳥 杏奈　祖運 主運 初運 助運 総運　五行 陰陽　占う 印刷 終了");
    for (const char* family : {"IPAPGothic", "IPAPMincho"}) {
        auto* label = new QLabel(text, &window);
        label->setFont(QFont(QString::fromLatin1(family), 12));
        layout->addWidget(label);
    }
    return ExitWhenShown(window);
}
