// What the main window asks before the document goes, and what it offers when the
// module on the line is of another model than the tree.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "platform/app_state.h"
#include "support/document_bench.h"
#include "support/message_box_answerer.h"

namespace vantor {
namespace {

using gui::MainWindow;

constexpr int kKq01 = 0;

struct QuestionBench {
    explicit QuestionBench(int model = test::kKq16) : bench(model) {
        bench.doc.OnNewDocument();
        window = std::make_unique<MainWindow>(bench.doc, ui);
        window->setCloseAllowed(true);
        window->show();
        file = QString::fromStdString(bench.home.path() + "/plant.vantor");
    }
    // An edited document that has a file: Save needs no file dialog.
    void editSavedDocument() {
        ASSERT_TRUE(window->saveFileAs(file));
        bench.named("Rs.dL").valueText = "25";
        bench.doc.setModified(true);
    }
    void dropFile(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropped);
    }

    test::DocumentBench bench;
    gui::GuiUserInterface ui;
    std::unique_ptr<MainWindow> window;
    test::MessageBoxAnswerer boxes;
    QString file;
};

TEST(DocumentQuestions, ReadsAndEditsMarkTheTitleUntilTheFileIsSaved) {
    QuestionBench w;
    EXPECT_FALSE(w.window->isWindowModified());
    ASSERT_TRUE(w.bench.doc.ReadAll(TreeScope::WholeTree));
    QCoreApplication::processEvents();  // the link marked the document on its thread
    EXPECT_TRUE(w.bench.doc.modified());
    EXPECT_TRUE(w.window->isWindowModified());
    ASSERT_TRUE(w.window->saveFileAs(w.file));
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.window->isWindowModified());
}

// Each way the document can go, asked about while it holds unsaved changes.
struct Departure {
    const char* name;
    std::function<void(QuestionBench&)> go;
    std::function<bool(QuestionBench&)> happened;
};

std::vector<Departure> departures() {
    return {
        {"New", [](QuestionBench& w) { w.window->action(gui::command::kNew)->trigger(); },
         [](QuestionBench& w) { return w.bench.doc.pathName().empty(); }},
        {"Exit", [](QuestionBench& w) { w.window->action(gui::command::kExit)->trigger(); },
         [](QuestionBench& w) { return !w.window->isVisible(); }},
        {"recent file",
         [](QuestionBench& w) {
             const QString other = QString::fromStdString(w.bench.home.path() + "/other.vantor");
             std::filesystem::copy_file(w.file.toStdString(), other.toStdString());
             w.window->addRecentFile(other);
             w.window->menu(gui::MenuPlace::File)->actions().at(5)->trigger();
         },
         [](QuestionBench& w) { return w.bench.doc.pathName().ends_with("other.vantor"); }},
        {"dropped file",
         [](QuestionBench& w) {
             const QString other = QString::fromStdString(w.bench.home.path() + "/dropped.vantor");
             std::filesystem::copy_file(w.file.toStdString(), other.toStdString());
             w.dropFile(other);
         },
         [](QuestionBench& w) { return w.bench.doc.pathName().ends_with("dropped.vantor"); }},
    };
}

TEST(DocumentQuestions, CancelKeepsEverythingAsItWas) {
    for (const Departure& departure : departures()) {
        SCOPED_TRACE(departure.name);
        QuestionBench w;
        w.editSavedDocument();
        const DescBranch* tree = w.bench.doc.rootBranch();
        w.boxes.answerNext(QMessageBox::Cancel);
        departure.go(w);
        EXPECT_EQ(w.boxes.texts, QStringList({"Save changes to plant.vantor?"}));
        EXPECT_FALSE(departure.happened(w));
        EXPECT_TRUE(w.window->isVisible());
        EXPECT_EQ(w.bench.doc.rootBranch(), tree);
        EXPECT_EQ(w.bench.named("Rs.dL").valueText, "25");
        EXPECT_TRUE(w.bench.doc.modified());
    }
}

TEST(DocumentQuestions, DiscardGoesOnAndSaveWritesTheFileFirst) {
    for (const Departure& departure : departures()) {
        SCOPED_TRACE(departure.name);
        {
            QuestionBench w;
            w.editSavedDocument();
            w.boxes.answerNext(QMessageBox::Discard);
            departure.go(w);
            EXPECT_EQ(w.boxes.texts.size(), 1);
            EXPECT_TRUE(departure.happened(w));
        }
        QuestionBench w;
        w.editSavedDocument();
        const auto writtenBefore = std::filesystem::last_write_time(w.file.toStdString());
        std::filesystem::last_write_time(w.file.toStdString(), writtenBefore - std::chrono::hours(1));
        w.boxes.answerNext(QMessageBox::Save);
        departure.go(w);
        EXPECT_EQ(w.boxes.texts.size(), 1);
        EXPECT_TRUE(departure.happened(w));
        EXPECT_GT(std::filesystem::last_write_time(w.file.toStdString()), writtenBefore - std::chrono::hours(1));
    }
}

TEST(DocumentQuestions, AnUnchangedDocumentAndAnUnattendedJobAreNeverAsked) {
    for (const bool job : {false, true}) {
        SCOPED_TRACE(job);
        QuestionBench w;
        if (job) {
            w.editSavedDocument();
            app().commandLine().options |= kOptCommandLineMode;
        }
        w.boxes.answerNext(QMessageBox::Cancel);  // were one shown
        w.window->action(gui::command::kNew)->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.boxes.texts.isEmpty());
        EXPECT_TRUE(w.bench.doc.pathName().empty());
    }
}

// The in-process module is a KQ-16; the tree is built for a KQ-01.
struct OtherModelBench : QuestionBench {
    OtherModelBench() {
        app().setCurrentModel(kKq01);
        bench.doc.OnNewDocument();
        window->updateTitle();
    }
    // "Check connection...", whose report takes the first answer, then `offer`.
    void checkConnection(MessageAnswer offer) {
        bench.ui.answers = {MessageAnswer::Ok, offer};
        window->action(379)->trigger();
    }
    bool offered() const {
        for (const test::RecordedMessage& message : bench.ui.messages)
            if (message.buttons == MessageButtons::YesNo &&
                message.text.find("The module on the line is a KQ-16") != std::string::npos)
                return true;
        return false;
    }
};

TEST(ModelOnTheLine, CheckConnectionOffersTheModulesModelAndLoadsIt) {
    OtherModelBench w;
    ASSERT_EQ(w.bench.doc.treeModel(), kKq01);
    w.checkConnection(MessageAnswer::Yes);
    EXPECT_TRUE(w.offered());
    EXPECT_EQ(w.bench.doc.treeModel(), test::kKq16);
    EXPECT_TRUE(w.window->windowTitle().startsWith("Configurator KQ-16 - "));
    // The new tree reads from the module without a single missing descriptor.
    ASSERT_TRUE(w.bench.doc.ReadAll(TreeScope::WholeTree));
    ASSERT_TRUE(w.bench.doc.lastOutcome());
    EXPECT_EQ(w.bench.named("Rs.dL").errorText, "");
}

TEST(ModelOnTheLine, DecliningOrCancellingKeepsTheTreeAndItsModel) {
    for (const bool cancelTheSaveQuestion : {false, true}) {
        SCOPED_TRACE(cancelTheSaveQuestion);
        OtherModelBench w;
        const DescBranch* tree = w.bench.doc.rootBranch();
        if (cancelTheSaveQuestion) {
            w.bench.doc.setModified(true);
            w.boxes.answerNext(QMessageBox::Cancel);
        }
        w.checkConnection(cancelTheSaveQuestion ? MessageAnswer::Yes : MessageAnswer::No);
        EXPECT_TRUE(w.offered());
        EXPECT_EQ(w.boxes.texts.size(), cancelTheSaveQuestion ? 1 : 0);
        EXPECT_EQ(w.bench.doc.rootBranch(), tree);
        // A file saved now names the model its values belong to.
        EXPECT_EQ(app().currentModel(), kKq01);
        EXPECT_TRUE(w.window->windowTitle().startsWith("Configurator KQ-01 - "));
    }
}

TEST(ModelOnTheLine, TheSameModelIsNotOffered) {
    QuestionBench w;
    w.window->action(379)->trigger();
    EXPECT_FALSE(std::any_of(w.bench.ui.messages.begin(), w.bench.ui.messages.end(),
                             [](const test::RecordedMessage& m) { return m.buttons == MessageButtons::YesNo; }));
    EXPECT_EQ(w.bench.doc.treeModel(), test::kKq16);
}

TEST(WindowLayout, TheFirstWindowTakesMostOfTheScreenEvenUnmaximized) {
    QuestionBench w;  // shown, never maximized, nothing remembered
    const QRect screen = w.window->screen()->availableGeometry();
    EXPECT_GE(w.window->width(), screen.width() * 3 / 4);
    EXPECT_GE(w.window->height(), screen.height() * 3 / 4);
    EXPECT_TRUE(screen.contains(w.window->geometry()));
}

TEST(WindowLayout, GeometryAndTheTrafficMonitorAreRememberedForTheNextRun) {
    QuestionBench w;
    w.window->setCentralView(new QWidget);
    QAction* traffic = w.window->menu(gui::MenuPlace::Tools)->actions().last();
    ASSERT_EQ(traffic->text(), "&Frame traffic");
    EXPECT_FALSE(traffic->isChecked());
    traffic->trigger();
    w.window->setGeometry(40, 50, 700, 500);
    const QRect left = w.window->geometry();
    w.window.reset();

    MainWindow again(w.bench.doc, w.ui);
    again.setCentralView(new QWidget);
    again.show();
    EXPECT_EQ(again.geometry(), left);
    const auto* dock = again.findChild<QDockWidget*>();
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isVisible());
    EXPECT_FALSE(again.centralWidget()->geometry().intersects(dock->geometry()));  // each has its own room
    QAction* trafficAgain = again.menu(gui::MenuPlace::Tools)->actions().last();
    EXPECT_TRUE(trafficAgain->isChecked());
}

}  // namespace
}  // namespace vantor
