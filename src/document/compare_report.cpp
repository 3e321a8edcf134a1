#include "document/compare_report.h"

#include "params/discrepancy.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

std::string ownershipWord(const Parameter& parameter) {
    return Text(parameter.manufacturerOwned ? "IDS_STRING158" : "IDS_STRING159");
}

}  // namespace

void CompareReport::Reset() {
    differences_ = 0;
    entries_.clear();
}

void CompareReport::AddDifference(Parameter& configured, const Parameter& module) {
    const int before = differences_++;
    if (before >= kListedDifferences) {
        configured.errorText.clear();
        return;
    }
    entries_ +=
        FormatTextArgs(Text("IDS_STRING161"), before + 1, configured.name.c_str(), configured.description.c_str(),
                       configured.valueText.c_str(), ownershipWord(configured).c_str(), module.valueText.c_str(),
                       ownershipWord(module).c_str());
    // A note from an earlier comparison or read is replaced, not stacked.
    configured.errorText = DiscrepancyText(module);
}

std::string CompareReport::Report() const {
    if (differences_ == 0) return Text("IDS_STRING152");
    std::string report = Text("IDS_STRING153") + ": " + std::to_string(differences_);
    if (differences_ > kListedDifferences) report += Text("IDS_STRING154");
    return report + ":\n" + entries_;
}

}  // namespace vantor
