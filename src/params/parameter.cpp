#include "params/parameter.h"

#include <cstdio>
#include <cstdlib>

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

Parameter::Parameter() : Parameter(std::string()) {}

Parameter::Parameter(std::string parameterName) : MyConverter(std::move(parameterName)) {
    description = Text("IDS_STRING469");
    ResetState();
}

Parameter::~Parameter() {
    if (backReference && *backReference == this) *backReference = nullptr;
}

void Parameter::SetValueText(const std::string& text) { valueText = text; }

void Parameter::ResetState() {
    userEditable = 1;
    indexed = 0;
    dataIndex = 0;
    addressOffset = 0;
    valueChanged = editableChanged = ownerChanged = 0;
    valueText = Text("IDS_NODATA");
    errorText.clear();
    hasAttributes = 0;
    editable = 1;
    manufacturerOwned = 0;
}

void Parameter::ReadAttributeByte(std::uint8_t attributes) {
    editable = attributes & 0x01;
    manufacturerOwned = (attributes & 0x02) ? 0 : 1;
}

std::uint8_t Parameter::AttributeByte() const {
    return static_cast<std::uint8_t>((manufacturerOwned ? 0 : 2) | (editable ? 1 : 0));
}

std::uint32_t Parameter::RowColour() const {
    if (!errorText.empty()) {
        const std::string discrepancy = Text("IDS_DISCREPANCY");
        if (!discrepancy.empty() && errorText.compare(0, discrepancy.size(), discrepancy) == 0)
            return kColourDiscrepancy;
        return kColourError;
    }
    if (valueChanged || editableChanged || ownerChanged) return kColourChanged;
    return kColourNormal;
}

std::string Parameter::TypeDescription() const {
    switch (classifyType(type)) {
    case TypeKind::Float: return Text("IDS_STRING318");
    case TypeKind::Int: return Text("IDS_STRING319");
    case TypeKind::Int16: return Text("IDS_STRING467");
    case TypeKind::StoredDot: return Text("IDS_STRING468");
    default: return {};
    }
}

std::string Parameter::EditableText() const {
    if (!hasAttributes) return {};
    return Text(editable ? "IDS_STRING156" : "IDS_STRING157");
}

std::string Parameter::OwnerText() const {
    if (!hasAttributes) return {};
    return Text(manufacturerOwned ? "IDS_STRING158" : "IDS_STRING159");
}

ParameterRow Parameter::Row(bool showIndexes) const {
    ParameterRow row;
    row.name = name;
    if (indexed && showIndexes) row.name += ":" + std::to_string(dataIndex);
    row.value = valueText;
    row.editable = EditableText();
    row.owner = OwnerText();
    row.error = errorText;
    row.colour = RowColour();
    if (userEditable) row.image = isBasicType(type) ? kImageEditableBuiltIn : kImageEditableEnumeration;
    return row;
}

CodeParameterRows Parameter::CodeRows() const {
    static const char* const kResistances[] = {"1 ", "10 ", "100 ", "470 "};
    // The value text is read as "%i" reads it: decimal, 0x hexadecimal or 0 octal.
    const unsigned v = static_cast<unsigned>(std::strtol(valueText.c_str(), nullptr, 0));
    CodeParameterRows rows;
    rows.children[0] = kResistances[v & 0x03] + Text("IDS_STRING491");
    rows.children[1] = std::to_string((v >> 4) & 1);
    rows.children[2] = Text((v & 0x20) ? "IDS_STRING492" : "IDS_STRING493");
    rows.children[3] = Text((v & 0x40) ? "IDS_STRING494" : "IDS_STRING495");
    rows.children[4] = Text((v & 0x80) ? "IDS_STRING496" : "IDS_STRING497");
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%02x", v);
    rows.valueText = hex;
    return rows;
}

std::string Parameter::SamplingPeriodText() const {
    if (equalsIgnoringCase(name, "r.oe.s")) return {};
    return std::to_string(samplingPeriod);
}

std::string Parameter::SampledDescription() const {
    return description + ", " + name + ":" + std::to_string(addressOffset);
}

bool Parameter::PrepareSampling() {
    addressOffset = dataIndex;
    indexed = 0;
    samplingPrepared_ = true;
    return true;
}

int Parameter::StartSampling() { return samplingOn_.exchange(true) ? 1 : 0; }

int Parameter::StopSampling() { return samplingOn_.exchange(false) ? 0 : 1; }

}  // namespace vantor
