// Writes the seed corpora of the frame, codec and configuration fuzzers from what we
// ship: every parameter of every model's description is read from the virtual module,
// and its reply frame (as it comes off the line) and its reply data (led by the codec
// kind byte) are kept; so is the configuration file of every model's freshly built
// tree. One file each, named after their content so that repeats collapse.
//
//   make_seeds VANTOR_DAT OUT_DIR    -> OUT_DIR/frame/*, OUT_DIR/codec/*, OUT_DIR/configuration/*

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "codec_kinds.h"
#include "description/catalogue.h"
#include "description/tree_description.h"
#include "document/configuration_file.h"
#include "params/converter.h"
#include "params/type_names.h"
#include "platform/user_interface.h"
#include "protocol/frame.h"
#include "sim/clock.h"
#include "sim/description_table.h"
#include "sim/virtual_module.h"

namespace {

namespace fs = std::filesystem;
using vantor::fuzz::kCodecKindCount;
using vantor::fuzz::kCodecKinds;

// The codec kind that decodes this parameter: its own name first, then any name of
// its type; a list of choices decodes as "off:on" does.
std::optional<std::uint8_t> codecKind(const vantor::sim::ModuleParameter& p) {
    const std::string type = p.type.find(':') != std::string::npos ? "off:on" : p.type;
    std::optional<std::uint8_t> anyName;
    for (std::size_t i = 0; i < kCodecKindCount; ++i) {
        if (!vantor::equalsIgnoringCase(kCodecKinds[i].type, type)) continue;
        if (kCodecKinds[i].name == p.name) return static_cast<std::uint8_t>(i);
        if (std::string_view(kCodecKinds[i].name) == "x" && !anyName) anyName = static_cast<std::uint8_t>(i);
    }
    return anyName;
}

void keep(const fs::path& folder, const std::string& content) {
    const fs::path file = folder / std::to_string(std::hash<std::string>{}(content));
    std::ofstream(file, std::ios::binary) << content;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds VANTOR_DAT OUT_DIR\n");
        return 2;
    }
    const fs::path frames = fs::path(argv[2]) / "frame";
    const fs::path codec = fs::path(argv[2]) / "codec";
    const fs::path configurations = fs::path(argv[2]) / "configuration";
    fs::create_directories(frames);
    fs::create_directories(codec);
    fs::create_directories(configurations);

    vantor::sim::ManualClock clock;
    for (int model = 0; model < vantor::kModelCount; ++model) {
        std::string error;
        auto table = vantor::sim::tableFromDescription(model, argv[1], "", error);
        if (!table) {
            std::fprintf(stderr, "make_seeds: model %d: %s\n", model, error.c_str());
            return 1;
        }
        const vantor::sim::NetworkSettings settings{16, 8, {}};
        vantor::SilentUserInterface messages;
        vantor::TreeDescription description(messages);
        description.descriptionFile = argv[1];
        if (!description.LoadTreeDescription(model) || !description.rootBranch) {
            std::fprintf(stderr, "make_seeds: model %d: no tree\n", model);
            return 1;
        }
        keep(configurations, vantor::StoreConfiguration(model, description.rootBranch));

        vantor::sim::VirtualModule module(model, std::move(*table), settings, "1.0", clock);
        for (const auto& p : module.parameters().all()) {
            vantor::FrameFields request{vantor::wireAddress(settings.address, p.addressOffset), 8, true, p.hash, {}};
            if (p.indexed)
                request.data = {static_cast<std::uint8_t>(p.dataIndex >> 8), static_cast<std::uint8_t>(p.dataIndex)};
            const auto reply = module.answer(vantor::BuildFrame(request).value());
            if (!reply) continue;
            keep(frames, *reply);
            vantor::ReceivedFrame received;
            const auto kind = codecKind(p);
            if (!kind || vantor::ParseFrame(*reply, received) != vantor::FrameCheck::Ok) continue;
            const bool readingForms = vantor::modelHasReadingForms(model);
            const auto lead = static_cast<char>(*kind | (readingForms ? vantor::fuzz::kReadingFormsBit : 0));
            keep(codec, std::string(1, lead) + std::string(received.data.begin(), received.data.end()));
        }
    }
    return 0;
}
