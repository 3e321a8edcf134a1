#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <utility>

#include "elements/common_params.h"
#include "elements/net_rs485.h"
#include "elements/net_rs485_prg.h"
#include "elements/program_info.h"
#include "platform/operating_system.h"
#include "platform/serial_port.h"

namespace vantor {
namespace {

struct Expected {
    const char* name;
    const char* description;
    const char* type;
    const char* configurationValue;
};

constexpr Expected kNetworkSet[] = {
    {"bPS", "Baud rate", "2400:4800:9600:14400:19200:28800:38400:57600:115200", "9600"},
    {"LEn", "Data bits", "7:8", "8"},
    {"PrtY", "Parity", "none:even:odd", "none"},
    {"Sbit", "Stop bits", "1:2", "1"},
    {"A.Len", "Address bits", "8:11", "8"},
    {"Addr", "Address", "int", "16"},
};

void expectNetworkSet(const ObjectWithParameters& element) {
    ASSERT_GE(element.parameters().size(), std::size(kNetworkSet));
    for (std::size_t i = 0; i < std::size(kNetworkSet); ++i) {
        const Parameter& p = *element.parameters()[i];
        SCOPED_TRACE(kNetworkSet[i].name);
        EXPECT_EQ(p.name, kNetworkSet[i].name);
        EXPECT_EQ(p.description, kNetworkSet[i].description);
        EXPECT_EQ(p.type, kNetworkSet[i].type);
        EXPECT_EQ(p.configurationValue, kNetworkSet[i].configurationValue);
        EXPECT_EQ(p.userEditable, 1);
        EXPECT_EQ(p.hasAttributes, 0);
    }
}

TEST(NetRS485, HasTheSixSettingsWithTheFactoryValuesAndNoValuesYet) {
    NetRS485 network;
    network.InitParameters();
    ASSERT_EQ(network.parameters().size(), 6u);
    expectNetworkSet(network);
    for (const auto& p : network.parameters()) EXPECT_EQ(p->valueText, "no data");
    // A second fill replaces the set instead of adding to it.
    network.InitParameters();
    EXPECT_EQ(network.parameters().size(), 6u);
}

TEST(NetRS485prg, AddsThePortAsTheSeventhSettingWithoutAttributesOrChanges) {
    auto settings = std::make_shared<MemorySettingsStore>();
    NetRS485prg program(settings);
    program.InitParameters();
    ASSERT_EQ(program.parameters().size(), 7u);
    expectNetworkSet(program);
    const Parameter& port = *program.parameters()[6];
    EXPECT_EQ(port.name, "Port");
    EXPECT_EQ(port.description, "Serial port");
    EXPECT_EQ(port.type, ListSerialPorts());
    EXPECT_EQ(port.configurationValue, "");
    EXPECT_EQ(port.userEditable, 1);
    EXPECT_EQ(port.hasAttributes, 0);
    EXPECT_EQ(program.HasChanges(), 0);
}

TEST(Elements, NamesPicturesKindsAndTitles) {
    struct Case {
        std::unique_ptr<InvisibleElement> element;
        const char* name;
        int image;
        const char* kind;
    };
    Case cases[] = {
        {std::make_unique<InvisibleElement>(), "Невизуальный элемент", 0, "Невизуальный элемент"},
        {std::make_unique<CommonParams>(std::make_shared<MemorySettingsStore>()), "Сервисные параметры программы", 20,
         "Сервисные параметры программы"},
        {std::make_unique<NetRS485>(), "Device network settings", 4, "Сеть RS-485"},
        {std::make_unique<NetRS485prg>(std::make_shared<MemorySettingsStore>()), "Program network settings", 19,
         "Сеть RS-485"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.element->name(), c.name);
        EXPECT_EQ(c.element->GetImage(), c.image);
        EXPECT_EQ(c.element->GetSelectedImage(), c.image);
        EXPECT_EQ(c.element->GetKindName(), c.kind);
        EXPECT_EQ(c.element->GetTitle(), std::string(c.name) + " (" + c.kind + ")");
        EXPECT_EQ(c.element->GetFixedCode(), -999);
    }
}

// The version the project declares, read from the top-level build file.
std::string declaredProjectVersion() {
    std::ifstream file(std::string(VANTOR_SOURCE_DIR) + "/CMakeLists.txt");
    std::stringstream content;
    content << file.rdbuf();
    std::smatch match;
    const std::string text = content.str();
    if (!std::regex_search(text, match, std::regex(R"(project\(\s*vantor\s+VERSION\s+([0-9.]+))"))) return {};
    return match[1];
}

TEST(CommonParams, ShowsVersionLegalNoticeAndSystemReadOnly) {
    auto machine = std::make_shared<MemorySettingsStore>();
    CommonParams common(machine);
    common.InitParameters();

    const std::string version = declaredProjectVersion();
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(ProgramVersion(), version);
    const std::pair<const char*, const char*> namesAndDescriptions[] = {
        {" ", "Version"}, {"  ", "Copyright"}, {"   ", "Operating system"}};
    ASSERT_EQ(common.parameters().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const Parameter& p = *common.parameters()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p.name, namesAndDescriptions[i].first);
        EXPECT_EQ(p.description, namesAndDescriptions[i].second);
        EXPECT_EQ(p.userEditable, 0);
        EXPECT_EQ(p.hasAttributes, 0);
    }
    EXPECT_EQ(common.GetParameterText(" "), version);
    EXPECT_EQ(common.GetParameterText("  "), "Copyright (C) LUMEKO");
    EXPECT_EQ(common.GetParameterText("   "), OperatingSystemText());
    EXPECT_EQ(common.HasChanges(), 0);

    // The installation record.
    EXPECT_EQ(machine->readString("name"), "Vantor");
    EXPECT_EQ(machine->readString("version"), version);
}

}  // namespace
}  // namespace vantor
