#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "platform/settings_store.h"
#include "support/temporary_config_home.h"

namespace vantor {
namespace {

using test::TemporaryConfigHome;

TEST(SettingsFiles, LieUnderTheConfigurationFolderOfTheMoment) {
    TemporaryConfigHome home;
    EXPECT_EQ(SettingsFilePath(SettingsScope::PerUser), home.path() + "/LUMEKO/Vantor.ini");
    EXPECT_EQ(SettingsFilePath(SettingsScope::MachineWide), home.path() + "/LUMEKO/Devices/Vantor.ini");
}

TEST(SettingsFiles, KeepEveryKindOfValueBetweenRuns) {
    TemporaryConfigHome home;
    const SettingsBytes block = {0x00, 0xFF, 0x40, 0x0A, 0x2C};
    // Texts a careless INI writer would break: commas, a leading '@', Cyrillic, '='.
    const std::string texts[] = {"/dev/ttyUSB0", "a, b", "@ByteArray(x)", "Сеть RS-485", "k=v; [x]", ""};
    {
        const auto user = OpenSettings(SettingsScope::PerUser);
        EXPECT_TRUE(user->writeInteger("baud_rate", 115200));
        EXPECT_TRUE(user->writeInteger("largest", 0xFFFFFFFFu));
        EXPECT_TRUE(user->writeBinary("placement", block));
        for (std::size_t i = 0; i < std::size(texts); ++i)
            EXPECT_TRUE(user->writeString("text" + std::to_string(i), texts[i]));
        EXPECT_TRUE(OpenSettings(SettingsScope::MachineWide)->writeString("devices", "Vantor"));
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(home.path() + "/LUMEKO/Vantor.ini"));
    EXPECT_TRUE(std::filesystem::is_regular_file(home.path() + "/LUMEKO/Devices/Vantor.ini"));

    const auto user = OpenSettings(SettingsScope::PerUser);
    EXPECT_EQ(user->readInteger("baud_rate"), 115200u);
    EXPECT_EQ(user->readInteger("largest"), 0xFFFFFFFFu);
    EXPECT_EQ(user->readBinary("placement"), block);
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(user->readString("text" + std::to_string(i)), texts[i]) << texts[i];
    // The two keys are separate.
    EXPECT_EQ(user->readString("devices"), std::nullopt);
    EXPECT_EQ(OpenSettings(SettingsScope::MachineWide)->readString("devices"), "Vantor");
}

TEST(SettingsFiles, ReadAFileAPersonWrote) {
    TemporaryConfigHome home;
    std::filesystem::create_directories(home.path() + "/LUMEKO");
    std::ofstream(home.path() + "/LUMEKO/Vantor.ini") << "[General]\naddress=17\nport_path=/dev/ttyUSB1\n";
    const auto user = OpenSettings(SettingsScope::PerUser);
    EXPECT_EQ(user->readInteger("address"), 17u);
    EXPECT_EQ(user->readString("port_path"), "/dev/ttyUSB1");
}

TEST(SettingsFiles, AWriteThatCannotReachTheDiskFails) {
    TemporaryConfigHome home;
    std::ofstream(home.path() + "/not-a-folder") << "x";
    const auto store = OpenIniSettings(home.path() + "/not-a-folder/settings.ini");
    EXPECT_FALSE(store->writeInteger("address", 16));
    EXPECT_EQ(store->readInteger("address"), std::nullopt);
}

// The kind rules hold for every store alike.
struct StoreMaker {
    const char* name;
    std::function<std::unique_ptr<SettingsStore>(const std::string& folder)> make;
};

class EveryStore : public ::testing::TestWithParam<StoreMaker> {
protected:
    TemporaryConfigHome home_;
    std::unique_ptr<SettingsStore> store_ = GetParam().make(home_.path());
};

TEST_P(EveryStore, IntegersAndDecimalTextsMeetBinaryStaysApart) {
    SettingsStore& store = *store_;
    store.writeInteger("number", 16);
    store.writeString("decimal", "4294967295");
    store.writeBinary("block", SettingsBytes{1, 2});
    EXPECT_EQ(store.readString("number"), "16");
    EXPECT_EQ(store.readInteger("decimal"), 4294967295u);
    EXPECT_EQ(store.readBinary("number"), std::nullopt);
    EXPECT_EQ(store.readString("block"), std::nullopt);
    EXPECT_EQ(store.readInteger("block"), std::nullopt);
    EXPECT_EQ(store.readInteger("missing"), std::nullopt);
    EXPECT_EQ(store.readString("missing"), std::nullopt);
    for (const char* notANumber : {"", "COM3", "12a", " 12", "-1", "4294967296", "0x10"}) {
        store.writeString("text", notANumber);
        EXPECT_EQ(store.readInteger("text"), std::nullopt) << '"' << notANumber << '"';
    }
}

TEST_P(EveryStore, RemovedValuesAreGoneAndRemovingNothingSucceeds) {
    SettingsStore& store = *store_;
    store.writeString("port_path", "/dev/ttyUSB0");
    store.writeInteger("port_number", 2);
    EXPECT_TRUE(store.remove("port_path"));
    EXPECT_TRUE(store.remove("never_written"));
    EXPECT_EQ(store.readString("port_path"), std::nullopt);
    EXPECT_EQ(store.readInteger("port_number"), 2u);
}

TEST_P(EveryStore, AWriteReplacesTheValueWhateverItsKind) {
    SettingsStore& store = *store_;
    store.writeBinary("value", SettingsBytes{7});
    store.writeInteger("value", 3);
    EXPECT_EQ(store.readInteger("value"), 3u);
    EXPECT_EQ(store.readBinary("value"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, EveryStore,
    ::testing::Values(StoreMaker{"Memory", [](const std::string&) { return std::make_unique<MemorySettingsStore>(); }},
                      StoreMaker{"Ini", [](const std::string& folder) { return OpenIniSettings(folder + "/a.ini"); }}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace vantor
