#include "ui/common/Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace namori {

namespace {

QString ResourcePath(const QString& name) {
    return QStringLiteral(":/art/") + name + ".svg";
}

}  // namespace

QPixmap ArtworkPixmap(const QString& name, QSize size) {
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(ResourcePath(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon ArtworkIcon(const QString& name, std::initializer_list<int> sides) {
    QIcon icon;
    for (int side : sides) {
        icon.addPixmap(ArtworkPixmap(name, {side, side}));
    }
    return icon;
}

}  // namespace namori
