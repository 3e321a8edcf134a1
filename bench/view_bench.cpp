// The desktop program's parameter view: the time to fill it with the largest shipped
// tree, and the program's resident memory with that tree shown. Offscreen, with the
// settings in a temporary folder.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "description/catalogue.h"
#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "view/parameter_view.h"

namespace vantor {
namespace {

class NoFrontEnd : public DocumentFrontEnd {
public:
    std::optional<TaskOutcome> RunWaitDialog(OperationCode, Device& device) override { return device.WaitTask(); }
};

// VmRSS of this process in kB.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// The document of the model with the most parameters, its tree built.
struct LargestDocument {
    LargestDocument() {
        document.description().descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        int most = 0;
        for (int model = 0; model < kModelCount; ++model) {
            app().setCurrentModel(model);
            if (!document.OnNewDocument()) continue;
            int count = 0;
            countParameters(*document.rootBranch(), count);
            if (count > most) most = count, largest = model;
        }
        app().setCurrentModel(largest);
        document.OnNewDocument();
        parameters = most;
    }
    static void countParameters(const DescBranch& branch, int& count) {
        branch.ForEachMember([&](Parameter&) { ++count; }, [&](DescBranch& sub) { countParameters(sub, count); });
    }
    SilentUserInterface ui;
    NoFrontEnd frontEnd;
    CPlimoDoc document{ui, frontEnd};
    int largest = kNoModel;
    int parameters = 0;
};

void FillViewWithTheLargestTree(benchmark::State& state) {
    LargestDocument doc;
    gui::ParameterView view(doc.document, doc.ui);
    view.resize(1000, 700);
    view.show();
    for (auto _ : state) {
        view.dropRows();
        view.fill();
        QCoreApplication::processEvents();
    }
    state.SetLabel(modelDisplayName(doc.largest));
    state.counters["parameters"] = doc.parameters;
    state.counters["resident_kB"] = static_cast<double>(residentKilobytes());
}
BENCHMARK(FillViewWithTheLargestTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantor

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;  // the person's own settings stay untouched
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
