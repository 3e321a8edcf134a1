#pragma once
// Answers the next modal message box of the widget under test from the event loop the
// box runs, keeping its text. A box that never comes leaves nothing behind once the
// answerer is gone.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace vantor::test {

class MessageBoxAnswerer {
public:
    // The next box is answered with `button`.
    void answerNext(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, &context_, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts << box->text();
            if (QAbstractButton* chosen = box->button(button))
                chosen->click();
            else
                box->reject();
        });
    }

    QStringList texts;  // of the boxes answered, in order

private:
    QObject context_;  // its timers go with it
};

}  // namespace vantor::test
