// The exchange engine's own cost per parameter exchange: the engine on the line of an
// in-process virtual module, so no line time is counted.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "link/frame_tap.h"
#include "link/parameter_link.h"
#include "sim/clock.h"
#include "sim/description_table.h"
#include "sim/in_process_line.h"
#include "sim/module_line.h"
#include "sim/virtual_module.h"

namespace vantor {
namespace {

const char* const kContainer = VANTOR_BIN_DIR "/vantor.dat";

void collect(const DescBranch& branch, std::vector<Parameter*>& out) {
    branch.ForEachMember([&](Parameter& p) { out.push_back(&p); }, [&](DescBranch& sub) { collect(sub, out); });
}

// A model's parameter tree as the configurator builds it from the shipped description.
struct ModelTree {
    explicit ModelTree(int model) : description(ui) {
        description.descriptionFile = kContainer;
        description.deviceVersion = {1, 0};
        if (description.LoadTreeDescription(model) && description.rootBranch)
            collect(*description.rootBranch, parameters);
    }
    SilentUserInterface ui;
    TreeDescription description;
    std::vector<Parameter*> parameters;
};

// The shipped model whose tree has the most parameters.
int largestModel() {
    static const int largest = [] {
        int best = kNoModel;
        std::size_t most = 0;
        for (int model = 0; model < kModelCount; ++model) {
            const std::size_t count = ModelTree(model).parameters.size();
            if (count > most) most = count, best = model;
        }
        return best;
    }();
    return largest;
}

sim::ParameterTable shippedTable(int model) {
    std::string error;
    auto table = sim::tableFromDescription(model, kContainer, "1.0", error);
    if (!table) throw std::runtime_error(error);
    return std::move(*table);
}

// The engine on the largest model's virtual module, the line open at its settings.
struct LinkOnModule {
    explicit LinkOnModule(int model)
        : tree(model),
          module(model, shippedTable(model), settings, "1.0", clock),
          moduleLine(module, sim::FaultInjector({}, 1)),
          line(moduleLine, link.sio()) {
        link.attachLine(&line, &line);
        LineSettings linkSettings;
        linkSettings.portPath = "in-process";
        linkSettings.address = settings.address;
        linkSettings.addressLength = settings.addressLength;
        link.linkSettingsSource = [linkSettings] { return linkSettings; };
        if (link.OpenPort(false) != 0) throw std::runtime_error("the in-process line does not open");
    }
    Parameter* plainInt() const {
        for (Parameter* p : tree.parameters)
            if (p->type == "int" && !p->indexed) return p;
        throw std::runtime_error("the model has no plain int parameter");
    }

    ModelTree tree;
    sim::NetworkSettings settings{16, 8, {}};
    SilentUserInterface ui;
    ParameterLink link{ui};
    sim::ManualClock clock;
    sim::VirtualModule module;
    sim::ModuleLine moduleLine;
    sim::InProcessLine line;
};

void reportPerExchange(benchmark::State& state, std::int64_t exchanges) {
    state.counters["per_exchange"] =
        benchmark::Counter(static_cast<double>(exchanges), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["exchanges"] =
        benchmark::Counter(static_cast<double>(exchanges), benchmark::Counter::kAvgIterations);
}

void ReadPlainInt(benchmark::State& state) {
    LinkOnModule bench(largestModel());
    Parameter& parameter = *bench.plainInt();
    state.SetLabel(modelDisplayName(largestModel()) + " " + parameter.name);
    std::int64_t exchanges = 0;
    for (auto _ : state) {
        if (bench.link.ReadParameter(parameter, true) != 0) state.SkipWithError("the read failed");
        ++exchanges;
    }
    reportPerExchange(state, exchanges);
}

// Copies every frame away, as the traffic monitor's queue does.
class CopyingTap : public FrameTap {
public:
    void onFrame(const FrameRecord& record) override { records.push_back(record); }
    std::vector<FrameRecord> records;
};

// The whole tree read with `tap` on the link, or with none: the traffic monitor open
// and closed.
void readWholeTree(benchmark::State& state, CopyingTap* tap) {
    LinkOnModule bench(largestModel());
    state.SetLabel(modelDisplayName(largestModel()) + ", " + std::to_string(bench.tree.parameters.size()) +
                   " parameters" + (tap ? ", tapped" : ""));
    bench.link.setFrameTap(tap);
    std::int64_t exchanges = 0;
    for (auto _ : state) {
        const ExchangeCounts read = bench.tree.description.rootBranch->ReadValues(bench.link);
        if (read.failed != 0) state.SkipWithError("a read in the tree failed");
        exchanges += read.handled;
        if (tap) tap->records.clear();
    }
    bench.link.setFrameTap(nullptr);
    reportPerExchange(state, exchanges);
}

void ReadWholeTree(benchmark::State& state) { readWholeTree(state, nullptr); }

void ReadWholeTreeTapped(benchmark::State& state) {
    CopyingTap tap;
    readWholeTree(state, &tap);
}

// Repeated so that the median (one of the reported aggregates) is there to read.
BENCHMARK(ReadPlainInt)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ReadWholeTree)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ReadWholeTreeTapped)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vantor

BENCHMARK_MAIN();
