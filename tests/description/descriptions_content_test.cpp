// What the device models, dialogs and calibrations read by name from the shipped
// descriptions: where each parameter stands, its type and channel instances, the
// choice positions that stand for module codes, and that no two names share a hash.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "description/catalogue.h"
#include "description_fixture.h"
#include "params/type_names.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

using test::RecordingUserInterface;

enum class Where {
    Root,      // in the parameter tree
    Network,   // in the network settings branch
    Scanners,  // in the sampled state tree
    Declared,  // a one-shot command: declared, in no tree
    Absent,    // not declared at all
};

// Whether the parameter stands alone in its branch, so that the view puts its
// decoding rows under it.
enum class Branch { Alone, Shared, Any };

constexpr FirmwareVersion kUnknown{};
constexpr FirmwareVersion kOld{1, 0};

struct Expected {
    const char* stream;
    const char* name;
    Where where;
    const char* type;  // the parameter's type text; null: not checked
    int choices;       // choices of an enumeration; 0: not checked
    int instances;     // built instances with data indexes 0 … instances − 1
    Branch branch;
    FirmwareVersion firmware = kUnknown;
};

const Expected kExpected[] = {
    // Analog inputs: sensor codes by data index = input, the calibration functions.
    {"kq-01.tree", "bPS", Where::Network, nullptr, 9, 1, Branch::Shared},
    {"kq-01.tree", "LEn", Where::Network, "7:8", 2, 1, Branch::Shared},
    {"kq-01.tree", "Prot", Where::Network, nullptr, 3, 1, Branch::Shared},
    {"kq-01.tree", "Prot", Where::Absent, nullptr, 0, 0, Branch::Shared, kOld},
    {"kq-01.tree", "CHAr*", Where::Network, "name", 0, 1, Branch::Shared},
    {"kq-01.tree", "in-t", Where::Root, nullptr, 42, 8, Branch::Shared},
    {"kq-01.tree", "in-t", Where::Root, nullptr, 29, 8, Branch::Shared, kOld},
    {"kq-01.tree", "rEAd", Where::Scanners, "float", 0, 8, Branch::Alone},
    {"kq-01.tree", "CLB.I", Where::Declared, nullptr, 0, 0, Branch::Shared},
    {"kq-01.tree", "CLB.S", Where::Declared, nullptr, 0, 0, Branch::Shared},
    {"kq-01.tree", "CLB.T", Where::Declared, nullptr, 0, 0, Branch::Shared},
    {"kq-01.tree", "CLB.G", Where::Declared, nullptr, 0, 0, Branch::Shared},
    {"kq-01.tree", "CLB.P", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-01.tree", "CLB.A", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-01.tree", "INIT", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-01.tree", "APLY", Where::Declared, "void", 0, 0, Branch::Shared},
    // Analog outputs: output type per output, K4/K20 coefficients 2(k−1) and 2(k−1)+1.
    {"kq-02.tree", "POUt", Where::Root, nullptr, 4, 8, Branch::Shared},
    {"kq-02.tree", "CLB.K", Where::Root, "int", 0, 16, Branch::Alone},
    {"kq-02.tree", "r.oe", Where::Scanners, "float", 0, 8, Branch::Alone},
    {"kq-02.tree", "CLB.I", Where::Declared, "int", 0, 0, Branch::Shared},
    {"kq-02.tree", "CLB.A", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-03.tree", "POUt", Where::Root, nullptr, 6, 6, Branch::Shared},
    {"kq-03.tree", "POUt", Where::Root, nullptr, 4, 6, Branch::Shared, kOld},
    {"kq-03.tree", "CLB.K", Where::Root, "int", 0, 12, Branch::Alone},
    {"kq-03.tree", "r.oe", Where::Scanners, "float", 0, 6, Branch::Alone},
    {"kq-03.tree", "CLB.I", Where::Declared, "int", 0, 0, Branch::Shared},
    {"kq-03.tree", "CLB.A", Where::Declared, "void", 0, 0, Branch::Shared},
    // Discrete inputs and outputs: counters, input bit mask at index 0, output levels.
    {"kq-04.tree", "r.Cou", Where::Scanners, "int", 0, 4, Branch::Alone},
    {"kq-04.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-04.tree", "r.oe", Where::Scanners, "float", 0, 4, Branch::Alone},
    {"kq-05.tree", "r.Cou", Where::Scanners, "int", 0, 16, Branch::Alone},
    {"kq-05.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-06.tree", "r.oe", Where::Scanners, "float", 0, 8, Branch::Alone},
    {"kq-07.tree", "CodP", Where::Root, "int", 0, 1, Branch::Alone},
    {"kq-07.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-07.tree", "s.do", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-07.tree", "r.oe.s", Where::Scanners, "int", 0, 1, Branch::Alone},
    // Transmitter: eight data bits fixed, the offset and scale wizard.
    {"kq-08.tree", "LEn", Where::Absent, nullptr, 0, 0, Branch::Shared},
    {"kq-08.tree", "in-t", Where::Root, nullptr, 8, 1, Branch::Shared},
    {"kq-08.tree", "JuRD", Where::Root, "int", 0, 1, Branch::Alone},
    {"kq-08.tree", "JuSh", Where::Declared, "int", 0, 0, Branch::Shared},
    {"kq-08.tree", "JuSc", Where::Declared, "int", 0, 0, Branch::Shared},
    {"kq-08.tree", "Prmn", Where::Declared, "int", 0, 0, Branch::Shared},
    {"kq-08.tree", "UApl", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-08.tree", "rEAd", Where::Scanners, nullptr, 0, 1, Branch::Shared},
    {"kq-08.tree", "iRD", Where::Scanners, nullptr, 0, 1, Branch::Shared},
    {"kq-08.tree", "iRDt", Where::Scanners, nullptr, 0, 1, Branch::Shared},
    {"kq-08.tree", "srd", Where::Scanners, nullptr, 0, 1, Branch::Shared},
    // Measuring devices: the same sensor codes and calibration as the analog inputs.
    {"kq-09.tree", "in-t", Where::Root, nullptr, 42, 8, Branch::Shared},
    {"kq-09.tree", "rEAd", Where::Scanners, "float", 0, 8, Branch::Shared},
    {"kq-09.tree", "srd", Where::Scanners, "int", 0, 8, Branch::Shared},
    {"kq-09.tree", "CLB.I", Where::Declared, nullptr, 0, 0, Branch::Shared},
    {"kq-09.tree", "CLB.P", Where::Declared, "void", 0, 0, Branch::Shared},
    {"kq-10.tree", "r.oe", Where::Scanners, "float", 0, 16, Branch::Alone},
    {"kq-11.tree", "r.Cou", Where::Scanners, "int", 0, 8, Branch::Alone},
    {"kq-11.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    // Counters and encoders: the input logic that pairs the channels.
    {"kq-12.tree", "Log", Where::Root, nullptr, 8, 4, Branch::Shared},
    {"kq-12.tree", "r.Cou", Where::Scanners, "int", 0, 4, Branch::Alone},
    {"kq-12.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-12.tree", "r.oe", Where::Scanners, "float", 0, 4, Branch::Alone},
    // Mutual inductance: factory limits by variant, spline table, status decoding.
    {"kq-13.tree", "tdev", Where::Root, " -10 mH:0 mH", 2, 1, Branch::Any},
    {"kq-13.tree", "uU.Pn", Where::Root, "float", 0, 21, Branch::Any},
    {"kq-13.tree", "uU.Kf", Where::Root, "float", 0, 80, Branch::Any},
    {"kq-13.tree", "LEn", Where::Network, nullptr, 2, 1, Branch::Any},
    {"kq-13.tree", "Rd.St", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-13.tree", "Rd.fH", Where::Scanners, "float", 0, 1, Branch::Any},
    {"kq-13.tree", "srd", Where::Scanners, nullptr, 0, 1, Branch::Any},
    {"kq-13.tree", "rEAd", Where::Scanners, nullptr, 0, 1, Branch::Any},
    {"kq-13.tree", "zU.Sh", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-13.tree", "zU.Sc", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-13.tree", "U.Apl", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-13.tree", "S.Def", Where::Declared, "void", 0, 1, Branch::Any},
    // Strain gauge, one input: variant, seven sensitivities for the seven input ranges.
    {"kq-15.tree", "tdev", Where::Root, "1 channel:4 channels", 2, 1, Branch::Any},
    {"kq-15.tree", "Sens", Where::Root, nullptr, 7, 1, Branch::Any},
    {"kq-15.tree", "v.min", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-15.tree", "v.max", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-15.tree", "p.wgh", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-15.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-15.tree", "Rd.fV", Where::Scanners, "float", 0, 1, Branch::Any},
    {"kq-15.tree", "Rd.fF", Where::Scanners, "float", 0, 1, Branch::Any},
    {"kq-15.tree", "Rd.St", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-15.tree", "zU.Sh", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-15.tree", "zU.Sc", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-15.tree", "U.Apl", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-15.tree", "U.Wgh", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-15.tree", "S.Def", Where::Declared, "void", 0, 1, Branch::Any},
    // Strain gauge, four inputs: every per-channel parameter by data index = channel.
    {"kq-16.tree", "tdev", Where::Root, "1 channel:4 channels", 2, 1, Branch::Any},
    {"kq-16.tree", "Sens", Where::Root, nullptr, 7, 4, Branch::Any},
    {"kq-16.tree", "v.min", Where::Root, "float", 0, 4, Branch::Any},
    {"kq-16.tree", "v.max", Where::Root, "float", 0, 4, Branch::Any},
    {"kq-16.tree", "p.wgh", Where::Root, "float", 0, 4, Branch::Any},
    {"kq-16.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-16.tree", "Rd.fV", Where::Scanners, "float", 0, 4, Branch::Any},
    {"kq-16.tree", "Rd.fF", Where::Scanners, "float", 0, 4, Branch::Any},
    {"kq-16.tree", "Rd.St", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-16.tree", "U.Wgh", Where::Declared, "void", 0, 1, Branch::Any},
    {"kq-16.tree", "S.Def", Where::Declared, "void", 0, 1, Branch::Any},
    // Discrete outputs and counters: the I/O status tables and indicators.
    {"kq-17.tree", "r.oe", Where::Scanners, "float", 0, 16, Branch::Any},
    {"kq-17.tree", "r.oe.s", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-17.tree", "LEn", Where::Network, nullptr, 2, 1, Branch::Any},
    {"kq-18.tree", "r.Cou", Where::Scanners, "int", 0, 16, Branch::Any},
    {"kq-18.tree", "r.cn", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-18.tree", "LEn", Where::Network, nullptr, 2, 1, Branch::Any},
    // Analog input with relays: fixed data bits, the generic calibration wizard.
    {"kq-19.tree", "LEn", Where::Absent, nullptr, 0, 0, Branch::Any},
    {"kq-19.tree", "in-t", Where::Root, nullptr, 8, 1, Branch::Any},
    {"kq-19.tree", "s.do", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-19.tree", "rEAd", Where::Scanners, nullptr, 0, 1, Branch::Any},
    {"kq-19.tree", "JuSh", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-19.tree", "JuSc", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-19.tree", "JuRD", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-19.tree", "Prmn", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-19.tree", "UApl", Where::Declared, "void", 0, 1, Branch::Any},
    // pH and redox: fixed data bits, the pH wizard, the measured-quantity caption.
    {"kq-20.tree", "LEn", Where::Absent, nullptr, 0, 0, Branch::Any},
    {"kq-20.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-20.tree", "sen.t", Where::Root, "pH:redox", 2, 1, Branch::Any},
    {"kq-20.tree", "tco.t", Where::Root, nullptr, 2, 1, Branch::Any},
    {"kq-20.tree", "TSe.T", Where::Root, nullptr, 0, 1, Branch::Any},
    {"kq-20.tree", "C.Tem", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "E.Crd", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "p.Crd", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "Rd.Rs", Where::Scanners, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "Rd.Tm", Where::Scanners, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "Rd.St", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-20.tree", "U.pH1", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.pHL", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.pHH", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.Rx1", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.RxL", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.RxH", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "U.Apl", Where::Declared, "float", 0, 1, Branch::Any},
    {"kq-20.tree", "S.Def", Where::Declared, "void", 0, 1, Branch::Any},
    // Meters: the mode word, the apply command with its number, the network extras.
    {"kq-21.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-21.tree", "Mode", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-21.tree", "APLY", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-22.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-22.tree", "T.pro", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-22.tree", "uk.hi", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-22.tree", "ik.hi", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-22.tree", "uk.lo", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-22.tree", "ik.lo", Where::Root, "float", 0, 1, Branch::Any},
    {"kq-22.tree", "Stat", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-22.tree", "Mode", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-22.tree", "APLY", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-23.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-23.tree", "Mode", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-23.tree", "APLY", Where::Declared, "int", 0, 1, Branch::Any},
    {"kq-24.tree", "Rs.dL", Where::Network, "int", 0, 1, Branch::Any},
    {"kq-24.tree", "Mode", Where::Scanners, "int", 0, 1, Branch::Alone},
    {"kq-24.tree", "APLY", Where::Declared, "int", 0, 1, Branch::Any},
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
    LoadedModel(const std::string& stream, FirmwareVersion firmware) : description(ui) {
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        description.deviceVersion = firmware;
        loaded = description.LoadTreeDescription(modelOfStream(stream)) && ui.messages.empty();
    }
    RecordingUserInterface ui;
    TreeDescription description;
    bool loaded = false;
};

// One load per model and firmware version for the whole table.
LoadedModel& loadedModel(const std::string& stream, FirmwareVersion firmware) {
    static std::map<std::tuple<std::string, int, int>, LoadedModel> models;
    return models.try_emplace({stream, firmware.major, firmware.minor}, stream, firmware).first->second;
}

std::string withoutMark(const std::string& name) { return !name.empty() && name[0] == '!' ? name.substr(1) : name; }

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

TEST(DescriptionContent, EveryParameterOtherPartsReadIsWhereAndAsTheyReadIt) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(std::string(e.stream) + " " + e.name + " firmware " + std::to_string(e.firmware.major));
        LoadedModel& model = loadedModel(e.stream, e.firmware);
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
            if (e.type) {
                EXPECT_EQ(declaration->typeDefinition, e.type);
            }
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
        if (e.branch != Branch::Any) {
            EXPECT_EQ(branchHolding(sampled ? *d.scannersBranch : *d.rootBranch, e.name)->IsSingleParameterBranch(),
                      e.branch == Branch::Alone);
        }
        if (e.type) {
            EXPECT_EQ(first.type, e.type);
        }
        if (e.choices) {
            EXPECT_EQ(choiceCount(first.type), e.choices) << first.type;
        }
    }
}

TEST(DescriptionContent, CodedChoicesStandAtTheirPositionsInEveryInstance) {
    for (const Choice& c : kChoices) {
        SCOPED_TRACE(std::string(c.stream) + " " + c.name + " " + std::to_string(c.position));
        LoadedModel& model = loadedModel(c.stream, kUnknown);
        ASSERT_TRUE(model.loaded);
        const auto built = instances(model.description.rootBranch, c.name);
        ASSERT_FALSE(built.empty());
        for (const auto& [index, parameter] : built) EXPECT_EQ(parameter->EnumText(c.position), c.text);
    }
}

// The output coefficients belong to the unit: the calibration dialog writes them, and
// "Apply default settings" (which writes factory values) must leave them alone.
TEST(DescriptionContent, OutputCoefficientsAreEditableAndHaveNoDefault) {
    for (const char* stream : {"kq-02.tree", "kq-03.tree"}) {
        SCOPED_TRACE(stream);
        LoadedModel& model = loadedModel(stream, kUnknown);
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

// The module tells its parameters apart by the name hash alone; the attribute exchange
// has a hash of its own that no parameter may take.
TEST(DescriptionContent, NoTwoParametersOfAModelShareANameHash) {
    std::set<std::string> streams;
    for (const Expected& e : kExpected) streams.insert(e.stream);
    for (const std::string& stream : streams) {
        for (FirmwareVersion firmware : {kUnknown, kOld}) {
            SCOPED_TRACE(stream + " firmware " + std::to_string(firmware.major));
            LoadedModel& model = loadedModel(stream, firmware);
            ASSERT_TRUE(model.loaded);
            std::map<std::uint16_t, std::string> byHash{{hash_name("M.s.t.r."), "M.s.t.r."}};
            for (const auto& p : model.description.descriptionParameters) {
                const std::string name = withoutMark(p.name);
                const auto [it, fresh] = byHash.try_emplace(hash_name(name), name);
                if (!fresh) {
                    EXPECT_TRUE(equalsIgnoringCase(it->second, name)) << it->second << " " << name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vantor
