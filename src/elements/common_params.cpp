#include "elements/common_params.h"

#include <utility>

#include "elements/program_info.h"
#include "platform/operating_system.h"
#include "text/texts.h"

namespace vantor {

namespace {

// A fixed text of the program, not localized.
constexpr const char* kCommonParamsKind = "Сервисные параметры программы";

}  // namespace

CommonParams::CommonParams() : CommonParams(OpenSettings(SettingsScope::MachineWide)) {}

CommonParams::CommonParams(std::shared_ptr<SettingsStore> machineSettings)
    : machineSettings_(std::move(machineSettings)) {
    name_ = kCommonParamsKind;
}

void CommonParams::InitParameters() {
    ObjectWithParameters::InitParameters();
    const std::string version = ProgramVersion();
    machineSettings_->writeString("name", "Vantor");
    machineSettings_->writeString("version", version);

    const std::pair<const char*, std::string> entries[] = {
        {"IDS_STRING440", version},
        {"IDS_STRING449", ProgramLegalNotice()},
        {"IDS_STRING450", OperatingSystemText()},
    };
    std::string name;
    for (const auto& [descriptionKey, value] : entries) {
        name += ' ';
        auto parameter = std::make_unique<Parameter>(name);
        parameter->description = Text(descriptionKey);
        parameter->userEditable = 0;
        parameter->valueText = value;
        appendParameter(std::move(parameter));
    }
    ClearChanged();
}

std::string CommonParams::GetKindName() const { return kCommonParamsKind; }

}  // namespace vantor
