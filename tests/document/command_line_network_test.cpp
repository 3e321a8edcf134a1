#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/command_line_info.h"
#include "document/command_line_network.h"
#include "elements/net_rs485.h"
#include "text/format.h"
#include "text/texts.h"

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

std::string refusedOption(const char* option, const std::string& takes) {
    return FormatTextArgs(Text("IDS_NETWORK_OPTION_REFUSED"), option, takes.c_str());
}

std::string addressRange(int last, const char* bits) {
    return FormatTextArgs(Text("IDS_NETWORK_OPTION_ADDRESS"), last, bits);
}

std::string choices(const char* list) { return FormatTextArgs(Text("IDS_NETWORK_OPTION_CHOICES"), list); }

TEST_F(CommandLineNetwork, SettingsTheElementWouldNotTakeAreRefusedNamingTheOptionAndWhatItTakes) {
    const std::string ports = FormatTextArgs(Text("IDS_NETWORK_OPTION_PORT"), 255);
    const std::string rates = choices("2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200");
    const struct {
        const char* argument;
        std::string refusal;
    } cases[] = {
        {"/read/addr:99999", refusedOption("addr:99999", addressRange(255, "8"))},
        {"/addr:256", refusedOption("addr:256", addressRange(255, "8"))},
        {"/alen:11/addr:2048", refusedOption("addr:2048", addressRange(2047, "11"))},
        {"/addr:-5", refusedOption("addr:-5", addressRange(255, "8"))},
        {"/addr:12x", refusedOption("addr:12x", addressRange(255, "8"))},
        {"/addr:123456", refusedOption("addr:123456", addressRange(255, "8"))},
        {"/port:999999999999", refusedOption("port:999999999999", ports)},
        {"/port:256", refusedOption("port:256", ports)},
        {"/port:-1", refusedOption("port:-1", ports)},
        {"/bps:12345", refusedOption("bps:12345", rates)},
        {"/bps:99999999999", refusedOption("bps:99999999999", rates)},
        {"/len:9", refusedOption("len:9", choices("7, 8"))},
        {"/sbit:3", refusedOption("sbit:3", choices("1, 2"))},
        {"/alen:16", refusedOption("alen:16", choices("8, 11"))},
        {"/prty:even/len:8/sbit:2", Text("IDS_STRING258")},
        {"/prty:no/len:7", Text("IDS_STRING258")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineNetworkRefusal(settingsOf(c.argument), program), c.refusal) << c.argument;
}

TEST_F(CommandLineNetwork, SettingsTheElementTakesPassAndAnAddressIsHeldInDecimal) {
    for (const char* argument : {"/read", "/addr:0", "/addr:255", "/alen:11/addr:0x7ff", "/port:255/bps:115200",
                                 "/prty:odd/len:7/sbit:2", "/bps:x", "/port:0"})
        EXPECT_EQ(CommandLineNetworkRefusal(settingsOf(argument), program), "") << argument;
    EXPECT_TRUE(ApplyCommandLineNetworkSettings(settingsOf("/aply/alen:11/addr:0x7ff"), program, &network));
    EXPECT_EQ(program.GetParameterText("Addr"), "2047");
    EXPECT_EQ(network.GetParameterText("Addr"), "2047");
}

}  // namespace
}  // namespace vantor
