// What the device models, dialogs and calibrations read by name from the shipped
// descriptions of the analog input and output, discrete, counter and transmitter
// models KQ-01 … KQ-12: where each parameter stands, its type and channel instances,
// and the choice positions that stand for module codes.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "description/catalogue.h"
#include "description_fixture.h"
#include "params/type_names.h"
#include "platform/app_state.h"
#include "protocol/name_hash.h"

namespace vantor::testing {
namespace {

enum class Where { Root, Network, Scanners, Declared, Absent };

constexpr FirmwareVersion kUnknown{};
constexpr FirmwareVersion kOld{1, 0};

struct Expected {
    const char* stream;
    const char* name;
    Where where;
    const char* type;  // the parameter's type text; null: not checked
    int choices;       // choices of an enumeration; 0: not checked
    int instances;     // built instances with data indexes 0 … instances − 1
    bool alone;        // alone in its branch, so the view puts decoding rows under it
    FirmwareVersion firmware = kUnknown;
};

const Expected kExpected[] = {
    // Analog inputs: sensor codes by data index = input, the calibration functions.
    {"kq-01.tree", "bPS", Where::Network, nullptr, 9, 1, false},
    {"kq-01.tree", "LEn", Where::Network, "7:8", 2, 1, false},
    {"kq-01.tree", "Prot", Where::Network, nullptr, 3, 1, false},
    {"kq-01.tree", "Prot", Where::Absent, nullptr, 0, 0, false, kOld},
    {"kq-01.tree", "CHAr*", Where::Network, "name", 0, 1, false},
    {"kq-01.tree", "in-t", Where::Root, nullptr, 42, 8, false},
    {"kq-01.tree", "in-t", Where::Root, nullptr, 29, 8, false, kOld},
    {"kq-01.tree", "rEAd", Where::Scanners, "float", 0, 8, true},
    {"kq-01.tree", "CLB.I", Where::Declared, nullptr, 0, 0, false},
    {"kq-01.tree", "CLB.S", Where::Declared, nullptr, 0, 0, false},
    {"kq-01.tree", "CLB.T", Where::Declared, nullptr, 0, 0, false},
    {"kq-01.tree", "CLB.G", Where::Declared, nullptr, 0, 0, false},
    {"kq-01.tree", "CLB.P", Where::Declared, "void", 0, 0, false},
    {"kq-01.tree", "CLB.A", Where::Declared, "void", 0, 0, false},
    {"kq-01.tree", "INIT", Where::Declared, "void", 0, 0, false},
    {"kq-01.tree", "APLY", Where::Declared, "void", 0, 0, false},
    // Analog outputs: output type per output, K4/K20 coefficients 2(k−1) and 2(k−1)+1.
    {"kq-02.tree", "POUt", Where::Root, nullptr, 4, 8, false},
    {"kq-02.tree", "CLB.K", Where::Root, "int", 0, 16, true},
    {"kq-02.tree", "r.oe", Where::Scanners, "float", 0, 8, true},
    {"kq-02.tree", "CLB.I", Where::Declared, "int", 0, 0, false},
    {"kq-02.tree", "CLB.A", Where::Declared, "void", 0, 0, false},
    {"kq-03.tree", "POUt", Where::Root, nullptr, 6, 6, false},
    {"kq-03.tree", "POUt", Where::Root, nullptr, 4, 6, false, kOld},
    {"kq-03.tree", "CLB.K", Where::Root, "int", 0, 12, true},
    {"kq-03.tree", "r.oe", Where::Scanners, "float", 0, 6, true},
    {"kq-03.tree", "CLB.I", Where::Declared, "int", 0, 0, false},
    {"kq-03.tree", "CLB.A", Where::Declared, "void", 0, 0, false},
    // Discrete inputs and outputs: counters, input bit mask at index 0, output levels.
    {"kq-04.tree", "r.Cou", Where::Scanners, "int", 0, 4, true},
    {"kq-04.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    {"kq-04.tree", "r.oe", Where::Scanners, "float", 0, 4, true},
    {"kq-05.tree", "r.Cou", Where::Scanners, "int", 0, 16, true},
    {"kq-05.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    {"kq-06.tree", "r.oe", Where::Scanners, "float", 0, 8, true},
    {"kq-07.tree", "CodP", Where::Root, "int", 0, 1, true},
    {"kq-07.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    {"kq-07.tree", "s.do", Where::Scanners, "int", 0, 1, true},
    {"kq-07.tree", "r.oe.s", Where::Scanners, "int", 0, 1, true},
    // Transmitter: eight data bits fixed, the offset and scale wizard.
    {"kq-08.tree", "LEn", Where::Absent, nullptr, 0, 0, false},
    {"kq-08.tree", "in-t", Where::Root, nullptr, 8, 1, false},
    {"kq-08.tree", "JuRD", Where::Root, "int", 0, 1, true},
    {"kq-08.tree", "JuSh", Where::Declared, "int", 0, 0, false},
    {"kq-08.tree", "JuSc", Where::Declared, "int", 0, 0, false},
    {"kq-08.tree", "Prmn", Where::Declared, "int", 0, 0, false},
    {"kq-08.tree", "UApl", Where::Declared, "void", 0, 0, false},
    {"kq-08.tree", "rEAd", Where::Scanners, nullptr, 0, 1, false},
    {"kq-08.tree", "iRD", Where::Scanners, nullptr, 0, 1, false},
    {"kq-08.tree", "iRDt", Where::Scanners, nullptr, 0, 1, false},
    {"kq-08.tree", "srd", Where::Scanners, nullptr, 0, 1, false},
    // Measuring devices: the same sensor codes and calibration as the analog inputs.
    {"kq-09.tree", "in-t", Where::Root, nullptr, 42, 8, false},
    {"kq-09.tree", "rEAd", Where::Scanners, "float", 0, 8, false},
    {"kq-09.tree", "srd", Where::Scanners, "int", 0, 8, false},
    {"kq-09.tree", "CLB.I", Where::Declared, nullptr, 0, 0, false},
    {"kq-09.tree", "CLB.P", Where::Declared, "void", 0, 0, false},
    {"kq-10.tree", "r.oe", Where::Scanners, "float", 0, 16, true},
    {"kq-11.tree", "r.Cou", Where::Scanners, "int", 0, 8, true},
    {"kq-11.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    // Counters and encoders: the input logic that pairs the channels.
    {"kq-12.tree", "Log", Where::Root, nullptr, 8, 4, false},
    {"kq-12.tree", "r.Cou", Where::Scanners, "int", 0, 4, true},
    {"kq-12.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    {"kq-12.tree", "r.oe", Where::Scanners, "float", 0, 4, true},
};

// Choices whose position is a code the module or the program relies on.
struct Choice {
    const char* stream;
    const char* name;
    int position;
    const char* text;
};

const Choice kChoices[] = {
    // Sensor codes that the input calibration writes to "in-t".
    {"kq-01.tree", "in-t", 2, "RTD Cu50"},
    {"kq-01.tree", "in-t", 7, "-50...+50 mV"},
    {"kq-01.tree", "in-t", 26, "0-900 ohm position transmitter"},
    {"kq-01.tree", "in-t", 30, "RTD Ni100 (GOST)"},
    {"kq-01.tree", "in-t", 41, "0-2000 ohm position transmitter"},
    {"kq-09.tree", "in-t", 17, "TC Type B"},
    {"kq-09.tree", "in-t", 40, "RTD Ni1000 (GOST)"},
    // The address check reads protocol position 0 as the native protocol.
    {"kq-01.tree", "Prot", 0, "Lumeko"},
    // The output calibration leaves out outputs in this mode.
    {"kq-02.tree", "POUt", 3, "Digital"},
    {"kq-03.tree", "POUt", 3, "Digital"},
    // The offset and scale wizard offers neither of the first two signals.
    {"kq-08.tree", "in-t", 0, "off"},
    {"kq-08.tree", "in-t", 1, "discrete input"},
    // Positions 3, 4 and 7 are the two-channel logics the channel pairing copies.
    {"kq-12.tree", "Log", 3, "quadrature encoder"},
    {"kq-12.tree", "Log", 4, "up/down counter (pulse and direction)"},
    {"kq-12.tree", "Log", 7, "phase shift meter"},
};

int modelOfStream(const std::string& stream) {
    for (int model = 0; model < kModelCount; ++model)
        if (stream == modelCatalogue()[model].stream) return model;
    return -1;
}

// Loads a model's description from the built container with the given firmware
// version; `loaded` is false on any message.
struct LoadedModel {
    LoadedModel(const std::string& stream, FirmwareVersion firmware) {
        RecordingUserInterface ui;
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        description.deviceVersion = firmware;
        app().setCurrentModel(modelOfStream(stream));
        loaded = description.LoadTreeDescription() && ui.messages.empty();
        app().setCurrentModel(-1);
    }
    TreeDescription description;
    bool loaded = false;
};

std::string withoutMark(const std::string& name) {
    return !name.empty() && name[0] == '!' ? name.substr(1) : name;
}

const DescParameter* declared(const TreeDescription& description, const std::string& name) {
    for (const auto& p : description.descriptionParameters)
        if (equalsIgnoringCase(withoutMark(p.name), name)) return &p;
    return nullptr;
}

std::map<int, Parameter*> instances(DescBranch* tree, const std::string& name) {
    std::map<int, Parameter*> found;
    int largest = 0;
    int step = 0;
    if (tree) tree->FindParameters(name, &found, &largest, &step, 0);
    return found;
}

const DescBranch* branchHolding(const DescBranch& branch, const std::string& name) {
    for (const auto& p : branch.parameters())
        if (equalsIgnoringCase(p->name, name)) return &branch;
    for (const auto& sub : branch.subBranches())
        if (const DescBranch* holder = branchHolding(*sub, name)) return holder;
    return nullptr;
}

int choiceCount(const std::string& type) {
    int count = 1;
    for (char c : type) count += c == ':';
    return count;
}

TEST(DescriptionContentA, EveryParameterOtherPartsReadIsWhereAndAsTheyReadIt) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(std::string(e.stream) + " " + e.name + " firmware " + std::to_string(e.firmware.major));
        LoadedModel model(e.stream, e.firmware);
        ASSERT_TRUE(model.loaded);
        TreeDescription& d = model.description;
        const DescParameter* declaration = declared(d, e.name);
        if (e.where == Where::Absent) {
            EXPECT_EQ(declaration, nullptr);
            continue;
        }
        ASSERT_NE(declaration, nullptr);
        const auto inRoot = instances(d.rootBranch, e.name);
        const auto inScanners = instances(d.scannersBranch, e.name);
        if (e.where == Where::Declared) {
            EXPECT_TRUE(inRoot.empty());
            EXPECT_TRUE(inScanners.empty());
            if (e.type) EXPECT_EQ(declaration->typeDefinition, e.type);
            continue;
        }
        if (e.where == Where::Network) {
            ASSERT_NE(d.networkBranch, nullptr);
            EXPECT_NE(d.networkBranch->FindParameter(e.name), nullptr);
        }
        const bool sampled = e.where == Where::Scanners;
        const auto& built = sampled ? inScanners : inRoot;
        ASSERT_EQ(static_cast<int>(built.size()), e.instances);
        EXPECT_EQ(built.begin()->first, 0);
        EXPECT_EQ(built.rbegin()->first, e.instances - 1);
        const Parameter& first = *built.begin()->second;
        // A sampled parameter is addressed by its offset; a root one carries its index
        // in the frame exactly when it is one of several instances.
        EXPECT_EQ(first.indexed != 0, !sampled && e.instances > 1);
        EXPECT_EQ(branchHolding(sampled ? *d.scannersBranch : *d.rootBranch, e.name)->IsSingleParameterBranch(),
                  e.alone);
        if (e.type) EXPECT_EQ(first.type, e.type);
        if (e.choices) EXPECT_EQ(choiceCount(first.type), e.choices) << first.type;
    }
}

TEST(DescriptionContentA, CodedChoicesStandAtTheirPositionsInEveryInstance) {
    for (const Choice& c : kChoices) {
        SCOPED_TRACE(std::string(c.stream) + " " + c.name + " " + std::to_string(c.position));
        LoadedModel model(c.stream, kUnknown);
        ASSERT_TRUE(model.loaded);
        const auto built = instances(model.description.rootBranch, c.name);
        ASSERT_FALSE(built.empty());
        for (const auto& [index, parameter] : built) EXPECT_EQ(parameter->EnumText(c.position), c.text);
    }
}

// The output coefficients belong to the unit: the calibration dialog writes them, and
// "Apply default settings" (which writes factory values) must leave them alone.
TEST(DescriptionContentA, OutputCoefficientsAreEditableAndHaveNoDefault) {
    for (const char* stream : {"kq-02.tree", "kq-03.tree"}) {
        SCOPED_TRACE(stream);
        LoadedModel model(stream, kUnknown);
        ASSERT_TRUE(model.loaded);
        const auto coefficients = instances(model.description.rootBranch, "CLB.K");
        ASSERT_FALSE(coefficients.empty());
        for (const auto& [index, parameter] : coefficients) {
            EXPECT_EQ(parameter->userEditable, 1);
            EXPECT_EQ(parameter->hasAttributes, 1);
            EXPECT_TRUE(parameter->configurationValue.empty());
            EXPECT_EQ(parameter->highLimit, 4095);
        }
    }
}

// The module tells its parameters apart by the name hash alone.
TEST(DescriptionContentA, NoTwoParametersOfAModelShareANameHash) {
    std::set<std::string> streams;
    for (const Expected& e : kExpected) streams.insert(e.stream);
    for (const std::string& stream : streams) {
        for (FirmwareVersion firmware : {kUnknown, kOld}) {
            SCOPED_TRACE(stream + " firmware " + std::to_string(firmware.major));
            LoadedModel model(stream, firmware);
            ASSERT_TRUE(model.loaded);
            std::map<std::uint16_t, std::string> byHash;
            for (const auto& p : model.description.descriptionParameters) {
                const std::string name = withoutMark(p.name);
                const auto [it, fresh] = byHash.try_emplace(hash_name(name), name);
                if (!fresh) EXPECT_TRUE(equalsIgnoringCase(it->second, name)) << it->second << " " << name;
            }
        }
    }
}

}  // namespace
}  // namespace vantor::testing
