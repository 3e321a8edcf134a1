#include "params/discrepancy.h"

#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

std::string DiscrepancyText(const Parameter& module) {
    const std::string owner = Text(module.manufacturerOwned ? "IDS_STRING158" : "IDS_STRING159");
    return Text("IDS_DISCREPANCY") + " '" + module.valueText + "', " +
           FormatTextArgs(Text("IDS_DISCREPANCY_OWNER"), owner.c_str());
}

}  // namespace vantor
