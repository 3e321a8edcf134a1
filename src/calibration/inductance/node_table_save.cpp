#include "calibration/inductance/node_table_save.h"

#include "calibration/inductance/apply_calibration.h"
#include "document/configuration_document.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationVI {
namespace {

std::unique_ptr<Parameter> indexedFloat(const std::string& name, int index, std::string valueText) {
    auto parameter = std::make_unique<Parameter>(name);
    parameter->type = "float";
    parameter->indexed = 1;
    parameter->dataIndex = index;
    parameter->valueText = std::move(valueText);
    return parameter;
}

}  // namespace

NodeTableSave::NodeTableSave(const std::vector<const Parameter*>& nodes, const std::vector<float>& coefficients) {
    for (const Parameter* node : nodes) nodes_.push_back(indexedFloat(node->name, node->dataIndex, node->valueText));
    for (std::size_t j = 0; j < coefficients.size(); ++j)
        coefficients_.push_back(
            indexedFloat("uU.Kf", static_cast<int>(j), FormatTextArgs("%f", static_cast<double>(coefficients[j]))));
}

NodeTableSave::~NodeTableSave() = default;

void NodeTableSave::run(CPlimoDoc& document) {
    if (!writeAll(document, nodes_, "IDS_STRING637") || !writeAll(document, coefficients_, "IDS_STRING638")) return;
    status_ = applyCalibration(document);
}

bool NodeTableSave::writeAll(CPlimoDoc& document, Parameters& parameters, const char* failureKey) {
    for (const auto& parameter : parameters) {
        if (document.WriteParameter(*parameter, 0) != 0) {
            failure_ = FormatText(Text(failureKey), parameter->name);
            return false;
        }
    }
    return true;
}

}  // namespace vantor::gui::CalibrationVI
