// Loads arbitrary bytes as a configuration file into the tree of the shipped model the
// file names (model 0 for headers without one): damaged files must end in an outcome,
// never in a crash, a hang or a runaway allocation. The descriptions are read once
// from the "vantor.dat" beside the fuzzer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "description/catalogue.h"
#include "description/description_file.h"
#include "description/tree_description.h"
#include "document/configuration_file.h"
#include "platform/user_interface.h"

namespace {

class ShippedModels : public vantor::ConfigurationTarget {
public:
    ShippedModels() {
        for (int model = 0; model < vantor::kModelCount; ++model) {
            std::string reason;
            if (!vantor::ReadDescriptionStream(vantor::defaultDescriptionFile(), vantor::modelCatalogue()[model].stream,
                                               texts_[model], reason)) {
                std::fprintf(stderr, "fuzz_configuration: %s\n", reason.c_str());
                std::abort();
            }
        }
    }

    vantor::DescBranch* RebuildTree(std::optional<int> model) override {
        const int chosen = model.value_or(0);
        if (chosen < 0 || chosen >= vantor::kModelCount) return nullptr;
        description_ = std::make_unique<vantor::TreeDescription>(messages_);
        description_->LoadTreeText(texts_[chosen], chosen);
        return description_->rootBranch;
    }
    void OnLogParameter(vantor::Parameter&) override {}

private:
    vantor::SilentUserInterface messages_;
    std::array<std::string, vantor::kModelCount> texts_;
    std::unique_ptr<vantor::TreeDescription> description_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ShippedModels models;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantor::PeekConfigurationModel(bytes);
    vantor::LoadConfiguration(bytes, models);
    return 0;
}
