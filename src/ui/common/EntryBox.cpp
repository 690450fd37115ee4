#include "ui/common/EntryBox.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "data/Cp932.h"
#include "data/TextNormalization.h"

namespace namori {

namespace {

// The box keeps the text being composed out of text(); it is noted here as each input method
// event passes.
constexpr const char* kComposingProperty = "composingText";
// Text committed here on the input method's behalf, and until when its own late copy of it is
// dropped: ibus commits the text it was composing when told to reset, a moment later.
constexpr const char* kCommittedProperty = "committedForInputMethod";
constexpr const char* kCommittedUntilProperty = "committedForInputMethodUntil";
constexpr qint64 kLateCommitMilliseconds = 2000;

class CompositionTracker : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::InputMethod) {
            return false;
        }
        const auto* input = static_cast<QInputMethodEvent*>(event);
        const QString committed = watched->property(kCommittedProperty).toString();
        // The input method clears its composition first (an empty event), then commits.
        const bool empty = input->commitString().isEmpty() && input->preeditString().isEmpty();
        if (!committed.isEmpty() && !empty) {
            watched->setProperty(kCommittedProperty, QString());
            const bool lateCopy = input->commitString() == committed &&
                                  input->preeditString().isEmpty() &&
                                  QDateTime::currentMSecsSinceEpoch() <=
                                      watched->property(kCommittedUntilProperty).toLongLong();
            if (lateCopy) {
                return true;
            }
        }
        watched->setProperty(kComposingProperty, input->preeditString());
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
    // A button that takes no focus leaves the conversion open in the box: the text composed is
    // taken as shown, and the input method is told to drop it. Some input methods commit it
    // anyway, asynchronously; that copy is dropped when it comes.
    const QString composing = Composing(box);
    if (!composing.isEmpty()) {
        QInputMethodEvent commit;
        commit.setCommitString(composing);
        QCoreApplication::sendEvent(box, &commit);
        box->setProperty(kCommittedProperty, composing);
        box->setProperty(kCommittedUntilProperty,
                         QDateTime::currentMSecsSinceEpoch() + kLateCommitMilliseconds);
        if (box->hasFocus()) {
            QGuiApplication::inputMethod()->reset();
        }
    }

    const QString typed = box->text();
    // Composed first: a decomposed が (か and U+3099) is one character of the name.
    const std::u16string folded = FoldToReadBack(ComposedText(typed.toStdU16String()));
    const QString text = QString::fromStdU16String(folded);
    if (text != typed) {
        box->setText(text);
    }
    return text;
}

}  // namespace namori
