#pragma once
// The 23 module models the program knows, by model index 0..22: the name shown to the
// person, the name a module of the model reports in "dev", and its description stream.

#include <array>
#include <string>
#include <vector>

namespace vantor {

constexpr int kModelCount = 23;
constexpr int kNoModel = -1;  // no model chosen

struct CatalogueModel {
    const char* displayKey;      // keyed text of the display name
    const char* identification;  // what the module answers in "dev"
    const char* stream;          // description stream in vantor.dat
};

// The fixed catalogue, by model index.
const std::array<CatalogueModel, kModelCount>& modelCatalogue();

// A row of the process-wide catalogue table: texts of at most 31 characters.
struct CatalogueEntry {
    std::string displayName;
    std::string identification;
};

// The process-wide table, empty until the first FillDeviceCatalogue.
std::vector<CatalogueEntry>& deviceCatalogueTable();
// Fills the table again: display names looked up by their keys.
void FillDeviceCatalogue();

// Display name of a model index from the keyed texts; empty outside 0..22.
std::string modelDisplayName(int index);
// The model index named by its display name (letter case ignored) or by the index
// itself ("0".."22"), or -1.
int findModel(const std::string& nameOrNumber);

// The brand decides which models the device selection offers, and in which order.
class CBrand {
public:
    virtual ~CBrand() = default;
    virtual void FillDeviceList(std::vector<std::string>& list) const = 0;
};

class CBrandLumeko : public CBrand {
public:
    void FillDeviceList(std::vector<std::string>& list) const override;
};

}  // namespace vantor
