#include <gtest/gtest.h>

#include <algorithm>

#include "description/tree_description.h"
#include "device/device.h"
#include "support/module_bench.h"

namespace vantor {
namespace {

constexpr int kKq16 = 14;

void collect(const DescBranch& branch, std::vector<Parameter*>& out) {
    branch.ForEachMember([&](Parameter& p) { out.push_back(&p); }, [&](DescBranch& sub) { collect(sub, out); });
}

Parameter* find(const std::vector<Parameter*>& all, const std::string& name) {
    for (Parameter* p : all)
        if (p->name == name) return p;
    return nullptr;
}

// The configurator's tree and the module made from one shipped description: what the
// tree operations exchange through the engine.
struct TreeBench : test::ModuleBench<Device> {
    TreeBench() : ModuleBench<Device>(kKq16, test::shippedTable(kKq16)), description(ui) {
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        description.deviceVersion = {1, 0};
        EXPECT_TRUE(description.LoadTreeDescription(kKq16));
        collect(*description.rootBranch, parameters);
    }
    TreeDescription description;
    std::vector<Parameter*> parameters;
};

TEST(TreeExchange, ReadWriteAndCompareAShippedTree) {
    TreeBench bench;
    ASSERT_FALSE(bench.parameters.empty());
    bench.ui.switches[OptionSwitch::SendAttributes] = true;

    const ExchangeCounts read = bench.description.rootBranch->ReadValues(bench.link);
    EXPECT_EQ(read.failed, 0);
    EXPECT_EQ(read.handled, static_cast<int>(bench.parameters.size()));
    EXPECT_EQ(bench.link.progressDone.load(), read.handled);
    // One line per parameter besides the branches' own lines.
    const auto reading = std::count_if(bench.ui.progressLines.begin(), bench.ui.progressLines.end(),
                                       [](const std::string& line) { return line.find(" = ") != std::string::npos; });
    EXPECT_EQ(static_cast<std::size_t>(reading), bench.parameters.size());
    for (const Parameter* p : bench.parameters) EXPECT_EQ(p->errorText, "") << p->name;
    EXPECT_EQ(find(bench.parameters, "Addr")->valueText, "16");
    EXPECT_EQ(find(bench.parameters, "bPS")->valueText, "9600");
    EXPECT_EQ(find(bench.parameters, "dev")->valueText, "kq-15");
    // Attributes were read for the parameters that have them, four for the network name.
    std::size_t attributeFrames = 0;
    for (const Parameter* p : bench.parameters)
        attributeFrames += p->name == "CHAr*" ? 4 : p->hasAttributes && !p->SamplingPrepared();
    EXPECT_GT(attributeFrames, 4u);
    EXPECT_EQ(bench.recorder.framesWithHash(hash_name("M.s.t.r.")), attributeFrames);

    // A changed value goes to the module; the comparison then finds nothing.
    Parameter* delay = find(bench.parameters, "Rs.dL");
    ASSERT_NE(delay, nullptr);
    ASSERT_TRUE(delay->SetValue("25"));
    const ExchangeCounts written = bench.description.rootBranch->WriteValues(bench.link, 0);
    EXPECT_EQ(written, (ExchangeCounts{1, 0}));
    EXPECT_EQ(bench.module.parameters().find("Rs.dL")->value, Bytes{25});
    const ExchangeCounts compared = bench.description.rootBranch->CompareValues(bench.link);
    EXPECT_EQ(compared.failed, 0);
    EXPECT_EQ(compared.handled, static_cast<int>(bench.parameters.size()));
}

TEST(TreeExchange, CancelStopsTheWalk) {
    TreeBench bench;
    bench.line.adapterNeeded = kAdapterZk7;  // nothing answers
    const ExchangeCounts read = bench.description.rootBranch->ReadValues(bench.link);
    // The fifth time-out sets the cancel event; the walk ends there.
    EXPECT_EQ(read.failed, 5);
    EXPECT_TRUE(bench.link.cancelled());
    EXPECT_EQ(bench.ui.messages.size(), 1u);
}

}  // namespace
}  // namespace vantor
