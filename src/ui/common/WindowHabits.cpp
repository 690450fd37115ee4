#include "ui/common/WindowHabits.h"

#include <QEvent>
#include <QKeySequence>
#include <QSettings>
#include <QShortcut>
#include <QWidget>

namespace namori {

namespace {

QString GeometryKey(const QString& name) {
    return QStringLiteral("windows/") + name + QStringLiteral("/geometry");
}

// Writes the window's geometry to the settings whenever the window is hidden (closed).
class GeometryKeeper : public QObject {
  public:
    GeometryKeeper(QWidget& window, QString name) : QObject(&window), name_(std::move(name)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            QSettings().setValue(GeometryKey(name_),
                                 static_cast<QWidget*>(watched)->saveGeometry());
        }
        return false;
    }

  private:
    QString name_;
};

}  // namespace

void AddCloseKeys(QWidget& window) {
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
    }
}

void RememberGeometry(QWidget& window, const QString& name) {
    window.restoreGeometry(QSettings().value(GeometryKey(name)).toByteArray());
    new GeometryKeeper(window, name);
}

QString WithShortcut(const QString& text, const QString& keys) {
    return text + QStringLiteral("（") + keys + QStringLiteral("）");
}

}  // namespace namori
