#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "description/catalogue.h"
#include "params/type_names.h"
#include "sim/description_table.h"
#include "sim/device_errors.h"
#include "sim/module_fixture.h"
#include "sim/state_file.h"
#include "sim/state_values.h"
#include "sim/value_rules.h"

namespace vantor {
namespace {

using sim::kErrParameterIndex;
using sim::kErrReadOnly;
using sim::kErrUnknownName;
using sim::kErrValueForbidden;
using sim::loadState;
using sim::ModuleHooks;
using sim::ModuleParameter;
using sim::ModuleReply;
using sim::ModuleRequest;
using sim::numericValue;
using sim::ParameterTable;
using sim::SavedState;
using sim::saveState;
using sim::tableFromDescription;
using test::ModuleFixture;
using test::parameter;
using test::smallTable;

ModuleParameter stateParameter(const std::string& name, const std::string& type, Bytes value, bool readOnly,
                               int offset) {
    ModuleParameter p = parameter(name, type, std::move(value));
    p.changesOverTime = true;
    p.readOnly = readOnly;
    p.addressOffset = offset;
    return p;
}

TEST(ModuleState, ValuesMoveWithTheClock) {
    ParameterTable table;
    table.add(stateParameter("r.Cou", "int", {0x00, 0x0A}, false, 0));
    table.add(stateParameter("r.cn", "int", {0x00}, true, 1));
    table.add(stateParameter("rEAd", "float", {0x41, 0xA0, 0x00, 0x00}, true, 2));  // 20.0
    table.add(stateParameter("s.do", "int", {0x05}, false, 0));
    ModuleFixture fixture(16, 8, std::move(table));
    const auto readAt = [&](int address, const char* name) { return fixture.askAt(address, name, true)->data; };

    EXPECT_EQ(readAt(16, "r.Cou"), (Bytes{0x00, 0x0A}));
    EXPECT_EQ(readAt(17, "r.cn"), Bytes{0x02}) << "status bits take turns, channel 1 starts one on";
    const Bytes reading = readAt(18, "rEAd");
    fixture.clock.advance(3000);
    EXPECT_EQ(readAt(16, "r.Cou"), (Bytes{0x00, 0x0D})) << "a counter counts once a second";
    EXPECT_EQ(readAt(17, "r.cn"), Bytes{0x01});
    EXPECT_NE(readAt(18, "rEAd"), reading);
    EXPECT_EQ(readAt(16, "s.do"), Bytes{0x05}) << "what the person writes stays put";

    // A reading drifts around where it started, by a twentieth of its size.
    const ModuleParameter* rEAd = fixture.module.parameters().find("rEAd", std::nullopt, 2);
    for (int step = 0; step < 20; ++step) {
        fixture.clock.advance(700);
        const double value = numericValue(*rEAd, readAt(18, "rEAd"));
        EXPECT_GE(value, 19.0 - 1e-3);
        EXPECT_LE(value, 21.0 + 1e-3);
    }
    // Writing a counter sets where it counts from.
    EXPECT_EQ(fixture.ask("r.Cou", false, {0x00, 0x00})->data, (Bytes{0x00, 0x00}));
    fixture.clock.advance(2000);
    EXPECT_EQ(readAt(16, "r.Cou"), (Bytes{0x00, 0x02}));
}

TEST(ModuleHooksTest, AFamilyTakesOverRequestsAndHearsOfWrites) {
    struct CalibrationJob : ModuleHooks {
        std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable&, std::int64_t) override {
            if (request.hash != hash_name("clb.s")) return std::nullopt;
            return ModuleReply{request.hash, {0x01}};
        }
        void written(ModuleParameter& parameter, std::int64_t) override { writes.push_back(parameter.name); }
        std::vector<std::string> writes;
    };
    ModuleFixture fixture(16);
    auto job = std::make_unique<CalibrationJob>();
    auto* seen = job.get();
    fixture.module.setHooks(std::move(job));
    EXPECT_EQ(fixture.ask("clb.s", true)->data, Bytes{0x01});
    EXPECT_EQ(fixture.ask("Cnt", false, {0x09})->data, Bytes{0x09});
    EXPECT_EQ(seen->writes, std::vector<std::string>{"Cnt"});
}

TEST(ModuleFromDescription, ScannedValuesNetworkNameAndReadOnlyParameters) {
    std::string error;
    auto table = tableFromDescription(0, std::string(VANTOR_BIN_DIR) + "/vantor.dat", "1.0", error);
    ASSERT_TRUE(table) << error;
    ModuleFixture fixture(16, 8, std::move(*table), 0);

    // The sampled readings answer at the module address plus their channel, 0 to 7.
    const int offset = fixture.module.parameters().maxAddressOffset();
    ASSERT_EQ(offset, 7);
    const auto sampled = fixture.askAt(16 + offset, "rEAd", true);
    ASSERT_TRUE(sampled);
    EXPECT_EQ(sampled->hash, hash_name("rEAd"));
    EXPECT_EQ(sampled->address, 16 + offset);
    EXPECT_FALSE(fixture.askAt(16 + offset + 1, "rEAd", true));
    EXPECT_EQ(fixture.askAt(16, "rEAd", false, {0, 0, 0, 0})->data, Bytes{kErrReadOnly});

    // "CHAr*" is kept as four character codes "CHAr", indexed from its data index.
    EXPECT_EQ(fixture.ask("CHAr", false, {20, 0x00, 0x00})->data, (Bytes{20, 0x00, 0x00}));  // 'A'
    EXPECT_EQ(fixture.ask("CHAr", true, {0x00, 0x03})->data.size(), 3u);
    EXPECT_EQ(fixture.ask("CHAr", true, {0x00, 0x04})->data, Bytes{kErrParameterIndex});
    EXPECT_EQ(fixture.ask("CHAr", false, {80, 0x00, 0x01})->data, Bytes{kErrValueForbidden});
}

// One-shot commands and calibration functions are declared in the description but
// placed in no branch; the module knows them, and only the commands and network
// settings its model declares.
TEST(ModuleFromDescription, AnswersTheDeclaredParametersNoBranchHolds) {
    struct Case {
        const char* model;
        const char* name;
        Bytes written;
        std::uint16_t hash;  // the reply's
        Bytes data;
    };
    const Case cases[] = {
        {"KQ-04", "Cnt.R", {}, hash_name("Cnt.R"), {}},
        {"KQ-08", "JuSh", {0x01}, hash_name("JuSh"), {0x01}},
        {"KQ-13", "S.Def", {}, hash_name("S.Def"), {}},
        {"KQ-15", "U.Wgh", {}, hash_name("U.Wgh"), {}},
        {"KQ-02", "CLB.I", {0x01}, hash_name("CLB.I"), {0x01}},
        {"KQ-07", "INIT", {}, kHashDeviceError, {kErrUnknownName}},
        {"KQ-01", "LEn", {0x00}, hash_name("LEn"), {0x00}},             // 7 data bits
        {"KQ-08", "LEn", {0x00}, kHashDeviceError, {kErrUnknownName}},  // fixed at 8
        {"KQ-01", "S.Def", {}, kHashDeviceError, {kErrUnknownName}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.name);
        std::string error;
        const int model = findModel(c.model);
        auto table = tableFromDescription(model, std::string(VANTOR_BIN_DIR) + "/vantor.dat", "2.0", error);
        ASSERT_TRUE(table) << error;
        ModuleFixture fixture(16, 8, std::move(*table), model);
        const auto reply = fixture.ask(c.name, false, c.written);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->hash, c.hash);
        EXPECT_EQ(reply->data, c.data);
    }
}

TEST(ModuleFromDescription, BroadcastInitRestartsOnlyAModuleThatHasInit) {
    for (const auto& [model, restarts] : {std::pair{"KQ-01", 1}, std::pair{"KQ-07", 0}}) {
        std::string error;
        const int index = findModel(model);
        auto table = tableFromDescription(index, std::string(VANTOR_BIN_DIR) + "/vantor.dat", "2.0", error);
        ASSERT_TRUE(table) << error;
        ModuleFixture fixture(16, 8, std::move(*table), index);
        EXPECT_FALSE(fixture.askAt(255, "INIT", false)) << model;
        EXPECT_EQ(fixture.module.restarts(), restarts) << model;
    }
}

// The configurator decodes what the module answers for a reading by the rules of the
// module's model; the text it shows is the module's value.
std::string decodedAs(int model, const ModuleParameter& parameter, const Bytes& reply) {
    MyConverter codec(parameter.name);
    codec.type = parameter.type;
    std::string text;
    const int result = codec.ConvertFromData(reply, text, CodecContext::ofModel(model));
    return result == kConvertOk ? text : "failed: " + text;
}

TEST(ModuleReadings, TheConfiguratorShowsTheValueTheModuleHolds) {
    struct Case {
        const char* model;
        std::size_t replyLength;
    };
    // KQ-01 answers a float reading in six bytes, KQ-02 in the plain four.
    for (const Case& c : {Case{"KQ-01", 6}, Case{"KQ-02", 4}}) {
        const int model = findModel(c.model);
        ParameterTable table;
        table.add(parameter("rEAd", "float", {0x41, 0x20, 0x00, 0x00}));  // 10.0
        ModuleFixture fixture(16, 8, std::move(table), model);
        const Bytes reply = fixture.ask("rEAd", true)->data;
        EXPECT_EQ(reply.size(), c.replyLength) << c.model;
        EXPECT_EQ(decodedAs(model, *fixture.module.parameters().find("rEAd"), reply), "10.000") << c.model;
    }
}

TEST(ModuleReadings, EveryReadingOfTheMeasuringModelsDecodesToItsValue) {
    // The models and their readings: one "rEAd" per channel, or "rEAd", "iRD" and "iRDt".
    const std::pair<const char*, int> models[] = {{"KQ-01", 8}, {"KQ-08", 3}, {"KQ-09", 8}, {"KQ-13", 3}, {"KQ-19", 3}};
    for (const auto& [name, count] : models) {
        const int model = findModel(name);
        std::string error;
        auto table = tableFromDescription(model, std::string(VANTOR_BIN_DIR) + "/vantor.dat", "2.0", error);
        ASSERT_TRUE(table) << error;
        ModuleFixture fixture(16, 8, std::move(*table), model);
        fixture.clock.advance(1234);
        int readings = 0;
        for (const ModuleParameter& p : fixture.module.parameters().all()) {
            if (!equalsIgnoringCase(p.name, "rEAd") && !equalsIgnoringCase(p.name, "iRD") &&
                !equalsIgnoringCase(p.name, "iRDt"))
                continue;
            SCOPED_TRACE(std::string(name) + " " + p.name + " at +" + std::to_string(p.addressOffset));
            const Bytes index{static_cast<std::uint8_t>(p.dataIndex >> 8), static_cast<std::uint8_t>(p.dataIndex)};
            Bytes reply = fixture.askAt(16 + p.addressOffset, p.name, true, p.indexed ? index : Bytes{})->data;
            if (p.indexed) reply.resize(reply.size() - 2);
            // The number the module means: the float or the signed whole number in front.
            const double meant =
                numericValue(p, Bytes(reply.begin(), reply.begin() + std::min<std::ptrdiff_t>(reply.size(), 4)));
            const std::string shown = decodedAs(model, p, reply);
            char expected[64];
            std::snprintf(expected, sizeof expected, classifyType(p.type) == TypeKind::Float ? "%.3f" : "%.0f", meant);
            EXPECT_EQ(shown, expected);
            ++readings;
        }
        EXPECT_EQ(readings, count) << name;
    }
}

TEST(ModuleStateFile, KeepsValuesAttributesAndSettings) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vantor-sim-state-" + std::to_string(getpid()) + ".json")).string();
    {
        ModuleFixture fixture(16);
        fixture.ask("Gain", false, {0x42, 0x48, 0x00, 0x00});
        fixture.ask("Lvl", false, {0x21, 0x00, 0x02});
        fixture.ask("M.s.t.r.", false,
                    {0x02, 0x00, 0x01, static_cast<std::uint8_t>(hash_name("Lvl") >> 8),
                     static_cast<std::uint8_t>(hash_name("Lvl") & 0xFF)});
        std::string error;
        ASSERT_TRUE(saveState(path, fixture.module, error)) << error;
    }
    SavedState state{smallTable()};
    std::string error;
    ASSERT_TRUE(loadState(path, state, error)) << error;
    EXPECT_TRUE(state.hasSettings);
    EXPECT_EQ(state.settings.address, 16);
    EXPECT_EQ(state.table.find("Gain")->value, (Bytes{0x42, 0x48, 0x00, 0x00}));
    EXPECT_EQ(state.table.find("Lvl", 2)->value, Bytes{0x21});
    EXPECT_EQ(state.table.find("Lvl", 1)->attributes, 0x02);
    EXPECT_EQ(state.table.find("Lvl", 0)->attributes, 0x03);

    // A value given as text is encoded by its type; a broken file is refused.
    std::ofstream(path) << R"({"parameters": [{"name": "Gain", "value": "12.5"}]})";
    ASSERT_TRUE(loadState(path, state, error)) << error;
    EXPECT_EQ(state.table.find("Gain")->value, (Bytes{0x41, 0x48, 0x00, 0x00}));
    std::ofstream(path) << "{ not json";
    EXPECT_FALSE(loadState(path, state, error));
    EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
    std::filesystem::remove(path);
}

TEST(ModuleStateFile, RefusesWhatNoModuleHolds) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vantor-sim-bad-state-" + std::to_string(getpid()) + ".json"))
            .string();
    const std::string settings = R"("alen": 8, "parity": "none", "dataBits": 8, "stopBits": 1)";
    struct Case {
        std::string file;
        const char* reason;
    };
    const Case cases[] = {
        {R"({"settings": {"address": 16, "baud": 0, )" + settings + "}}",
         "a module runs at 2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200 baud, not 0"},
        {R"({"settings": {"address": 300, "baud": 9600, )" + settings + "}}",
         "the address 300 does not fit 8-bit addressing (0 to 255)"},
        {R"({"parameters": [{"name": "Gain", "data": "00112233445566778899AABBCCDDEEFF"}]})",
         "Gain: 16 data bytes do not fit a reply"},
        {R"({"parameters": [{"name": "Lvl", "index": 1, "data": "00112233445566778899AABBCCDD"}]})",
         "Lvl: 14 data bytes do not fit a reply"},
    };
    for (const Case& c : cases) {
        std::ofstream(path) << c.file;
        SavedState state{smallTable()};
        std::string error;
        EXPECT_FALSE(loadState(path, state, error)) << c.file;
        EXPECT_EQ(error, path + ": " + c.reason);
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace vantor
