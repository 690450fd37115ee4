// Renders an SVG image as square PNG icons, one file per size: OUTPUT_FOLDER/<size>.png.
// Used at build time to make the program's icon theme images from its SVG artwork.
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLargestSize = 4096;

int Fail(const QString& message) {
    QTextStream(stderr) << "render-icons: " << message << '\n';
    return 1;
}

// True when at least one pixel of the image is not fully transparent.
bool HasVisiblePixels(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Rendering needs no screen: the build may run where there is no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        return Fail("usage: render-icons SVG OUTPUT_FOLDER SIZE...");
    }
    const QString svgPath = arguments.at(1);
    const QString outputFolder = arguments.at(2);

    std::vector<int> sizes;
    for (qsizetype i = 3; i < arguments.size(); ++i) {
        bool isNumber = false;
        const int size = arguments.at(i).toInt(&isNumber);
        if (!isNumber || size < 1 || size > kLargestSize) {
            return Fail(QString("size \"%1\" is not a whole number from 1 to %2")
                            .arg(arguments.at(i))
                            .arg(kLargestSize));
        }
        sizes.push_back(size);
    }

    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        return Fail(QString("cannot read \"%1\" as an SVG image").arg(svgPath));
    }
    // A picture that is not square is centred, keeping its proportions.
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    if (!QDir().mkpath(outputFolder)) {
        return Fail(QString("cannot create the folder \"%1\"").arg(outputFolder));
    }

    for (const int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        // An empty picture means the SVG drew nothing Qt understands: refuse it rather than
        // install invisible icons.
        if (!HasVisiblePixels(image)) {
            return Fail(QString("\"%1\" rendered as a fully transparent image").arg(svgPath));
        }
        const QString outputPath = QDir(outputFolder).filePath(QString("%1.png").arg(size));
        if (!image.save(outputPath, "PNG")) {
            return Fail(QString("cannot write \"%1\"").arg(outputPath));
        }
    }
    return 0;
}
