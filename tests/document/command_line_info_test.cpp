#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/command_line_info.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

struct Parsed {
    CommandLineSettings settings;
    std::string file;
    std::string errorLog;
    std::string exitEvent;
    std::string unwritableLog;
};

Parsed parse(const std::vector<std::string>& arguments) {
    Parsed parsed;
    CmyCommandLineInfo info(parsed.settings, parsed.file, parsed.errorLog);
    for (const std::string& argument : arguments) info.ParseParam(argument);
    parsed.exitEvent = info.exitEventName();
    parsed.unwritableLog = info.unwritableErrorLog();
    return parsed;
}

std::string joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) text += "[" + argument + "]";
    return text;
}

TEST(CommandLineInfo, OneMixedCaseArgumentAskingForAReadJobAndAFileInItsCase) {
    const Parsed p = parse({"/READ/Port:3/BPS:9600", "Line4.Vantor"});
    EXPECT_EQ(p.settings.options, kOptRead | kOptNetworkGiven | kOptCommandLineMode);
    EXPECT_EQ(p.settings.port, 3);
    EXPECT_EQ(p.settings.baudRate, 9600u);
    EXPECT_EQ(p.file, "Line4.Vantor");
}

TEST(CommandLineInfo, AnInvalidParityVoidsTheNetworkSettingsGivenBeforeIt) {
    const struct {
        std::vector<std::string> arguments;
        bool networkGiven;
        std::uint8_t parity;
    } cases[] = {
        {{"/prty:mark/port:3"}, true, 0},
        {{"/port:3/prty:mark"}, false, 0},
        {{"/port:3", "-prty:mark"}, false, 0},
        {{"/port:3/prty:mark/bps:9600"}, true, 0},
        {{"/prty:EVEN"}, true, kParityOptionEven},
        {{"/prty:odd"}, true, kParityOptionOdd},
        {{"/prty:no"}, true, kParityOptionNone},
        {{"/prty:none"}, false, 0},
        // The earlier parity stays in the record; the bit decides whether any applies.
        {{"/prty:odd/prty:"}, false, kParityOptionOdd},
    };
    for (const auto& c : cases) {
        const Parsed p = parse(c.arguments);
        EXPECT_EQ((p.settings.options & kOptNetworkGiven) != 0, c.networkGiven) << joined(c.arguments);
        EXPECT_EQ(p.settings.parity, c.parity) << joined(c.arguments);
        EXPECT_TRUE(p.settings.options & kOptCommandLineMode);
    }
}

TEST(CommandLineInfo, NumbersAreReadAsPercentIReadsThem) {
    const struct {
        const char* value;
        int port;        // 8 bits
        long long baud;  // 32 bits, unsigned
        std::int32_t x;  // 32 bits, signed
    } cases[] = {
        {"16", 16, 16, 16},
        {"0x10", 16, 16, 16},
        {"0X1f", 31, 31, 31},
        {"010", 8, 8, 8},
        {"09", 0, 0, 0},  // "0" then a digit octal does not have
        {"12abc", 12, 12, 12},
        {" +7", 7, 7, 7},
        {"abc", 0, 0, 0},
        {"", 0, 0, 0},
        {"0x", 0, 0, 0},
        // Numbers the field cannot hold count as not given, never wrapped.
        {"-1", 0, 0, -1},
        {"256", 0, 256, 256},
        {"4294967295", 0, 4294967295, 0},
        {"4294967296", 0, 0, 0},
        {"99999999999999999999", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const std::string v = c.value;
        const Parsed p = parse({"/port:" + v + "/bps:" + v + "/x:" + v});
        EXPECT_EQ(p.settings.port, c.port) << v;
        EXPECT_EQ(p.settings.baudRate, c.baud) << v;
        EXPECT_EQ(p.settings.x, c.x) << v;
        EXPECT_TRUE(p.settings.options & kOptNetworkGiven) << v;
        EXPECT_EQ(p.settings.geometry, kGeometryX) << v;
    }
}

TEST(CommandLineInfo, EveryOptionAndItsFieldOrBit) {
    const struct {
        const char* argument;
        std::uint32_t options;  // beside command-line mode
        std::uint8_t mode;
        std::uint8_t geometry;
        std::uint8_t adapterMode;
    } cases[] = {
        {"/read", kOptRead, 0, 0, 0},
        {"/write", kOptWrite, 0, 0, 0},
        {"/calibrate", kOptCalibrate, 0, 0, 0},
        {"/close", kOptClose, 0, 0, 0},
        {"/aply", kOptAply, 0, 0, 0},
        {"/read:now", kOptRead, 0, 0, 0},
        {"/len:7/alen:11", kOptNetworkGiven, 0, 0, 0},
        {"/rs485:auto", 0, 0, 0, kAdapterOptionAuto},
        {"/rs485:off", 0, 0, 0, kAdapterOptionOff},
        {"/rs485:ON", 0, 0, 0, kAdapterOptionOn},
        {"/rs485:maybe", 0, 0, 0, 0},
        {"/autoread:on", 0, kModeAutoreadOn, 0, 0},
        {"/autoread:off", 0, kModeAutoreadOff, 0, 0},
        {"/autoread:off/autoread:on", 0, kModeAutoreadOn, 0, 0},
        {"/autoread", 0, 0, 0, 0},
        {"/silent", 0, kModeAutoreadOff | kModeSilent, 0, 0},
        {"/silent/autoread:on", 0, kModeAutoreadOn | kModeSilent, 0, 0},
        {"/test", 0, kModeTest, 0, 0},
        {"/x:1/y:2", 0, 0, kGeometryX | kGeometryY, 0},
        {"-w:0/h:0", 0, 0, kGeometryW | kGeometryH, 0},
        // Unknown options and names compared whole switch on command-line mode only.
        {"-frobnicate", 0, 0, 0, 0},
        {"/close/frobnicate:1", kOptClose, 0, 0, 0},
        {"-readall:1", 0, 0, 0, 0},
        {"/read/", kOptRead, 0, 0, 0},
        {"-//close//", kOptClose, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const Parsed p = parse({c.argument});
        EXPECT_EQ(p.settings.options, c.options | kOptCommandLineMode) << c.argument;
        EXPECT_EQ(p.settings.mode, c.mode) << c.argument;
        EXPECT_EQ(p.settings.geometry, c.geometry) << c.argument;
        EXPECT_EQ(p.settings.adapterMode, c.adapterMode) << c.argument;
        EXPECT_EQ(p.file, "") << c.argument;
    }
    const Parsed geometry = parse({"/x:10/y:-20/w:0x320/h:600"});
    EXPECT_EQ(geometry.settings.x, 10);
    EXPECT_EQ(geometry.settings.y, -20);
    EXPECT_EQ(geometry.settings.w, 800);
    EXPECT_EQ(geometry.settings.h, 600);
    const Parsed line = parse({"/len:7/alen:11"});
    EXPECT_EQ(line.settings.dataBits, 7);
    EXPECT_EQ(line.settings.addressLength, 11);
}

TEST(CommandLineInfo, AnEmptyOptionArgumentChangesNothing) {
    for (const char* argument : {"/", "-", "//", ""}) {
        const Parsed p = parse({argument});
        EXPECT_EQ(p.settings.options, 0u) << argument;
        EXPECT_EQ(p.file, "") << argument;
    }
}

TEST(CommandLineInfo, AddressAndStopBitsTakeNonEmptyTextsTheRecordHolds) {
    const struct {
        const char* argument;
        const char* address;
        const char* stopBits;
        bool networkGiven;
    } cases[] = {
        {"/addr:12", "12", "", true},     {"/addr:0x7ff", "0x7ff", "", true},
        {"/addr:123456", "", "", false},  {"/addr:", "", "", false},
        {"/addr", "", "", false},         {"/sbit:2", "", "2", true},
        {"/sbit:1.50", "", "1.50", true}, {"/sbit:1.500", "", "", false},
        {"/sbit:", "", "", false},        {"/addr:12/addr:999999", "12", "", true},
    };
    for (const auto& c : cases) {
        const Parsed p = parse({c.argument});
        EXPECT_EQ(p.settings.address, c.address) << c.argument;
        EXPECT_EQ(p.settings.stopBits, c.stopBits) << c.argument;
        EXPECT_EQ((p.settings.options & kOptNetworkGiven) != 0, c.networkGiven) << c.argument;
    }
}

TEST(CommandLineInfo, NetworkValuesTheRecordCannotHoldAreNotedForRefusal) {
    const struct {
        const char* argument;
        const char* refused;
    } cases[] = {
        {"/port:999999999999", "port:999999999999"},
        {"/port:256", "port:256"},
        {"/bps:4294967296", "bps:4294967296"},
        {"/len:-1", "len:-1"},
        {"/alen:300", "alen:300"},
        {"/addr:123456", "addr:123456"},
        {"/sbit:1.500", "sbit:1.500"},
        {"/port:x", ""},
        {"/port:0", ""},
        {"/port:3/bps:9600/addr:12", ""},
        {"/x:99999999999", ""},
        {"/addr:", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(parse({c.argument}).settings.refusedNetworkOption, c.refused) << c.argument;
}

TEST(CommandLineInfo, WhichArgumentIsTheFile) {
    const struct {
        std::vector<std::string> arguments;
        const char* file;
        std::uint32_t options;
    } cases[] = {
        {{"/srv/cfg/line4.vantor"}, "/srv/cfg/line4.vantor", 0},
        {{"/read/close"}, "", kOptRead | kOptClose | kOptCommandLineMode},
        {{"/Read/Close", "/srv/A.vantor"}, "/srv/A.vantor", kOptRead | kOptClose | kOptCommandLineMode},
        {{"/read.vantor"}, "/read.vantor", 0},
        {{"/frobnicate"}, "/frobnicate", 0},
        {{"/port:3x/a"}, "", kOptNetworkGiven | kOptCommandLineMode},
        {{"--", "/read"}, "/read", 0},
        {{"/write", "--", "-x.vantor", "/read"}, "-x.vantor", kOptWrite | kOptCommandLineMode},
        {{"first.vantor", "second.vantor", "/close"}, "first.vantor", kOptClose | kOptCommandLineMode},
        {{"", "cfg/Line.vantor"}, "cfg/Line.vantor", 0},
    };
    for (const auto& c : cases) {
        const Parsed p = parse(c.arguments);
        EXPECT_EQ(p.file, c.file) << joined(c.arguments);
        EXPECT_EQ(p.settings.options, c.options) << joined(c.arguments);
    }
}

TEST(CommandLineInfo, ParseCommandLineSkipsTheProgramName) {
    CommandLineSettings settings;
    std::string file;
    std::string log;
    const char* argv[] = {"/usr/bin/vantor", "/write/close", "Plant.vantor"};
    CmyCommandLineInfo(settings, file, log).ParseCommandLine(3, argv);
    EXPECT_EQ(settings.options, kOptWrite | kOptClose | kOptCommandLineMode);
    EXPECT_EQ(file, "Plant.vantor");
}

using CommandLineNamedValues = test::TemporaryFolderTest;

TEST_F(CommandLineNamedValues, TheErrorLogIsEmptiedAtOnceWithItsPathAsGiven) {
    const std::string log = path("Errors.LOG");
    writeFile("Errors.LOG", "old run\n");
    const Parsed p = parse({"/read/elog:\"" + log + "\"", "Line.vantor"});
    EXPECT_EQ(p.errorLog, log);
    EXPECT_EQ(p.unwritableLog, "");
    EXPECT_TRUE(std::filesystem::exists(log));
    EXPECT_EQ(test::readWholeFile(log), "");
    EXPECT_EQ(p.settings.options, kOptRead | kOptCommandLineMode);
    EXPECT_EQ(p.file, "Line.vantor");

    const Parsed created = parse({"-elog:" + path("new.log")});
    EXPECT_EQ(created.errorLog, path("new.log"));
    EXPECT_TRUE(std::filesystem::exists(path("new.log")));
}

TEST_F(CommandLineNamedValues, AnErrorLogThatCannotBeCreatedLeavesNoLog) {
    const std::string log = path("missing-folder/errors.log");
    const Parsed p = parse({"/elog:" + log});
    EXPECT_EQ(p.errorLog, "");
    EXPECT_EQ(p.unwritableLog, log);
    EXPECT_TRUE(p.settings.options & kOptCommandLineMode);
}

TEST(CommandLineInfo, TheExitEventNameKeepsItsCaseWithoutQuotes) {
    const struct {
        const char* argument;
        const char* name;
        std::uint32_t options;
    } cases[] = {
        {"/exitevent:\"Vantor_Line4\"", "Vantor_Line4", kOptCommandLineMode},
        {"/Close/ExitEvent:Job-7", "Job-7", kOptClose | kOptCommandLineMode},
        {"/exitevent:A/read", "A/read", kOptCommandLineMode},
        {"/exitevent", "", kOptCommandLineMode},
    };
    for (const auto& c : cases) {
        const Parsed p = parse({c.argument});
        EXPECT_EQ(p.exitEvent, c.name) << c.argument;
        EXPECT_EQ(p.settings.options, c.options) << c.argument;
    }
}

}  // namespace
}  // namespace vantor
