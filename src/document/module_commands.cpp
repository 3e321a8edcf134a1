// CPlimoDoc: the commands that act on the module or on the program's way of talking to
// it (INIT, APLY, default settings, the connection check), the option switches of the
// Tools menu and the help file.

#include <filesystem>
#include <mutex>

#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "platform/settings_store.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

// The module network settings APLY makes the program's own, in this order.
constexpr const char* kAppliedSettings[] = {"bPS", "LEn", "PrtY", "Sbit", "A.Len", "Addr"};

// The switches the per-user settings keep between runs ("Read when open" is not kept).
struct StoredSwitch {
    OptionSwitch which;
    const char* name;
};
constexpr StoredSwitch kStoredSwitches[] = {
    {OptionSwitch::ShowIndexes, "showlindex"},
    {OptionSwitch::InstantRecording, "instantwrite"},
};

// Flips a kept switch and keeps its new state.
void toggleStored(UserInterface& ui, OptionSwitch which) {
    const bool on = !ui.option(which);
    ui.setOption(which, on);
    for (const StoredSwitch& stored : kStoredSwitches)
        if (stored.which == which) OpenSettings(SettingsScope::PerUser)->writeInteger(stored.name, on ? 1 : 0);
}

// The old help file wins where it lies beside the program; else the user guide: in the
// build's program folder, or installed under share/doc beside lib/vantor.
constexpr const char* kHelpFiles[] = {
    "Help_Vantor_Kelt.chm",
    "guide/index.html",
    "../../share/doc/vantor/guide/index.html",
};

std::string foundHelpFile(const std::string& programDirectory) {
    for (const char* name : kHelpFiles) {
        const std::filesystem::path path = std::filesystem::path(programDirectory) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path.lexically_normal().string();
    }
    return {};
}

}  // namespace

void CPlimoDoc::InitWithConfirmation() {
    if (ui_.message(Text("IDS_STRING183"), "", MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    SendInit();
}

bool CPlimoDoc::SendInit() {
    std::string reason;
    if (device_.WriteInit(reason)) return true;
    ui_.message(Text("IDS_STRING179") + reason, "", MessageIcon::None, MessageButtons::Ok);
    return false;
}

bool CPlimoDoc::SendApply(bool broadcast) {
    if (!deviceModel_) return false;
    Parameter& apply = deviceModel_->GetApplyParameter();
    const std::int32_t offset = apply.addressOffset;
    if (broadcast) apply.addressOffset = -1;  // address 255
    const bool taken = device_.WriteParameter(apply, 1) == 0;
    apply.addressOffset = offset;
    return taken;
}

void CPlimoDoc::ApplyNetworkSettings() {
    const CommandLineSettings& commandLine = app().commandLine();
    if (commandLine.options & kOptCommandLineMode) {
        // Unattended: only when asked for, and a failed write is not reported.
        if (!(commandLine.options & kOptAply) || !deviceModel_) return;
        SendApply(false);
    } else if (!frontEnd_.RunApplyDialog()) {
        return;
    }
    if (networkBranch()) copyModuleNetworkSettings();
    UpdateAllViews();
}

void CPlimoDoc::copyModuleNetworkSettings() {
    const std::string noData = Text("IDS_NODATA");
    for (const char* name : kAppliedSettings) {
        const std::string value = networkBranch()->GetParameterText(name);
        if (value != noData) networkSettings_.SetParameterText(name, value);
    }
    device_.OpenPort(true);
}

void CPlimoDoc::ApplyDefaultSettings() {
    if (!deviceModel_) {
        showError("IDS_STRING170");
        return;
    }
    deviceModel_->ResetToDefaults();
}

void CPlimoDoc::CheckConnectionCommand() {
    std::lock_guard linkLock(app().linkLock());
    // A module restarted or an adapter plugged in again since the port was last used:
    // the check opens the line anew, as a tree task does, instead of failing on it.
    if (!device_.portUsable()) device_.ReopenLine();
    device_.IdentifyDevice(true);
}

void CPlimoDoc::ToggleReadWhenOpen() {
    ui_.setOption(OptionSwitch::ReadWhenOpen, !ui_.option(OptionSwitch::ReadWhenOpen));
}

void CPlimoDoc::ToggleInstantRecording() { toggleStored(ui_, OptionSwitch::InstantRecording); }

void CPlimoDoc::ToggleShowIndexes() {
    toggleStored(ui_, OptionSwitch::ShowIndexes);
    UpdateAllViews();
}

void CPlimoDoc::RestoreOptionSwitches() {
    const auto settings = OpenSettings(SettingsScope::PerUser);
    for (const StoredSwitch& stored : kStoredSwitches)
        ui_.setOption(stored.which, settings->readInteger(stored.name).value_or(0) != 0);
}

void CPlimoDoc::OpenHelp() {
    const std::string path = foundHelpFile(app().programDirectory());
    if (path.empty()) {
        ui_.message(Text("IDS_STRING879"), "", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    // Without a browser the person can still open the guide by hand.
    ui_.openWithDesktop(path, [&ui = ui_, path] {
        ui.message(FormatTextArgs(Text("IDS_HELP_NOT_OPENED"), path.c_str()), "", MessageIcon::Warning,
                   MessageButtons::Ok);
    });
}

}  // namespace vantor
