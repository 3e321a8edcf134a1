#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "elements/net_rs485_prg.h"
#include "support/temporary_config_home.h"

namespace vantor {
namespace {

using test::TemporaryConfigHome;

// The settings as the element shows them, in its own order.
std::vector<std::string> valueTexts(const NetRS485prg& program) {
    std::vector<std::string> texts;
    for (const auto& p : program.parameters()) texts.push_back(p->valueText);
    return texts;
}

std::vector<std::string> loadedFrom(std::shared_ptr<SettingsStore> settings) {
    NetRS485prg program(std::move(settings));
    program.InitParameters();
    return valueTexts(program);
}

using Texts = std::vector<std::string>;

TEST(NetRS485prgLoad, AFirstStartGivesTheFactorySettingsOnTheFirstSerialPort) {
    //                                             bPS     LEn   PrtY    Sbit  A.Len  Addr  Port
    EXPECT_EQ(loadedFrom(std::make_shared<MemorySettingsStore>()),
              (Texts{"9600", "8", "none", "1", "8", "16", "/dev/ttyS0"}));
}

TEST(NetRS485prgLoad, StoredValuesBecomeTheTextsUnchanged) {
    auto settings = std::make_shared<MemorySettingsStore>();
    settings->writeInteger("address", 300);
    settings->writeInteger("address_length", 11);
    settings->writeInteger("baud_rate", 115200);
    settings->writeInteger("byte_size", 7);
    settings->writeInteger("stop_bits", 2);
    settings->writeInteger("parity_scheme", 4);
    settings->writeInteger("port_number", 12);
    NetRS485prg program(settings);
    program.InitParameters();
    EXPECT_EQ(valueTexts(program), (Texts{"115200", "7", "odd", "2", "11", "300", "/dev/ttyS11"}));
    EXPECT_EQ(program.HasChanges(), 0);
}

TEST(NetRS485prgLoad, ParityCodesAndPortValues) {
    struct Case {
        std::optional<std::uint32_t> parity;
        std::optional<std::uint32_t> portNumber;
        std::optional<std::string> portPath;
        const char* parityText;
        const char* portText;
    };
    const Case cases[] = {
        {1, 1, std::nullopt, "even", "/dev/ttyS0"},
        {3, 3, std::nullopt, "none", "/dev/ttyS2"},
        {4, std::nullopt, "/dev/ttyUSB0", "odd", "/dev/ttyUSB0"},
        // The path wins over the number; an empty path counts as none.
        {2, 5, "/dev/ttyACM1", "<invalid value>", "/dev/ttyACM1"},
        {0, 5, "", "<invalid value>", "/dev/ttyS4"},
        // A number that names no COM port is shown as stored.
        {3, 0, std::nullopt, "none", "COM0"},
    };
    for (const Case& c : cases) {
        auto settings = std::make_shared<MemorySettingsStore>();
        if (c.parity) settings->writeInteger("parity_scheme", *c.parity);
        if (c.portNumber) settings->writeInteger("port_number", *c.portNumber);
        if (c.portPath) settings->writeString("port_path", *c.portPath);
        const Texts texts = loadedFrom(settings);
        EXPECT_EQ(texts[2], c.parityText) << c.portText;
        EXPECT_EQ(texts[6], c.portText);
    }
}

TEST(NetRS485prgSave, DestructionWritesTheSettingsAsNumbers) {
    auto settings = std::make_shared<MemorySettingsStore>();
    {
        NetRS485prg program(settings);
        program.InitParameters();
        program.SetParameterText("Addr", "200");
        program.SetParameterText("A.Len", "11");
        program.SetParameterText("bPS", "57600");
        program.SetParameterText("LEn", "7");
        program.SetParameterText("Sbit", "2");
        program.SetParameterText("PrtY", "even");
        program.SetParameterText("Port", "COM12");
    }
    EXPECT_EQ(settings->readInteger("address"), 200u);
    EXPECT_EQ(settings->readInteger("address_length"), 11u);
    EXPECT_EQ(settings->readInteger("baud_rate"), 57600u);
    EXPECT_EQ(settings->readInteger("byte_size"), 7u);
    EXPECT_EQ(settings->readInteger("stop_bits"), 2u);
    EXPECT_EQ(settings->readInteger("parity_scheme"), 1u);
    EXPECT_EQ(settings->readInteger("port_number"), 12u);
}

TEST(NetRS485prgSave, AnElementNeverFilledLeavesTheSettingsAlone) {
    auto settings = std::make_shared<MemorySettingsStore>();
    settings->writeInteger("address", 42);
    { NetRS485prg program(settings); }
    EXPECT_EQ(settings->readInteger("address"), 42u);
    EXPECT_FALSE(settings->contains("baud_rate"));
}

TEST(NetRS485prgSave, ParityAndPortTexts) {
    struct Case {
        const char* parityText;
        const char* portText;
        std::optional<std::uint32_t> parity;  // as stored afterwards
        std::optional<std::uint32_t> portNumber;
        std::optional<std::string> portPath;
    };
    // Before each save the store holds parity 4, port number 7 and port path "/dev/old".
    const Case cases[] = {
        {"none", "/dev/ttyS11", 3, 12, std::nullopt},  // a numbered port drops the stale path
        {"even", "COM3", 1, 3, std::nullopt},
        {"odd", "/dev/ttyUSB0", 4, 7, "/dev/ttyUSB0"},  // a path leaves the number as it was
        {"Even", "COM", 4, 7, "COM"},                   // parity compared exactly: nothing written
        {"<invalid value>", "", 4, 7, "/dev/old"},      // an empty port saves nothing
        {"none", "/dev/ttyS01", 3, 7, "/dev/ttyS01"},   // not the name the system gives ttyS1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.portText);
        auto settings = std::make_shared<MemorySettingsStore>();
        {
            NetRS485prg program(settings);
            program.InitParameters();
            settings->writeInteger("parity_scheme", 4);
            settings->writeInteger("port_number", 7);
            settings->writeString("port_path", "/dev/old");
            program.SetParameterText("PrtY", c.parityText);
            program.SetParameterText("Port", c.portText);
        }
        EXPECT_EQ(settings->readInteger("parity_scheme"), c.parity);
        EXPECT_EQ(settings->readInteger("port_number"), c.portNumber);
        EXPECT_EQ(settings->readString("port_path"), c.portPath);
    }
}

TEST(NetRS485prgSave, ATextThatIsNoNumberIsSavedAsZero) {
    auto settings = std::make_shared<MemorySettingsStore>();
    {
        NetRS485prg program(settings);
        program.InitParameters();
        program.SetParameterText("Addr", "abc");
    }
    EXPECT_EQ(settings->readInteger("address"), 0u);
}

TEST(NetRS485prgSettingsFile, WhatOneRunSavesTheNextLoads) {
    TemporaryConfigHome home;
    {
        NetRS485prg program;
        program.InitParameters();
        program.SetParameterText("Addr", "17");
        program.SetParameterText("PrtY", "odd");
        program.SetParameterText("Port", "/dev/ttyUSB3");
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(home.path() + "/LUMEKO/Vantor.ini"));
    {
        NetRS485prg program;
        program.InitParameters();
        EXPECT_EQ(valueTexts(program), (Texts{"9600", "8", "odd", "1", "8", "17", "/dev/ttyUSB3"}));
        program.SetParameterText("Port", "/dev/ttyS4");
    }
    NetRS485prg program;
    program.InitParameters();
    EXPECT_EQ(program.GetParameterText("Port"), "/dev/ttyS4");
    EXPECT_EQ(OpenSettings(SettingsScope::PerUser)->readInteger("port_number"), 5u);
}

TEST(NetRS485prgLine, TheLinkGetsNumbersParityCodeAndDevicePath) {
    NetRS485prg program(std::make_shared<MemorySettingsStore>());
    program.InitParameters();
    EXPECT_EQ(program.lineSettings(), LineSettings{});

    program.SetParameterText("Port", "COM3");
    program.SetParameterText("bPS", "19200");
    program.SetParameterText("LEn", "7");
    program.SetParameterText("Sbit", "2");
    program.SetParameterText("Addr", "1000");
    program.SetParameterText("A.Len", "11");
    program.setAdapterMode(kAdapterModeZk7);
    const struct {
        const char* parityText;
        std::uint32_t code;
    } parities[] = {{"none", 3}, {"even", 1}, {"ODD", 4}, {"<invalid value>", 3}};
    for (const auto& parity : parities) {
        program.SetParameterText("PrtY", parity.parityText);
        EXPECT_EQ(program.lineSettings(),
                  (LineSettings{"/dev/ttyS2", 19200, parity.code, 7, 2, 1000, 11, kAdapterModeZk7}))
            << parity.parityText;
    }
}

}  // namespace
}  // namespace vantor
