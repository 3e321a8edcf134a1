// What the device models, dialogs and calibrations read by name from the shipped
// descriptions of the inductance, strain-gauge, discrete, analog-relay, pH and meter
// models: where each parameter stands, its type, and how many channel instances exist.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "description/catalogue.h"
#include "description_fixture.h"
#include "params/type_names.h"
#include "platform/app_state.h"
#include "protocol/name_hash.h"

namespace vantor::testing {
namespace {

enum class Where {
    Root,      // in the parameter tree
    Network,   // in the network settings branch
    Scanners,  // in the sampled state tree
    Declared,  // a one-shot command: declared, in no tree
    Absent,    // not declared at all
};

struct Expected {
    const char* stream;
    const char* name;
    Where where;
    const char* type;  // the parameter's type text; null: not checked
    int choices;       // number of choices of an enumeration; 0: not checked
    int instances;     // channel instances, data indexes 0 … instances − 1
    bool alone;        // must stand alone in its branch: the view decodes it in rows below
};

constexpr Expected kExpected[] = {
    // Mutual inductance: factory limits by variant, spline table, status decoding.
    {"kq-13.tree", "tdev", Where::Root, " -10 mH:0 mH", 2, 1, false},
    {"kq-13.tree", "uU.Pn", Where::Root, "float", 0, 21, false},
    {"kq-13.tree", "uU.Kf", Where::Root, "float", 0, 80, false},
    {"kq-13.tree", "LEn", Where::Network, nullptr, 2, 1, false},
    {"kq-13.tree", "Rd.St", Where::Scanners, "int", 0, 1, true},
    {"kq-13.tree", "Rd.fH", Where::Scanners, "float", 0, 1, false},
    {"kq-13.tree", "srd", Where::Scanners, nullptr, 0, 1, false},
    {"kq-13.tree", "rEAd", Where::Scanners, nullptr, 0, 1, false},
    {"kq-13.tree", "zU.Sh", Where::Declared, "void", 0, 1, false},
    {"kq-13.tree", "zU.Sc", Where::Declared, "void", 0, 1, false},
    {"kq-13.tree", "U.Apl", Where::Declared, "void", 0, 1, false},
    {"kq-13.tree", "S.Def", Where::Declared, "void", 0, 1, false},
    // Strain gauge, one input: variant, seven sensitivities for the seven input ranges.
    {"kq-15.tree", "tdev", Where::Root, "1 channel:4 channels", 2, 1, false},
    {"kq-15.tree", "Sens", Where::Root, nullptr, 7, 1, false},
    {"kq-15.tree", "v.min", Where::Root, "float", 0, 1, false},
    {"kq-15.tree", "v.max", Where::Root, "float", 0, 1, false},
    {"kq-15.tree", "p.wgh", Where::Root, "float", 0, 1, false},
    {"kq-15.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-15.tree", "Rd.fV", Where::Scanners, "float", 0, 1, false},
    {"kq-15.tree", "Rd.fF", Where::Scanners, "float", 0, 1, false},
    {"kq-15.tree", "Rd.St", Where::Scanners, "int", 0, 1, true},
    {"kq-15.tree", "zU.Sh", Where::Declared, "void", 0, 1, false},
    {"kq-15.tree", "zU.Sc", Where::Declared, "void", 0, 1, false},
    {"kq-15.tree", "U.Apl", Where::Declared, "void", 0, 1, false},
    {"kq-15.tree", "U.Wgh", Where::Declared, "void", 0, 1, false},
    {"kq-15.tree", "S.Def", Where::Declared, "void", 0, 1, false},
    // Strain gauge, four inputs: every per-channel parameter by data index = channel.
    {"kq-16.tree", "tdev", Where::Root, "1 channel:4 channels", 2, 1, false},
    {"kq-16.tree", "Sens", Where::Root, nullptr, 7, 4, false},
    {"kq-16.tree", "v.min", Where::Root, "float", 0, 4, false},
    {"kq-16.tree", "v.max", Where::Root, "float", 0, 4, false},
    {"kq-16.tree", "p.wgh", Where::Root, "float", 0, 4, false},
    {"kq-16.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-16.tree", "Rd.fV", Where::Scanners, "float", 0, 4, false},
    {"kq-16.tree", "Rd.fF", Where::Scanners, "float", 0, 4, false},
    {"kq-16.tree", "Rd.St", Where::Scanners, "int", 0, 1, true},
    {"kq-16.tree", "U.Wgh", Where::Declared, "void", 0, 1, false},
    {"kq-16.tree", "S.Def", Where::Declared, "void", 0, 1, false},
    // Discrete outputs and counters: the I/O status tables and indicators.
    {"kq-17.tree", "r.oe", Where::Scanners, "float", 0, 16, false},
    {"kq-17.tree", "r.oe.s", Where::Scanners, "int", 0, 1, true},
    {"kq-17.tree", "LEn", Where::Network, nullptr, 2, 1, false},
    {"kq-18.tree", "r.Cou", Where::Scanners, "int", 0, 16, false},
    {"kq-18.tree", "r.cn", Where::Scanners, "int", 0, 1, true},
    {"kq-18.tree", "LEn", Where::Network, nullptr, 2, 1, false},
    // Analog input with relays: fixed data bits, the generic calibration wizard.
    {"kq-19.tree", "LEn", Where::Absent, nullptr, 0, 0, false},
    {"kq-19.tree", "in-t", Where::Root, nullptr, 8, 1, false},
    {"kq-19.tree", "s.do", Where::Scanners, "int", 0, 1, true},
    {"kq-19.tree", "rEAd", Where::Scanners, nullptr, 0, 1, false},
    {"kq-19.tree", "JuSh", Where::Declared, "int", 0, 1, false},
    {"kq-19.tree", "JuSc", Where::Declared, "int", 0, 1, false},
    {"kq-19.tree", "JuRD", Where::Declared, "int", 0, 1, false},
    {"kq-19.tree", "Prmn", Where::Declared, "int", 0, 1, false},
    {"kq-19.tree", "UApl", Where::Declared, "void", 0, 1, false},
    // pH and redox: fixed data bits, the pH wizard, the measured-quantity caption.
    {"kq-20.tree", "LEn", Where::Absent, nullptr, 0, 0, false},
    {"kq-20.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-20.tree", "sen.t", Where::Root, "pH:redox", 2, 1, false},
    {"kq-20.tree", "tco.t", Where::Root, nullptr, 2, 1, false},
    {"kq-20.tree", "TSe.T", Where::Root, nullptr, 0, 1, false},
    {"kq-20.tree", "C.Tem", Where::Root, "float", 0, 1, false},
    {"kq-20.tree", "E.Crd", Where::Root, "float", 0, 1, false},
    {"kq-20.tree", "p.Crd", Where::Root, "float", 0, 1, false},
    {"kq-20.tree", "Rd.Rs", Where::Scanners, "float", 0, 1, false},
    {"kq-20.tree", "Rd.Tm", Where::Scanners, "float", 0, 1, false},
    {"kq-20.tree", "Rd.St", Where::Scanners, "int", 0, 1, true},
    {"kq-20.tree", "U.pH1", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.pHL", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.pHH", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.Rx1", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.RxL", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.RxH", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "U.Apl", Where::Declared, "float", 0, 1, false},
    {"kq-20.tree", "S.Def", Where::Declared, "void", 0, 1, false},
    // Meters: the mode word, the apply command with its number, the network extras.
    {"kq-21.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-21.tree", "Mode", Where::Scanners, "int", 0, 1, true},
    {"kq-21.tree", "APLY", Where::Declared, "int", 0, 1, false},
    {"kq-22.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-22.tree", "T.pro", Where::Network, "int", 0, 1, false},
    {"kq-22.tree", "uk.hi", Where::Root, "float", 0, 1, false},
    {"kq-22.tree", "ik.hi", Where::Root, "float", 0, 1, false},
    {"kq-22.tree", "uk.lo", Where::Root, "float", 0, 1, false},
    {"kq-22.tree", "ik.lo", Where::Root, "float", 0, 1, false},
    {"kq-22.tree", "Stat", Where::Scanners, "int", 0, 1, true},
    {"kq-22.tree", "Mode", Where::Scanners, "int", 0, 1, true},
    {"kq-22.tree", "APLY", Where::Declared, "int", 0, 1, false},
    {"kq-23.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-23.tree", "Mode", Where::Scanners, "int", 0, 1, true},
    {"kq-23.tree", "APLY", Where::Declared, "int", 0, 1, false},
    {"kq-24.tree", "Rs.dL", Where::Network, "int", 0, 1, false},
    {"kq-24.tree", "Mode", Where::Scanners, "int", 0, 1, true},
    {"kq-24.tree", "APLY", Where::Declared, "int", 0, 1, false},
};

int modelOfStream(const std::string& stream) {
    for (int model = 0; model < kModelCount; ++model)
        if (stream == modelCatalogue()[model].stream) return model;
    return -1;
}

// Loads a model's description from the built container, as the document does with no
// firmware version known; fails the test on any message.
struct LoadedModel {
    explicit LoadedModel(const std::string& stream) {
        RecordingUserInterface ui;
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
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

TEST(DescriptionContentB, EveryParameterOtherPartsReadIsWhereAndAsTheyReadIt) {
    std::map<std::string, LoadedModel> models;
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(std::string(e.stream) + " " + e.name);
        auto& model = models.try_emplace(e.stream, e.stream).first->second;
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
        std::string type = declaration->typeDefinition;
        const std::map<int, Parameter*>* built = nullptr;
        DescBranch* tree = nullptr;
        switch (e.where) {
            case Where::Declared:
                EXPECT_TRUE(inRoot.empty());
                EXPECT_TRUE(inScanners.empty());
                break;
            case Where::Network:
                ASSERT_NE(d.networkBranch, nullptr);
                EXPECT_NE(d.networkBranch->FindParameter(e.name), nullptr);
                [[fallthrough]];
            case Where::Root:
                built = &inRoot;
                tree = d.rootBranch;
                break;
            case Where::Scanners:
                built = &inScanners;
                tree = d.scannersBranch;
                break;
            case Where::Absent:
                break;
        }
        if (built) {
            ASSERT_EQ(static_cast<int>(built->size()), e.instances);
            EXPECT_EQ(built->begin()->first, 0);
            EXPECT_EQ(built->rbegin()->first, e.instances - 1);
            type = built->begin()->second->type;
            if (e.alone) EXPECT_TRUE(branchHolding(*tree, e.name)->IsSingleParameterBranch());
        }
        if (e.type) EXPECT_EQ(type, e.type);
        if (e.choices) EXPECT_EQ(choiceCount(type), e.choices) << type;
    }
}

// The module tells its parameters apart by the name hash alone; the attribute exchange
// has a hash of its own that no parameter may take.
TEST(DescriptionContentB, NoTwoParametersOfAModelShareANameHash) {
    std::set<std::string> streams;
    for (const Expected& e : kExpected) streams.insert(e.stream);
    for (const std::string& stream : streams) {
        SCOPED_TRACE(stream);
        LoadedModel model(stream);
        ASSERT_TRUE(model.loaded);
        std::map<std::uint16_t, std::string> byHash{{hash_name("M.s.t.r."), "M.s.t.r."}};
        for (const auto& p : model.description.descriptionParameters) {
            const std::string name = withoutMark(p.name);
            const auto [it, fresh] = byHash.try_emplace(hash_name(name), name);
            if (!fresh) EXPECT_TRUE(equalsIgnoringCase(it->second, name)) << it->second << " " << name;
        }
    }
}

}  // namespace
}  // namespace vantor::testing
