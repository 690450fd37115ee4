#include "ui/common/DesignPalette.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

namespace namori {

void KeepDesignPalette(QWidget& window) {
    const QPalette desktop = QGuiApplication::palette();
    const bool dark = desktop.color(QPalette::Window).lightness() < 128 ||
                      desktop.color(QPalette::Base).lightness() < 128;
    if (!dark) {
        return;
    }
    // Fusion's own palette is the plain light one that every Qt installation has.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    window.setPalette(fusion != nullptr ? fusion->standardPalette() : QPalette(Qt::lightGray));
}

}  // namespace namori
