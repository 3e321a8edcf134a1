// IdentifyDevice: which module answers, and with which firmware.

#include <cstdio>

#include "description/catalogue.h"
#include "device/device.h"
#include "device/model_match.h"
#include "platform/app_state.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

// The strain-gauge pair reports one "dev"; "tdev" tells the four-channel variant,
// which follows the one-channel model in the catalogue.
constexpr int kStrainGaugeModel = 13;

// A temporary text parameter for an identification read.
struct TextParameter : Parameter {
    explicit TextParameter(const char* parameterName) : Parameter(parameterName) { type = "string"; }
};

// The first two numbers of a version text such as "2.15" or "2 15 beta".
FirmwareVersion parseVersion(const std::string& text) {
    FirmwareVersion version;
    int* const fields[] = {&version.major, &version.minor};
    std::size_t field = 0, start = 0;
    while (field < 2 && start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(". ", start), text.size());
        std::sscanf(text.substr(start, end - start).c_str(), "%i", fields[field++]);
        start = end + 1;
    }
    return version;
}

}  // namespace

int Device::IdentifyDevice(bool showMessages) {
    if (deviceCatalogueTable().empty()) FillDeviceCatalogue();
    TextParameter dev("dev");
    TextParameter ver("ver");
    std::string errors, information;
    int flags = 0;

    const bool answered = ExchangeParameter(1, &dev) == 0;
    lastExchange = answered ? LastExchange::Worked : LastExchange::Failed;
    if (!answered) {
        errors += FormatTextArgs("%s 'dev': \n%s\n", Text("IDS_STRING149").c_str(), dev.errorText.c_str());
    } else {
        // The table's texts end in two blanks, which the lookup trims.
        information += Text("IDS_STRING150") + "  " + dev.valueText + "\n";
        flags = kIdentifyAnswered;
        if (int found = findCatalogueModel(dev.valueText); found >= 0) {
            flags |= kIdentifyRecognised;
            if (found == kStrainGaugeModel) {
                Parameter variant("tdev");
                variant.type = Text("IDS_STRING689");
                if (ExchangeParameter(1, &variant) == 0) found += std::max(variant.EnumIndex(variant.valueText), 0);
            }
            const int chosen = app().currentModel();
            if (catalogueFixed && found != chosen)
                userInterface().message(Text("IDS_STRING972") + modelDisplayName(found) + Text("IDS_STRING973") +
                                            modelDisplayName(chosen) + Text("IDS_STRING974"),
                                        "", MessageIcon::Error, MessageButtons::Ok);
            else
                app().setCurrentModel(found);
        }
    }

    if (ExchangeParameter(1, &ver) != 0) {
        errors += FormatTextArgs("%s 'ver':\n%s\n", Text("IDS_STRING149").c_str(), ver.errorText.c_str());
    } else {
        information += Text("IDS_STRING151") + "  " + ver.valueText + "\n";
        firmware = parseVersion(ver.valueText);
    }

    if (showMessages) {
        if (!errors.empty()) userInterface().message(errors, "", MessageIcon::Error, MessageButtons::Ok);
        if (!information.empty())
            userInterface().message(information, "", MessageIcon::Information, MessageButtons::Ok);
    }
    return flags;
}

}  // namespace vantor
