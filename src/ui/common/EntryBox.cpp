#include "ui/common/EntryBox.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "data/Cp932.h"

namespace namori {

namespace {

// The box keeps the text being composed out of text(); it is noted here as each input method
// event passes.
constexpr const char* kComposingProperty = "composingText";

class CompositionTracker : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::InputMethod) {
            watched->setProperty(kComposingProperty,
                                 static_cast<QInputMethodEvent*>(event)->preeditString());
        }
        return false;
    }
};

QString Composing(const QLineEdit* box) {
    return box->property(kComposingProperty).toString();
}

}  // namespace

void TrackComposition(QLineEdit* box) {
    box->installEventFilter(new CompositionTracker(box));
}

QString ReadEntryBox(QLineEdit* box) {
    // A button that takes no focus leaves the conversion open in the box: the input method is
    // asked to commit it, as it does when the focus moves.
    if (box->hasFocus()) {
        QGuiApplication::inputMethod()->commit();
    }
    // An input method that does not commit on request leaves the text composed; it is taken as
    // shown, and the input method is told to drop its copy.
    const QString composing = Composing(box);
    if (!composing.isEmpty()) {
        if (box->hasFocus()) {
            QGuiApplication::inputMethod()->reset();
        }
        QInputMethodEvent commit;
        commit.setCommitString(composing);
        QCoreApplication::sendEvent(box, &commit);
    }

    const QString typed = box->text();
    const std::u16string folded = FoldToReadBack(typed.toStdU16String());
    const QString text = QString::fromStdU16String(folded);
    if (text != typed) {
        box->setText(text);
    }
    return text;
}

}  // namespace namori
