#include "description/catalogue.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/string_utils.h"
#include "text/texts.h"

namespace vantor {
namespace {

constexpr std::size_t kEntryTextMax = 31;

// Indexes 13 and 14 are two variants of one model class and report the same "dev".
constexpr std::array<CatalogueModel, kModelCount> kCatalogue = {{
    {"IDS_NAME_DEVICE1", "KQ-01", "kq-01.tree"},  {"IDS_NAME_DEVICE2", "KQ-02", "kq-02.tree"},
    {"IDS_NAME_DEVICE3", "KQ-03", "kq-03.tree"},  {"IDS_NAME_DEVICE4", "kq-04", "kq-04.tree"},
    {"IDS_NAME_DEVICE5", "kq-05", "kq-05.tree"},  {"IDS_NAME_DEVICE6", "kq-06", "kq-06.tree"},
    {"IDS_NAME_DEVICE7", "kq-07", "kq-07.tree"},  {"IDS_NAME_DEVICE8", "kq-08", "kq-08.tree"},
    {"IDS_NAME_DEVICE9", "kq-09", "kq-09.tree"},  {"IDS_NAME_DEVICE10", "kq-10", "kq-10.tree"},
    {"IDS_NAME_DEVICE11", "kq-11", "kq-11.tree"}, {"IDS_NAME_DEVICE12", "kq-12", "kq-12.tree"},
    {"IDS_NAME_DEVICE13", "kq-13", "kq-13.tree"}, {"IDS_NAME_DEVICE15", "kq-15", "kq-15.tree"},
    {"IDS_NAME_DEVICE16", "kq-15", "kq-16.tree"}, {"IDS_NAME_DEVICE17", "kq-17", "kq-17.tree"},
    {"IDS_NAME_DEVICE18", "kq-18", "kq-18.tree"}, {"IDS_NAME_DEVICE19", "kq-19", "kq-19.tree"},
    {"IDS_NAME_DEVICE20", "kq-20", "kq-20.tree"}, {"IDS_NAME_DEVICE21", "kq-21", "kq-21.tree"},
    {"IDS_NAME_DEVICE22", "kq-22", "kq-22.tree"}, {"IDS_NAME_DEVICE23", "kq-23", "kq-23.tree"},
    {"IDS_NAME_DEVICE24", "kq-24", "kq-24.tree"},
}};

// The order in which the Lumeko brand offers its models; the others stay reachable
// through files, the command line and the identity check.
constexpr std::array<int, 18> kLumekoOffer = {0, 1, 2, 3, 4, 5, 9, 7, 15, 16, 22, 20, 10, 6, 13, 14, 19, 21};

}  // namespace

const std::array<CatalogueModel, kModelCount>& modelCatalogue() { return kCatalogue; }

std::vector<CatalogueEntry>& deviceCatalogueTable() {
    static std::vector<CatalogueEntry> table;
    return table;
}

void FillDeviceCatalogue() {
    auto& table = deviceCatalogueTable();
    table.clear();
    for (const CatalogueModel& model : kCatalogue)
        table.push_back({Text(model.displayKey).substr(0, kEntryTextMax), model.identification});
}

std::string modelDisplayName(int index) {
    if (index < 0 || index >= kModelCount) return {};
    return Text(kCatalogue[index].displayKey).substr(0, kEntryTextMax);
}

int findModel(const std::string& nameOrNumber) {
    if (!nameOrNumber.empty() &&
        std::all_of(nameOrNumber.begin(), nameOrNumber.end(), [](unsigned char c) { return std::isdigit(c); })) {
        int index = -1;  // stays so when the number is too large for int
        std::from_chars(nameOrNumber.data(), nameOrNumber.data() + nameOrNumber.size(), index);
        return index < kModelCount ? index : -1;
    }
    for (int index = 0; index < kModelCount; ++index)
        if (equalsIgnoringCase(modelDisplayName(index), nameOrNumber)) return index;
    return -1;
}

void CBrandLumeko::FillDeviceList(std::vector<std::string>& list) const {
    for (int index : kLumekoOffer) list.push_back(modelDisplayName(index));
}

}  // namespace vantor
