// vantorctl calibrate against vantor-sim: the steps of the offset-and-scale calibration
// as they reach the module, and what the person is told.

#include <gtest/gtest.h>

#include <map>

#include "e2e/sim_session.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

// Waits of a millisecond between the polls of the job's result.
const std::vector<std::string> kQuickPolls{"--first-poll-ms", "1", "--poll-ms", "1"};

class Calibrate : public test::SimSession {
protected:
    explicit Calibrate(const std::string& model = "KQ-08", const std::vector<std::string>& simArgs = {})
        : SimSession(model, simArgs) {}

    test::ProgramRun calibrate(std::vector<std::string> args) {
        args.insert(args.begin(), kQuickPolls.begin(), kQuickPolls.end());
        return ctl("calibrate", args);
    }
    // The calibration's requests the module received, by name, in order; a read of the
    // input type as "read in-t".
    std::vector<std::string> calibrationRequests() const {
        std::map<std::uint16_t, std::string> names;
        for (const char* name : {"in-t", "JuSh", "JuSc", "JuRD", "Prmn", "UApl"}) names[hash_name(name)] = name;
        std::vector<std::string> requests;
        for (const ReceivedFrame& frame : requestFrames()) {
            const auto it = names.find(frame.hash);
            if (it == names.end()) continue;
            const bool inputTypeRead = it->second == "in-t" && frame.requestBit();
            requests.push_back(inputTypeRead ? "read in-t" : it->second);
        }
        return requests;
    }
};

TEST_F(Calibrate, OffsetScaleAndSaveReachTheModuleInOrder) {
    test::ProgramRun run = calibrate({"--code", "936", "--sensor", "0-20 MA", "offset"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Offset calibration done\n");
    run = calibrate({"--code", "936", "scale"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Scale calibration done\n");
    run = calibrate({"--code", "936", "save"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Calibration coefficients saved\n");

    // The module answers busy twice before a job ends.
    EXPECT_EQ(calibrationRequests(), (std::vector<std::string>{"read in-t", "in-t", "JuSh", "JuRD", "JuRD", "JuRD",
                                                               "JuSc", "JuRD", "JuRD", "JuRD", "Prmn", "UApl"}));
    EXPECT_EQ(ctl("get", {"in-t"}).out, "in-t\t0-20 mA\n");
}

// Each step is a run of its own: the type the module already holds is not written again
// between offset and scale (a module may discard the offset found when it is).
TEST_F(Calibrate, TheSensorIsWrittenOnlyWhenTheModuleHoldsAnotherType) {
    for (const char* step : {"offset", "scale"}) {
        const test::ProgramRun run = calibrate({"--code", "936", "--sensor", "0-20 mA", step});
        EXPECT_EQ(run.status, 0) << step << run.err;
    }
    EXPECT_EQ(calibrationRequests(), (std::vector<std::string>{"read in-t", "in-t", "JuSh", "JuRD", "JuRD", "JuRD",
                                                               "read in-t", "JuSc", "JuRD", "JuRD", "JuRD"}));
}

TEST_F(Calibrate, AWrongCodeSendsNothingAndABadSensorNamesTheChoices) {
    test::ProgramRun run = calibrate({"--code", "963", "offset"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Wrong access code\n");
    EXPECT_EQ(loggedFrames(), 0u);

    run = calibrate({"--code", "936", "--sensor", "off", "offset"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("vantorctl calibrate: --sensor takes one of: 4-20 mA, 0-20 mA, 0-5 mA, 0-1 V, 0-10 V, "
                            "-50...+50 mV\n",
                            0),
              0u)
        << run.err;
    EXPECT_TRUE(calibrationRequests().empty());
}

class FailingCalibrate : public Calibrate {
protected:
    FailingCalibrate() : Calibrate("KQ-19", {"--calibration", "fail=4"}) {}
};

TEST_F(FailingCalibrate, TheModulesRefusalIsTheErrorPagesText) {
    test::ProgramRun run = calibrate({"--code", "936", "offset"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "Input signal unstable, repeat the operation\n");
    // The failure was that job's: the next one succeeds.
    run = calibrate({"--code", "936", "offset"});
    EXPECT_EQ(run.status, 0) << run.err;
}

class CalibrateOtherModel : public Calibrate {
protected:
    CalibrateOtherModel() : Calibrate("KQ-16") {}
};

TEST_F(CalibrateOtherModel, IsRefusedBeforeAnyJob) {
    const test::ProgramRun run = calibrate({"--code", "936", "offset"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vantorctl calibrate: KQ-16 has no offset-and-scale calibration (KQ-08 and KQ-19 have)\n");
    EXPECT_TRUE(calibrationRequests().empty());
}

}  // namespace
}  // namespace vantor
