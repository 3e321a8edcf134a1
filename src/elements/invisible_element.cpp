#include "elements/invisible_element.h"

#include "text/texts.h"

namespace vantor {

namespace {

// The kind name is a fixed text of the program, not localized.
constexpr const char* kInvisibleElementKind = "Невизуальный элемент";

std::string progressLine(const char* labelKey, const std::string& name) { return Text(labelKey) + " '" + name + "'"; }

}  // namespace

InvisibleElement::InvisibleElement() : name_(kInvisibleElementKind) {}

int InvisibleElement::SetParameterText(std::string_view name, const std::string& text) {
    if (name == Text("IDS_STRING692")) {
        name_ = text;
        return 3;
    }
    return ObjectWithParameters::SetParameterText(name, text);
}

ExchangeCounts InvisibleElement::CompareValues(ParameterExchange& link) {
    if (link.cancelled()) return {};
    link.progressLog(progressLine("IDS_STRING285", name_));
    return ObjectWithParameters::CompareValues(link);
}

ExchangeCounts InvisibleElement::ReadValues(ParameterExchange& link) {
    if (link.cancelled()) return {};
    link.progressLog(progressLine("IDS_STRING283", name_));
    return ObjectWithParameters::ReadValues(link);
}

ExchangeCounts InvisibleElement::WriteValues(ParameterExchange& link, int mode) {
    if (link.cancelled()) return {};
    bool anyTakesPart = mode > 0;
    for (const auto& p : parameters_) anyTakesPart = anyTakesPart || TakesPartInWrite(*p, mode);
    if (anyTakesPart) link.progressLog(progressLine("IDS_STRING286", name_));
    return ObjectWithParameters::WriteValues(link, mode);
}

RowId InvisibleElement::InsertOwnRow(RowSink& sink, RowId parent, bool showIndexes) {
    RowEntry row;
    row.kind = RowKind::Element;
    row.text = name_;
    row.image = GetImage();
    row.selectedImage = GetSelectedImage();
    row.element = this;
    row.showIndexes = showIndexes;
    return sink.addRow(parent, row);
}

RowId InvisibleElement::InsertRows(RowSink& sink, RowId parent, int count, bool showIndexes) {
    const RowId own = InsertOwnRow(sink, parent, showIndexes);
    ObjectWithParameters::InsertRows(sink, own, count, showIndexes);
    return own;
}

std::string InvisibleElement::GetKindName() const { return kInvisibleElementKind; }

std::string InvisibleElement::GetTitle() const { return name_ + " (" + GetKindName() + ")"; }

}  // namespace vantor
