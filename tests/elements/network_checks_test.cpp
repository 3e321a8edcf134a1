#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "elements/net_rs485.h"
#include "elements/network_checks.h"

namespace vantor {
namespace {

// The module's network settings as a device branch holds them, with the protocol.
class ModuleNetwork : public NetRS485 {
public:
    explicit ModuleNetwork(bool withProtocol = true) {
        InitParameters();
        if (withProtocol) {
            auto protocol = std::make_unique<Parameter>("Prot");
            protocol->type = "Lumeko:Modbus RTU:Modbus ASCII:DCON";
            protocol->valueText = "Lumeko";
            appendParameter(std::move(protocol));
        }
    }
    ModuleNetwork& with(const char* name, const char* text) {
        SetParameterText(name, text);
        return *this;
    }
};

TEST(CheckAddressSetting, AddressesAbove255NeedElevenBitsAndTheNativeProtocol) {
    struct Case {
        const char* address;
        const char* length;
        const char* protocol;
        const char* name;
        const char* newText;
        bool allowed;
    };
    const Case cases[] = {
        {"300", "11", "Lumeko", "A.Len", "8", false},
        {"300", "8", "Lumeko", "A.Len", "11", true},
        {"300", "11", "Lumeko", "Prot", "Lumeko", true},
        {"300", "11", "Lumeko", "Prot", "Modbus RTU", false},
        {"300", "11", "Lumeko", "prot", "DCON", false},
        {"300", "11", "Lumeko", "Prot", "not a choice", true},
        {"200", "11", "Lumeko", "A.Len", "8", true},
        {"200", "8", "Lumeko", "Prot", "Modbus ASCII", true},
        {"16", "8", "Lumeko", "Addr", "255", true},
        {"16", "8", "Lumeko", "Addr", "256", false},
        {"16", "11", "Lumeko", "addr", "2000", true},
        {"16", "11", "Modbus RTU", "ADDR", "2000", false},
        {"16", "11", "Modbus RTU", "Addr", "255", true},
        // The length must be exactly "11".
        {"16", "11 ", "Lumeko", "Addr", "300", false},
        {"300", "8", "Lumeko", "A.Len", "11.0", false},
        {"300", "8", "Modbus RTU", "bPS", "9600", true},
    };
    for (const Case& c : cases) {
        ModuleNetwork element;
        element.with("Addr", c.address).with("A.Len", c.length).with("Prot", c.protocol);
        EXPECT_EQ(CheckAddressSetting(element, c.name, c.newText), c.allowed)
            << "Addr " << c.address << ", A.Len " << c.length << ", Prot " << c.protocol << ": " << c.name << " = "
            << c.newText;
    }
}

TEST(CheckAddressSetting, WithoutAProtocolOnlyTheLengthCounts) {
    ModuleNetwork element(false);
    element.with("Addr", "300").with("A.Len", "11");
    EXPECT_TRUE(CheckAddressSetting(element, "Prot", "anything"));
    EXPECT_TRUE(CheckAddressSetting(element, "Addr", "2000"));
    EXPECT_FALSE(CheckAddressSetting(element, "A.Len", "8"));
}

TEST(CheckAddressSetting, TheDeviceModelHasTheLastWordOnANewAddress) {
    ModuleNetwork element;
    element.with("A.Len", "8");
    std::optional<std::pair<int, std::string>> asked;
    const AddressValidator onlyBelow100 = [&](int address, const std::string& length) {
        asked = {address, length};
        return address < 100;
    };
    EXPECT_TRUE(CheckAddressSetting(element, "Addr", "99", onlyBelow100));
    EXPECT_EQ(asked, (std::pair<int, std::string>{99, "8"}));
    EXPECT_FALSE(CheckAddressSetting(element, "Addr", "100", onlyBelow100));
    // The model is not asked about other settings.
    asked.reset();
    EXPECT_TRUE(CheckAddressSetting(element, "A.Len", "11", onlyBelow100));
    EXPECT_FALSE(asked);
}

TEST(CheckLineSetting, RefusesTheTwoProhibitedFormats) {
    struct Case {
        const char* parity;
        const char* dataBits;
        const char* stopBits;
        const char* name;
        const char* newText;
        bool allowed;
    };
    const Case cases[] = {
        {"none", "8", "2", "PrtY", "even", false}, {"even", "8", "1", "Sbit", "2", false},
        {"odd", "7", "2", "LEn", "8", false},      {"even", "7", "1", "LEn", "8", true},
        {"none", "8", "1", "LEn", "7", false},     {"none", "7", "2", "Sbit", "1", false},
        {"none", "7", "1", "Sbit", "2", true},     {"odd", "7", "1", "prty", "none", false},
        {"none", "8", "2", "PRTY", "Even", true},  // the choices are compared exactly
        {"even", "8", "1", "sbit", "2", false},    {"none", "7", "1", "bPS", "9600", true},
    };
    for (const Case& c : cases) {
        ModuleNetwork element;
        element.with("PrtY", c.parity).with("LEn", c.dataBits).with("Sbit", c.stopBits);
        EXPECT_EQ(CheckLineSetting(element, c.name, c.newText), c.allowed)
            << c.parity << "/" << c.dataBits << "/" << c.stopBits << ": " << c.name << " = " << c.newText;
    }
}

TEST(CheckLineSetting, AnElementWithoutParityAllowsEveryChange) {
    InvisibleElement element;
    auto dataBits = std::make_unique<Parameter>("LEn");
    dataBits->valueText = "7";
    element.appendParameter(std::move(dataBits));
    EXPECT_TRUE(CheckLineSetting(element, "Sbit", "1"));
}

}  // namespace
}  // namespace vantor
