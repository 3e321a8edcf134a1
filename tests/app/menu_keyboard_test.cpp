// The main window's menus and the parameter view's filter line from the keyboard.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTreeView>
#include <map>
#include <memory>

#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "platform/app_state.h"
#include "support/document_bench.h"
#include "view/parameter_view.h"

namespace vantor {
namespace {

using gui::MainWindow;

constexpr int kKq15 = 13;  // adds "Tare weight" to Tools

// The letter after the single '&' of a label; 0 when it has none.
QChar mnemonicOf(const QString& label) {
    const qsizetype at = label.indexOf('&');
    return at >= 0 && at + 1 < label.size() ? label[at + 1].toUpper() : QChar();
}

// Every entry of `actions` has a mnemonic of its own.
void expectOwnMnemonics(const QList<QAction*>& actions, const QString& where) {
    std::map<QChar, QString> taken;
    for (const QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QChar letter = mnemonicOf(action->text());
        EXPECT_TRUE(letter.isLetterOrNumber()) << where.toStdString() << ": " << action->text().toStdString();
        const auto [before, fresh] = taken.emplace(letter, action->text());
        EXPECT_TRUE(fresh) << where.toStdString() << ": " << action->text().toStdString() << " and "
                           << before->second.toStdString();
        if (action->menu()) expectOwnMnemonics(action->menu()->actions(), action->text());
    }
}

TEST(MenuKeyboard, EveryMenuEntryHasAMnemonicOfItsOwn) {
    test::DocumentBench bench(kKq15);
    bench.doc.OnNewDocument();
    gui::GuiUserInterface ui;
    MainWindow window(bench.doc, ui);
    window.updateCommands();
    expectOwnMnemonics(window.menuBar()->actions(), "menu bar");
}

// The window as the program puts it together, active, so that its shortcuts work.
struct ActiveWindowBench {
    ActiveWindowBench() {
        bench.doc.OnNewDocument();
        window.setCentralView(&view);
        view.fill();
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window never became active");
    }
    QCheckBox& onlyMarked() { return *view.findChild<QCheckBox*>(); }

    test::DocumentBench bench;
    gui::GuiUserInterface ui;
    MainWindow window{bench.doc, ui};
    gui::ParameterView view{bench.doc, bench.ui};
};

TEST(MenuKeyboard, AltCComparesAndTheFilterBoxHasAKeyOfItsOwn) {
    ActiveWindowBench w;
    QTest::keyClick(&w.window, Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(w.bench.frontEnd.waitDialogs.size(), 1u);
    EXPECT_EQ(w.bench.frontEnd.waitDialogs[0], OperationCode::Compare);
    EXPECT_FALSE(w.onlyMarked().isChecked());

    const QChar key = mnemonicOf(w.onlyMarked().text());
    ASSERT_TRUE(key.isLetter());
    for (const auto* action : w.window.findChildren<QAction*>())
        EXPECT_NE(action->shortcut(), QKeySequence(QStringLiteral("Alt+") + key)) << action->text().toStdString();
    QTest::keyClick(&w.window, Qt::Key(key.unicode()), Qt::AltModifier);
    EXPECT_TRUE(w.onlyMarked().hasFocus());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.onlyMarked().isChecked(); }));  // the click animates
    EXPECT_EQ(w.bench.frontEnd.waitDialogs.size(), 1u);
}

}  // namespace
}  // namespace vantor
