#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/command_line_info.h"
#include "document/command_line_network.h"
#include "elements/net_rs485.h"

namespace vantor {
namespace {

using Texts = std::vector<std::string>;

CommandLineSettings settingsOf(const std::string& argument) {
    CommandLineSettings settings;
    std::string file;
    std::string log;
    CmyCommandLineInfo(settings, file, log).ParseParam(argument);
    return settings;
}

Texts valueTexts(const ObjectWithParameters& element) {
    Texts texts;
    for (const auto& p : element.parameters()) texts.push_back(p->valueText);
    return texts;
}

// The module's network parameters, noting the settings put into them in order.
class RecordingNetwork : public NetRS485 {
public:
    int SetParameterText(std::string_view name, const std::string& text) override {
        setNames.emplace_back(name);
        return NetRS485::SetParameterText(name, text);
    }
    Texts setNames;
};

class CommandLineNetwork : public ::testing::Test {
protected:
    void SetUp() override {
        program.InitParameters();
        network.InitParameters();
    }
    NetRS485prg program{std::make_shared<MemorySettingsStore>()};
    RecordingNetwork network;
};

//                           bPS     LEn   PrtY    Sbit  A.Len  Addr  Port
const Texts kStoredProgram = {"9600", "8", "none", "1", "8", "16", "/dev/ttyS0"};
const Texts kUntouchedNetwork = Texts(6, "no data");

TEST_F(CommandLineNetwork, EverySettingGivenGoesToTheProgramAndWithAplyToTheModuleInOrder) {
    const CommandLineSettings settings = settingsOf("/aply/port:3/prty:even/sbit:2/len:7/bps:19200/alen:11/addr:31");
    EXPECT_TRUE(ApplyCommandLineNetworkSettings(settings, program, &network));
    EXPECT_EQ(valueTexts(program), (Texts{"19200", "7", "even", "2", "11", "31", "/dev/ttyS2"}));
    EXPECT_EQ(network.setNames, (Texts{"Addr", "A.Len", "bPS", "LEn", "Sbit", "PrtY"}));
    EXPECT_EQ(valueTexts(network), (Texts{"19200", "7", "even", "2", "11", "31"}));
}

TEST_F(CommandLineNetwork, WithoutAplyTheModulesParametersAreLeftAlone) {
    const CommandLineSettings settings = settingsOf("/bps:0x4B00/prty:odd/port:12");
    EXPECT_TRUE(ApplyCommandLineNetworkSettings(settings, program, &network));
    EXPECT_EQ(valueTexts(program), (Texts{"19200", "8", "odd", "1", "8", "16", "/dev/ttyS11"}));
    EXPECT_EQ(network.setNames, Texts{});
    EXPECT_EQ(valueTexts(network), kUntouchedNetwork);
}

TEST_F(CommandLineNetwork, OnlyTheSettingsGivenAreSet) {
    const struct {
        const char* argument;
        Texts program;
        Texts networkNames;
    } cases[] = {
        {"/aply/prty:no", {"9600", "8", "none", "1", "8", "16", "/dev/ttyS0"}, {"PrtY"}},
        {"/aply/port:2", {"9600", "8", "none", "1", "8", "16", "/dev/ttyS1"}, {}},
        {"/aply/addr:200/len:0", {"9600", "8", "none", "1", "8", "200", "/dev/ttyS0"}, {"Addr"}},
    };
    for (const auto& c : cases) {
        NetRS485prg fresh{std::make_shared<MemorySettingsStore>()};
        fresh.InitParameters();
        RecordingNetwork module;
        module.InitParameters();
        EXPECT_TRUE(ApplyCommandLineNetworkSettings(settingsOf(c.argument), fresh, &module)) << c.argument;
        EXPECT_EQ(valueTexts(fresh), c.program) << c.argument;
        EXPECT_EQ(module.setNames, c.networkNames) << c.argument;
    }
}

TEST_F(CommandLineNetwork, NothingIsSetWhenNoNetworkSettingIsInForce) {
    for (const char* argument : {"/aply/read", "/aply/port:3/prty:mark", "/aply/port:0/bps:x", "/addr:"}) {
        EXPECT_FALSE(ApplyCommandLineNetworkSettings(settingsOf(argument), program, &network)) << argument;
        EXPECT_EQ(valueTexts(program), kStoredProgram) << argument;
        EXPECT_EQ(network.setNames, Texts{}) << argument;
    }
    EXPECT_EQ(program.HasChanges(), 0);
}

TEST_F(CommandLineNetwork, AplyWithoutANetworkBranchSetsTheProgramOnly) {
    EXPECT_TRUE(ApplyCommandLineNetworkSettings(settingsOf("/aply/bps:115200"), program, nullptr));
    EXPECT_EQ(program.GetParameterText("bPS"), "115200");
}

}  // namespace
}  // namespace vantor
