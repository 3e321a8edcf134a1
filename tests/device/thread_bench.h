#pragma once
// A Device on the in-process virtual module with the parameter tree of the same shipped
// description, for the tests of the link's threads.

#include <string>
#include <vector>

#include "description/desc_branch.h"
#include "description/tree_description.h"
#include "device/device.h"
#include "link/device_model_link.h"
#include "support/module_bench.h"

namespace vantor::test {

inline constexpr int kKq16 = 14;

// A device model that answers the two questions the threads ask as the test sets them.
class ScriptedModel : public DeviceModelLink {
public:
    bool IsNetworkSettingName(const std::string& name) const override { return name == networkSettingName; }
    void OnLogParameter(Parameter&) override {}
    bool InitAfterWrite() const override { return initAfterWrite; }
    std::string DisplayName() const override { return "KQ-16"; }

    bool initAfterWrite = false;
    std::string networkSettingName;
};

inline void collectParameters(const DescBranch& branch, std::vector<Parameter*>& out) {
    branch.ForEachMember([&](Parameter& p) { out.push_back(&p); },
                         [&](DescBranch& sub) { collectParameters(sub, out); });
}

struct ThreadBench : ModuleBench<Device> {
    explicit ThreadBench(sim::NetworkSettings settings = {16, 8, {}})
        : ModuleBench<Device>(kKq16, shippedTable(kKq16), std::nullopt, "1.0", settings), description(ui) {
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        description.deviceVersion = {1, 0};
        EXPECT_TRUE(description.LoadTreeDescription(kKq16));
        collectParameters(*description.rootBranch, parameters);
        link.deviceModel = &model;
    }
    ~ThreadBench() {
        link.StopThreads();
        link.deviceModel = nullptr;
    }

    Parameter& named(const std::string& name) {
        for (Parameter* p : parameters)
            if (p->name == name) return *p;
        throw std::runtime_error("no parameter " + name);
    }

    ScriptedModel model;
    TreeDescription description;
    std::vector<Parameter*> parameters;
};

}  // namespace vantor::test
