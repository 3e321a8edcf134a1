#include "elements/net_rs485.h"

#include <memory>

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

struct NetworkSetting {
    const char* name;
    const char* descriptionKey;
    const char* type;     // null: the localized text of `typeKey`
    const char* typeKey;  // for the parity choices
    const char* factory;  // null: the type's first choice
};

constexpr NetworkSetting kNetworkSettings[] = {
    {"bPS", "IDS_STRING187", "2400:4800:9600:14400:19200:28800:38400:57600:115200", nullptr, "9600"},
    {"LEn", "IDS_STRING188", "7:8", nullptr, "8"},
    {"PrtY", "IDS_STRING189", nullptr, "IDS_STRING206", nullptr},
    {"Sbit", "IDS_STRING190", "1:2", nullptr, "1"},
    {"A.Len", "IDS_STRING191", "8:11", nullptr, "8"},
    {"Addr", "IDS_STRING192", "int", nullptr, "16"},
};

}  // namespace

NetRS485::NetRS485() { name_ = Text("IDS_STRING716"); }

void NetRS485::InitParameters() {
    ObjectWithParameters::InitParameters();
    for (const NetworkSetting& setting : kNetworkSettings) {
        auto parameter = std::make_unique<Parameter>(setting.name);
        parameter->description = Text(setting.descriptionKey);
        parameter->type = setting.type ? setting.type : Text(setting.typeKey);
        parameter->configurationValue = setting.factory ? setting.factory : typeElements(parameter->type).front();
        parameter->userEditable = 1;
        appendParameter(std::move(parameter));
    }
}

// A fixed text of the program, not localized.
std::string NetRS485::GetKindName() const { return "Сеть RS-485"; }

}  // namespace vantor
