#pragma once
// What the dialog tests share: waiting on the event loop for a condition, answering the
// modal window a dialog opens, and keeping a picture of a dialog for a look.

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "support/shot_path.h"

namespace vantor::test {

// Long enough for any machine: the conditions come true at once or not at all.
inline constexpr int kPatienceMs = 20000;

template <class Condition>
bool eventually(Condition condition) {
    return QTest::qWaitFor(condition, kPatienceMs);
}

// Once the event loop runs, hands the modal window that is then open to `answer`.
inline void whenModalOpens(std::function<void(QWidget&)> answer) {
    QTimer::singleShot(0, qApp, [answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) answer(*modal);
    });
}

inline void saveShot(QWidget& widget, const QString& name) { widget.grab().save(shotPath(name)); }

}  // namespace vantor::test
