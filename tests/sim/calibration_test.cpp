// The calibration the virtual module's families run, through the module's own frames.

#include <gtest/gtest.h>

#include <vector>

#include "link/parameter_link.h"
#include "params/parameter.h"
#include "protocol/frame.h"
#include "sim/device_errors.h"
#include "sim/module_fixture.h"
#include "sim/state_file.h"
#include "support/module_bench.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

constexpr int kKq01 = 0, kKq02 = 1, kKq03 = 2, kKq08 = 7, kKq09 = 8, kKq13 = 12, kKq15 = 13, kKq16 = 14, kKq19 = 17,
              kKq20 = 18, kKq21 = 19, kKq22 = 20, kKq23 = 21, kKq24 = 22;

const Bytes kIndex1{0x00, 0x01};

// A module of a shipped model, and short ways to say what it answers.
struct Shipped : test::ModuleFixture {
    explicit Shipped(int model) : ModuleFixture(16, 8, test::shippedTable(model, "2.0"), model) {}

    // The data of the reply under the request's own hash (a failure otherwise), from
    // the module's address plus `offset`.
    Bytes answer(const std::string& name, bool read, Bytes data = {}, int offset = 0) {
        const auto reply = askAt(16 + offset, name, read, std::move(data));
        if (!reply) {
            ADD_FAILURE() << name << ": no reply";
            return {};
        }
        if (reply->hash != hash_name(name)) {
            ADD_FAILURE() << name << ": refused with " << (reply->data.empty() ? -1 : int{reply->data[0]});
            return {};
        }
        return reply->data;
    }
    Bytes read(const std::string& name, Bytes data = {}) { return answer(name, true, std::move(data)); }
    Bytes readAt(int offset, const std::string& name) { return answer(name, true, {}, offset); }
    Bytes write(const std::string& name, Bytes data = {}) { return answer(name, false, std::move(data)); }
    // The n.Err code of the reply, -1 when the module did not refuse.
    int refusal(const std::string& name, bool read, Bytes data = {}) {
        const auto reply = ask(name, read, std::move(data));
        return reply && reply->hash == kHashDeviceError && reply->data.size() == 1 ? reply->data[0] : -1;
    }
    // `count` reads in a row.
    std::vector<Bytes> reads(const std::string& name, int count, Bytes data = {}) {
        std::vector<Bytes> answers;
        for (int i = 0; i < count; ++i) answers.push_back(read(name, data));
        return answers;
    }
    sim::CalibrationSettings& settings() { return module.calibration(); }
};

// "JuRD": the result in two bytes, then the job journal's three.
Bytes jobResult(int code) { return {static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code), 0, 0, 0}; }

class OffsetScale : public ::testing::TestWithParam<int> {};

TEST_P(OffsetScale, AJobIsBusyForTheBusyReadsThenSucceeds) {
    Shipped module(GetParam());
    EXPECT_EQ(module.read("JuRD"), jobResult(0)) << "no job started yet";
    for (const char* start : {"JuSh", "JuSc"}) {
        EXPECT_EQ(module.write(start, {0x00}), Bytes{0x00});
        EXPECT_EQ(module.reads("JuRD", 4), (std::vector{jobResult(6), jobResult(6), jobResult(0), jobResult(0)}))
            << start;
    }
    module.settings().busyReads = 0;
    module.write("JuSh", {0x00});
    EXPECT_EQ(module.read("JuRD"), jobResult(0));
}

TEST_P(OffsetScale, RefusalsAndTheFailureKnobs) {
    struct Case {
        const char* what;
        bool offsetFirst;  // a successful offset job before the one judged
        const char* start;
        sim::CalibrationSettings settings;
        int result;
    };
    const Case cases[] = {
        {"scale before any offset", false, "JuSc", {}, 1},
        {"zero signal too high", false, "JuSh", {.signalPercent = 5.5}, 2},
        {"zero signal too low", false, "JuSh", {.signalPercent = -6}, 3},
        {"zero within the tolerance", false, "JuSh", {.signalPercent = 4}, 0},
        {"span signal too high", true, "JuSc", {.signalPercent = 110}, 2},
        {"span signal too low", true, "JuSc", {.signalPercent = 50}, 3},
        {"a failure asked for", true, "JuSc", {.failNextJob = 4}, 4},
        {"an unknown failure", false, "JuSh", {.failNextJob = 300}, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shipped module(GetParam());
        if (c.offsetFirst) {
            module.write("JuSh", {0x00});
            module.reads("JuRD", 3);
        }
        module.settings() = c.settings;
        module.write(c.start, {0x00});
        const int busy = c.result == 1 ? 0 : 2;  // the order is refused at once
        const std::vector<Bytes> answers = module.reads("JuRD", busy + 1);
        EXPECT_EQ(answers.back(), jobResult(c.result));
        EXPECT_FALSE(module.settings().failNextJob) << "the failure is the job's that ended";
    }
}

TEST_P(OffsetScale, AHangingJobStaysBusyUntilANewStart) {
    Shipped module(GetParam());
    module.settings().hangNextJob = true;
    module.write("JuSh", {0x00});
    for (const Bytes& answer : module.reads("JuRD", 15)) EXPECT_EQ(answer, jobResult(6));
    EXPECT_FALSE(module.settings().hangNextJob);
    module.write("JuSh", {0x00});
    EXPECT_EQ(module.reads("JuRD", 3).back(), jobResult(0));
}

TEST_P(OffsetScale, PrmnStoresTheCoefficientsTheJobsFound) {
    Shipped module(GetParam());
    module.settings().signalPercent = 2;
    module.write("JuSh", {0x00});
    module.reads("JuRD", 3);
    module.settings().signalPercent = 98;
    module.write("JuSc", {0x00});
    module.reads("JuRD", 3);
    EXPECT_TRUE(module.module.calibrationStore().empty()) << "found, not yet stored";
    module.write("Prmn", {0x00});
    EXPECT_EQ(module.module.calibrationStore(), (sim::CalibrationStore{{"offset", 2.0}, {"gain", 100.0 / 96}}));
    EXPECT_TRUE(module.write("UApl").empty());
}

INSTANTIATE_TEST_SUITE_P(Kq08AndKq19, OffsetScale, ::testing::Values(kKq08, kKq19));

// pH and redox (KQ-20).

const Bytes kPh7{0x40, 0xE0, 0x00, 0x00};
Bytes status(int word) { return {static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)}; }

TEST(PhCalibration, APointIsMeasuredForTheBusyReadsAndAFailureStaysUntilAGoodOne) {
    Shipped module(kKq20);
    EXPECT_EQ(module.read("Rd.St"), status(0));
    for (const char* point : {"U.pH1", "U.pHL", "U.pHH", "U.Rx1", "U.RxL", "U.RxH"}) {
        module.write(point, kPh7);
        EXPECT_EQ(module.reads("Rd.St", 3), (std::vector{status(0x10), status(0x10), status(0)})) << point;
    }
    module.settings().failNextJob = 1;
    module.write("U.pH1", kPh7);
    EXPECT_EQ(module.reads("Rd.St", 4), (std::vector{status(0x10), status(0x10), status(0x08), status(0x08)}));
    module.settings().signalPercent = 130;  // the electrode gives no usable signal
    module.write("U.pH1", kPh7);
    EXPECT_EQ(module.reads("Rd.St", 3), (std::vector{status(0x18), status(0x18), status(0x08)}));
    module.settings().signalPercent.reset();
    module.write("U.pH1", kPh7);
    EXPECT_EQ(module.reads("Rd.St", 3).back(), status(0));

    module.settings().hangNextJob = true;
    module.write("U.pHL", kPh7);
    for (const Bytes& answer : module.reads("Rd.St", 12)) EXPECT_EQ(answer, status(0x10));
}

TEST(PhCalibration, UAplAnswersTheSlopeAndSetsTheCharacteristicOfGoodPhPoints) {
    Shipped module(kKq20);
    const Bytes zeroPotential = module.read("E.Crd");
    EXPECT_EQ(module.write("U.Apl"), (Bytes{0x3F, 0x82, 0x8F, 0x5C})) << "1.02";
    EXPECT_EQ(module.refusal("U.Apl", false, {0x3F, 0x80, 0x00, 0x00}), sim::kErrDataLength);

    // Redox points and failed pH points leave the characteristic as it was.
    module.write("U.Rx1", kPh7);
    module.reads("Rd.St", 3);
    module.write("U.Apl");
    module.settings().failNextJob = 2;
    module.write("U.pH1", kPh7);
    module.reads("Rd.St", 3);
    module.write("U.Apl");
    EXPECT_EQ(module.read("E.Crd"), zeroPotential);

    module.settings().slope = 0.95;
    module.write("U.pHL", kPh7);
    module.reads("Rd.St", 3);
    EXPECT_EQ(module.write("U.Apl"), (Bytes{0x3F, 0x73, 0x33, 0x33}));
    EXPECT_EQ(module.read("E.Crd"), (Bytes{0x41, 0x48, 0x00, 0x00})) << "12.5 mV";
    EXPECT_EQ(module.read("p.Crd"), (Bytes{0x40, 0xDE, 0x66, 0x66})) << "pH 6.95";
}

// Strain gauges (KQ-15, KQ-16) and the mutual-inductance input (KQ-13): the factory
// limits.

TEST(LimitsCalibration, MeasuresALimitOnlyAtItsReference) {
    struct Case {
        int model;
        Bytes channel;  // of the last input
    };
    for (const Case& c : {Case{kKq15, {}}, Case{kKq16, {0x00, 0x03}}, Case{kKq13, {}}}) {
        SCOPED_TRACE(c.model);
        Shipped module(c.model);
        EXPECT_EQ(module.write("zU.Sh", c.channel), c.channel);
        EXPECT_EQ(module.write("zU.Sc", c.channel), c.channel);
        module.settings().signalPercent = 50;
        EXPECT_EQ(module.refusal("zU.Sh", false, c.channel), sim::kErrRealOutOfRange);
        EXPECT_EQ(module.refusal("zU.Sc", false, c.channel), sim::kErrRealOutOfRange);
        module.settings().signalPercent = 97;
        EXPECT_EQ(module.write("zU.Sc", c.channel), c.channel);
        EXPECT_EQ(module.refusal("zU.Sh", false, {0x00, static_cast<std::uint8_t>(c.model == kKq16 ? 4 : 1)}),
                  sim::kErrParameterIndex);
        EXPECT_EQ(module.refusal("zU.Sh", false, {0x01}), sim::kErrDataLength);
    }
}

TEST(LimitsCalibration, UAplLeavesTheFamilysFailureInTheStatusUntilTheNext) {
    struct Case {
        int model;
        int fail;
        int status;
        Bytes channel;  // "U.Apl" may name one
    };
    const Case cases[] = {{kKq15, 0x20, 0x20, {}}, {kKq16, 0x100, 0x100, {0x00, 0x02}}, {kKq13, 3, 0x80, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Shipped module(c.model);
        module.write("zU.Sh", {});
        module.write("zU.Sc", {});
        EXPECT_EQ(module.write("U.Apl", c.channel), c.channel);
        EXPECT_EQ(module.reads("Rd.St", 2), (std::vector{status(0), status(0)}));
        EXPECT_EQ(module.module.calibrationStore(), (sim::CalibrationStore{{"lower.0", 0}, {"upper.0", 100}}));
        module.settings().failNextJob = c.fail;
        module.write("U.Apl", c.channel);
        EXPECT_EQ(module.read("Rd.St"), status(c.status));
        EXPECT_FALSE(module.settings().failNextJob);
        module.write("U.Apl");
        EXPECT_EQ(module.read("Rd.St"), status(0));
    }
}

TEST(StrainGauge, TheLoadFollowsTheSignalThroughTheScalingAndTheTareTakesIt) {
    Shipped module(kKq16);
    // 3 mV/V: -15..+15 mV; 75 % of it is 7.5 mV, half of the 0..15 mV that give 0..1000.
    module.settings().signalPercent = 75;
    // The readings of input 2 answer at the address plus 1.
    EXPECT_EQ(module.readAt(1, "Rd.fV"), (Bytes{0x40, 0xF0, 0x00, 0x00}));
    EXPECT_EQ(module.readAt(1, "Rd.fF"), (Bytes{0x43, 0xFA, 0x00, 0x00})) << "500";
    EXPECT_EQ(module.write("U.Wgh", kIndex1), kIndex1);
    EXPECT_EQ(module.read("p.wgh", kIndex1), (Bytes{0x43, 0xFA, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(module.read("p.wgh", {0x00, 0x00}), (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00})) << "other channels";

    // The scaling is kept as written: 7.5 mV of 0..10 mV is 750.
    EXPECT_EQ(module.write("zu.fx", {0x41, 0x20, 0x00, 0x00, 0x00, 0x01}), (Bytes{0x41, 0x20, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(module.readAt(1, "Rd.fF"), (Bytes{0x44, 0x3B, 0x80, 0x00}));
}

TEST(StrainGauge, WithoutAReferenceTheLoadMovesAndTheTareTakesThePresentOne) {
    Shipped module(kKq15);
    const Bytes before = module.read("Rd.fF");
    module.clock.advance(2500);
    const Bytes load = module.read("Rd.fF");
    EXPECT_NE(load, before);
    module.write("U.Wgh");
    EXPECT_EQ(module.read("p.wgh"), load);
}

TEST(Inductance, TheReferenceSetsTheLiveInductanceAndTheSplineIsKept) {
    Shipped module(kKq13);
    module.settings().signalPercent = 75;  // of -10..10 mH
    EXPECT_EQ(module.read("Rd.fH"), (Bytes{0x40, 0xA0, 0x00, 0x00})) << "5 mH";
    const Bytes node20{0x40, 0xA0, 0x00, 0x00, 0x00, 20};
    EXPECT_EQ(module.write("uU.Pn", node20), node20);
    EXPECT_EQ(module.read("uU.Pn", {0x00, 20}), node20);
    const Bytes coefficient79{0x3F, 0x80, 0x00, 0x00, 0x00, 79};
    EXPECT_EQ(module.write("uU.Kf", coefficient79), coefficient79);
    EXPECT_EQ(module.read("uU.Kf", {0x00, 79}), coefficient79);
}

// Energy meters (KQ-21 to KQ-24).

TEST(MeterCalibration, EachStageEndsAfterTheBusyReadsWithTheModelsFlag) {
    struct Case {
        int model;
        Bytes start;
        std::vector<int> stageEnds;
    };
    const Case cases[] = {
        {kKq21, {0x01, 0x00}, {0x02, 0x04, 0x10}},
        {kKq22, {0x01, 0x00}, {0x02, 0x04, 0x40, 0x80}},
        {kKq23, {0x10}, {0x08, 0x04, 0x00}},
        {kKq24, {0x10}, {0x08, 0x04, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Shipped module(c.model);
        EXPECT_EQ(module.refusal("Mode", false, {0x02}), sim::kErrReadOnly) << "only the start value is taken";
        EXPECT_EQ(module.write("Mode", c.start), c.start);
        std::vector<Bytes> expected;
        int shown = c.start.size() == 2 ? c.start[0] << 8 | c.start[1] : c.start[0];
        for (int end : c.stageEnds) {
            expected.insert(expected.end(), 2, status(shown));
            expected.push_back(status(shown = end));
        }
        expected.push_back(status(shown));  // done: it stays
        EXPECT_EQ(module.reads("Mode", static_cast<int>(expected.size())), expected);
    }
}

TEST(MeterCalibration, AFailedStageAddsBit1AndAHangingOneNeverEnds) {
    Shipped module(kKq22);
    module.write("Mode", {0x01, 0x00});
    module.reads("Mode", 3);
    module.settings().failNextJob = 9;
    EXPECT_EQ(module.reads("Mode", 5),
              (std::vector{status(0x02), status(0x02), status(0x05), status(0x05), status(0x05)}));
    EXPECT_FALSE(module.settings().failNextJob);

    module.write("Mode", {0x01, 0x00});
    module.reads("Mode", 3);
    module.settings().hangNextJob = true;  // taken by the next stage
    for (const Bytes& answer : module.reads("Mode", 12)) EXPECT_EQ(answer, status(0x02));
}

// Input modules (KQ-01, KQ-09): the calibration functions, byte by byte.

class InputFunctions : public ::testing::TestWithParam<int> {};

TEST_P(InputFunctions, StartMeasureCheckGetStoreAndLeave) {
    Shipped module(GetParam());
    EXPECT_EQ(module.write("CLB.I", {0x01}), (Bytes{0x01, 0x00}));
    EXPECT_EQ(module.reads("CLB.S", 3), (std::vector<Bytes>{{0x01, 0x00}, {0x01, 0x00}, {0x80, 0x00}}));
    EXPECT_EQ(module.read("CLB.T"), (Bytes{0x00, 0x80, 0x00}));
    EXPECT_EQ(module.read("CLB.G", {0x01}), (Bytes{0x01, 0x3F, 0x80, 0x00, 0x00}));
    EXPECT_EQ(module.read("CLB.G", {0x02}), (Bytes{0x80, 0x20})) << "type 1 finds one coefficient";
    EXPECT_TRUE(module.module.calibrationStore().empty());
    EXPECT_EQ(module.write("CLB.P"), (Bytes{0x40, 0x00}));
    EXPECT_EQ(module.module.calibrationStore(), (sim::CalibrationStore{{"type1.k1", 1.0}}));
    EXPECT_EQ(module.write("CLB.A"), (Bytes{0x00, 0x00}));

    // The four coefficients of type 3; the store keeps what the last calibration of a
    // type found.
    module.settings().busyReads = 0;
    module.write("CLB.I", {0x03});
    EXPECT_EQ(module.read("CLB.S"), (Bytes{0x80, 0x00}));
    EXPECT_EQ(module.read("CLB.G", {0x02}), (Bytes{0x02, 0x3F, 0x7F, 0x7C, 0xEE})) << "0.998";
    EXPECT_EQ(module.read("CLB.G", {0x04}), (Bytes{0x04, 0x3F, 0x7F, 0xBE, 0x77})) << "0.999";
    EXPECT_EQ(module.read("CLB.G", {0x05}), (Bytes{0x80, 0x20}));
}

TEST_P(InputFunctions, TheValveTypeNamesItsInputAndPosition) {
    Shipped module(GetParam());
    module.settings().busyReads = 0;
    for (const std::uint8_t position : {std::uint8_t{0x02}, std::uint8_t{0x82}}) {
        EXPECT_EQ(module.write("CLB.I", {position, 0x04}), (Bytes{0x01, 0x00}));
        module.read("CLB.S");
        EXPECT_EQ(module.write("CLB.P"), (Bytes{0x40, 0x00}));
        module.write("CLB.A");
    }
    EXPECT_EQ(module.module.calibrationStore(),
              (sim::CalibrationStore{{"type4.input3.close.k1", 1.0}, {"type4.input3.open.k1", 1.0}}));
    // The input type of that input, as the procedure sets it: code, 0, channel.
    EXPECT_EQ(module.write("in-t", {26, 0x00, 0x02}), (Bytes{26, 0x00, 0x02}));
    EXPECT_EQ(module.read("in-t", {0x00, 0x02}), (Bytes{26, 0x00, 0x02}));
}

TEST_P(InputFunctions, RefusedStartsAndRequests) {
    struct Case {
        const char* what;
        Bytes data;
        Bytes reply;
    };
    const Case starts[] = {
        {"no such type", {0x05}, {0x00, 13}},
        {"the valve type without its input", {0x04}, {0x00, 12}},
        {"an input for a type without one", {0x01, 0x02}, {0x00, 12}},
        {"an input the module lacks", {0x88, 0x04}, {0x00, 12}},
    };
    for (const Case& c : starts) {
        Shipped module(GetParam());
        EXPECT_EQ(module.write("CLB.I", c.data), c.reply) << c.what;
        EXPECT_EQ(module.read("CLB.S"), c.reply) << c.what << ": nothing runs";
        EXPECT_EQ(module.write("CLB.P"), (Bytes{0x00, 11})) << c.what << ": nothing to store";
    }
    Shipped module(GetParam());
    EXPECT_EQ(module.refusal("CLB.I", false, {}), sim::kErrDataLength);
    EXPECT_EQ(module.refusal("CLB.S", true, {0x01}), sim::kErrDataLength);
    EXPECT_EQ(module.refusal("CLB.G", true, {}), sim::kErrDataLength);
    EXPECT_EQ(module.refusal("CLB.S", false), sim::kErrRequestBit);
    EXPECT_EQ(module.refusal("CLB.P", true), sim::kErrRequestBit);
}

TEST_P(InputFunctions, TheFailureKnobs) {
    struct Case {
        const char* what;
        sim::CalibrationSettings settings;
        Bytes state;   // the last "CLB.S"
        Bytes test;    // "CLB.T"
        Bytes second;  // "CLB.G" 2 of type 2
    };
    const Case cases[] = {
        {"a status asked for", {.failNextJob = 33}, {0x80, 33}, {0x00, 0x80, 33}, {0x80, 0x20}},
        {"too weak a reference", {.signalPercent = 90}, {0x80, 4}, {0x00, 0x80, 4}, {0x80, 0x20}},
        {"too strong a reference", {.signalPercent = 106}, {0x80, 5}, {0x00, 0x80, 5}, {0x80, 0x20}},
        {"an invalid coefficient",
         {.invalidCoefficient = 2},
         {0x80, 0},
         {0x02, 0x80, 0},
         {0x02, 0x3F, 0xBF, 0x9D, 0xB2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shipped module(GetParam());
        module.settings() = c.settings;
        module.write("CLB.I", {0x02});
        EXPECT_EQ(module.reads("CLB.S", 3).back(), c.state);
        EXPECT_EQ(module.read("CLB.T"), c.test);
        EXPECT_EQ(module.read("CLB.G", {0x02}), c.second);
    }
    Shipped module(GetParam());
    module.settings().signalPercent = 98;  // the coefficients make up for it: 1/0.98
    module.write("CLB.I", {0x01});
    module.reads("CLB.S", 3);
    EXPECT_EQ(module.read("CLB.G", {0x01}), (Bytes{0x01, 0x3F, 0x82, 0x9C, 0xBC}));

    module.settings().hangNextJob = true;
    module.write("CLB.I", {0x01});
    for (const Bytes& answer : module.reads("CLB.S", 12)) EXPECT_EQ(answer, (Bytes{0x01, 0x00}));
}

INSTANTIATE_TEST_SUITE_P(Kq01AndKq09, InputFunctions, ::testing::Values(kKq01, kKq09));

// Output modules (KQ-02, KQ-03): the coefficients are ordinary parameters.

TEST(OutputCoefficients, CLBIDrivesOnlyAnOutputThatHasTheCoefficient) {
    for (const auto& [model, last] : {std::pair{kKq02, 15}, std::pair{kKq03, 11}}) {
        SCOPED_TRACE(model);
        Shipped module(model);
        const auto number = static_cast<std::uint8_t>(last);
        EXPECT_EQ(module.write("CLB.I", {number}), Bytes{number});
        EXPECT_EQ(module.refusal("CLB.I", false, {static_cast<std::uint8_t>(last + 1)}), sim::kErrValueForbidden);
        EXPECT_TRUE(module.read("CLB.A").empty());
    }
}

TEST(OutputCoefficients, CLBKKeepsItsValuesLimitsAndAccessAttributes) {
    Shipped module(kKq02);
    const Bytes k3{0x07, 0xD0, 0x00, 0x03};  // 2000
    EXPECT_EQ(module.write("CLB.K", k3), k3);
    EXPECT_EQ(module.read("CLB.K", {0x00, 0x03}), k3);
    EXPECT_EQ(module.refusal("CLB.K", false, {0x10, 0x00, 0x00, 0x03}), sim::kErrValueForbidden) << "4096";

    // Locked by the person: written only after unlocking, then locked again.
    const auto hash = hash_name("CLB.K");
    const auto attributes = [&](std::uint8_t attribute) {
        return module.ask(
            "M.s.t.r.", false,
            {attribute, 0x00, 0x03, static_cast<std::uint8_t>(hash >> 8), static_cast<std::uint8_t>(hash)});
    };
    EXPECT_EQ(attributes(0x02)->data[0], 0x02);
    EXPECT_EQ(module.refusal("CLB.K", false, k3), sim::kErrAttributeReadOnly);
    EXPECT_EQ(attributes(0x03)->data[0], 0x03);
    EXPECT_EQ(module.write("CLB.K", k3), k3);
    EXPECT_EQ(attributes(0x02)->data[0], 0x02);

    // Locked by the company: the line cannot unlock it.
    module.module.parameters().find("CLB.K", 5)->attributes = 0;
    const auto unlock = module.ask(
        "M.s.t.r.", false, {0x03, 0x00, 0x05, static_cast<std::uint8_t>(hash >> 8), static_cast<std::uint8_t>(hash)});
    EXPECT_EQ(unlock->hash, kHashDeviceError);
    EXPECT_EQ(unlock->data, Bytes{sim::kErrAttributeChange});
}

// The state file keeps the calibration's settings and what it stored.
class CalibrationState : public test::TemporaryFolderTest {};

TEST_F(CalibrationState, SettingsAndStoredCoefficientsComeBack) {
    const sim::CalibrationSettings turned{.signalPercent = 2,
                                          .failNextJob = 300,
                                          .hangNextJob = true,
                                          .busyReads = 0,
                                          .slope = 0.97,
                                          .invalidCoefficient = 3};
    {
        Shipped module(kKq08);
        module.settings().busyReads = 0;
        module.settings().signalPercent = 2;
        module.write("JuSh", {0x00});
        module.read("JuRD");
        module.write("Prmn", {0x00});
        module.settings() = turned;
        std::string error;
        ASSERT_TRUE(sim::saveState(path("state.json"), module.module, error)) << error;
    }
    sim::SavedState state{test::shippedTable(kKq08, "2.0")};
    std::string error;
    ASSERT_TRUE(sim::loadState(path("state.json"), state, error)) << error;
    EXPECT_EQ(state.calibration, turned);
    EXPECT_EQ(state.calibrationStore, (sim::CalibrationStore{{"offset", 2.0}}));

    // A person's edit names only the knobs to turn.
    writeFile("edited.json", R"({"calibration": {"fail": 4}})");
    sim::SavedState edited{test::shippedTable(kKq08, "2.0")};
    ASSERT_TRUE(sim::loadState(path("edited.json"), edited, error)) << error;
    EXPECT_EQ(edited.calibration, (sim::CalibrationSettings{.failNextJob = 4}));

    for (const char* bad : {R"({"calibration": {"busy": -1}})", R"({"calibration": {"signal": "high"}})"}) {
        writeFile("bad.json", bad);
        sim::SavedState refused{test::shippedTable(kKq08, "2.0")};
        EXPECT_FALSE(sim::loadState(path("bad.json"), refused, error)) << bad;
    }
}

// The configurator's own exchange makes of the replies what the procedures look for.
TEST(Calibration, TheLinkDecodesWhatTheFamiliesAnswer) {
    struct Exchange {
        const char* name;
        const char* type;
        int index;  // -1: not indexed
        int requestBit;
        const char* value;
        const char* decoded;
    };
    struct Case {
        int model;
        std::vector<Exchange> exchanges;
    };
    const Case cases[] = {
        {kKq08, {{"JuSh", "int", -1, 0, "0", "0"}, {"JuRD", "int", -1, 1, "", "6"}}},
        {kKq20, {{"U.pHL", "float", -1, 0, "7.01", "7.010"}, {"U.Apl", "float", -1, 0, "", "1.020"}}},
        {kKq16, {{"zU.Sh", "void", 3, 0, "", ""}, {"U.Wgh", "void", 1, 0, "", ""}, {"U.Apl", "void", -1, 0, "", ""}}},
        {kKq22, {{"Mode", "int", -1, 0, "256", "256"}, {"Mode", "int", -1, 1, "", "256"}}},
        {kKq02, {{"CLB.I", "int", -1, 0, "7", "7"}, {"CLB.A", "void", -1, 1, "", ""}}},
    };
    for (const Case& c : cases) {
        test::ModuleBench<ParameterLink> bench(c.model, test::shippedTable(c.model, "2.0"));
        for (const Exchange& e : c.exchanges) {
            SCOPED_TRACE(std::string(e.name) + (e.requestBit ? " read" : " written"));
            Parameter parameter(e.name);
            parameter.type = e.type;
            parameter.indexed = e.index >= 0;
            parameter.dataIndex = std::max(e.index, 0);
            parameter.valueText = e.value;
            EXPECT_EQ(bench.link.ExchangeParameter(e.requestBit, &parameter), 0) << parameter.errorText;
            EXPECT_EQ(parameter.valueText, e.decoded);
        }
    }
}

TEST(Calibration, ModelsWithoutOneAnswerTheirParametersAsUsual) {
    Shipped module(3);  // KQ-04
    EXPECT_EQ(module.refusal("JuRD", true), sim::kErrUnknownName);
    EXPECT_EQ(module.refusal("CLB.S", true), sim::kErrUnknownName);
}

}  // namespace
}  // namespace vantor
