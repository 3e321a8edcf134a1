#include "description/desc_branch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "description/description_names.h"
#include "params/type_names.h"
#include "platform/string_utils.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace vantor {

namespace {

// The last two characters of `name` when they are `mark` followed by one character:
// that character's number (as atol reads it), the two removed from `name`.
bool takeSuffix(std::string& name, char mark, int& number) {
    if (name.size() < 2 || name[name.size() - 2] != mark) return false;
    number = static_cast<int>(std::atol(name.substr(name.size() - 1).c_str()));
    name.resize(name.size() - 2);
    return true;
}

// "float:2" and the like: a base type with a fixed number of decimal places.
bool splitDecimalPlaces(const std::string& definition, std::string& base, int& places) {
    static const char* const kBases[] = {"int", "CLK_frm", "stored_dot", "int16", "float"};
    const auto elements = typeElements(definition);
    if (elements.size() < 2) return false;
    if (std::none_of(std::begin(kBases), std::end(kBases),
                     [&](const char* b) { return equalsIgnoringCase(elements[0], b); }))
        return false;
    if (elements[1] != "1" && elements[1] != "2" && elements[1] != "3") return false;
    base = elements[0];
    places = elements[1][0] - '0';
    return true;
}

// Rows under a parameter that decode its value: label keys by parameter name.
struct DecodingRows {
    const char* parameter;
    int firstKey;  // IDS_STRING<firstKey> ... for `rows` rows
    int rows;
};
constexpr DecodingRows kDecodingRows[] = {{"CodP", 853, 5}, {"r.cn", 858, 4}, {"s.do", 862, 4}};
constexpr int kDecodingImage = 38;
constexpr int kActuatorTypeImage = 30;

}  // namespace

DescBranch::DescBranch(std::string name, int count, int index, int image, int selectedImage)
    : count_(count), index_(index), image_(image), selectedImage_(selectedImage) {
    name_ = std::move(name);
}

std::unique_ptr<DescBranch> DescBranch::Clone(const DescBranch* watched, DescBranch** copyOfWatched) const {
    auto copy = std::make_unique<DescBranch>(name_, count_, index_, image_, selectedImage_);
    copy->members_ = members_;
    copy->memberOrder_ = memberOrder_;
    copy->networkParameters_ = networkParameters_;
    for (const auto& sub : subBranches_) copy->subBranches_.push_back(sub->Clone(watched, copyOfWatched));
    if (this == watched && copyOfWatched) *copyOfWatched = copy.get();
    return copy;
}

void DescBranch::addParameterMember(const DescParameter& parameter) {
    members_.push_back(parameter);
    memberOrder_.push_back(false);
}

void DescBranch::addBranchMember(std::unique_ptr<DescBranch> branch) {
    subBranches_.push_back(std::move(branch));
    memberOrder_.push_back(true);
}

template <typename Own, typename Sub>
ExchangeCounts DescBranch::extended(ParameterExchange& link, Own own, Sub sub) {
    if (link.cancelled()) return {};
    ExchangeCounts counts = own();
    for (const auto& branch : subBranches_) counts += sub(*branch);
    return counts;
}

ExchangeCounts DescBranch::CompareValues(ParameterExchange& link) {
    return extended(
        link, [&] { return InvisibleElement::CompareValues(link); },
        [&](DescBranch& b) { return b.CompareValues(link); });
}

ExchangeCounts DescBranch::ReadValues(ParameterExchange& link) {
    return extended(
        link, [&] { return InvisibleElement::ReadValues(link); }, [&](DescBranch& b) { return b.ReadValues(link); });
}

ExchangeCounts DescBranch::WriteValues(ParameterExchange& link, int mode) {
    return extended(
        link, [&] { return InvisibleElement::WriteValues(link, mode); },
        [&](DescBranch& b) { return b.WriteValues(link, mode); });
}

void DescBranch::ResetValues() {
    InvisibleElement::ResetValues();
    for (const auto& sub : subBranches_) sub->ResetValues();
}

int DescBranch::Build(bool indexed, int base, UserInterface& ui) {
    // The numbering runs modulo 2^32 like the 32-bit data index it gives: a description
    // nesting "*9" deep enough cannot overflow it.
    using Wrapping = std::uint32_t;
    Wrapping position = Wrapping(count_) * Wrapping(base) + Wrapping(index_) - 1;
    int digit = 0;
    if (takeSuffix(name_, '*', digit)) position *= Wrapping(digit);
    if (takeSuffix(name_, '+', digit)) {
        position += Wrapping(digit);
        if (name_ != "K20") index_ += digit;
    }
    if (count_ > 1) {
        if (name_.find('#') == std::string::npos) {
            if (isAdditionalOutputStatus(name_)) index_ += 8;
            name_ += '#';
        }
        replaceAll(name_, "#", " " + std::to_string(index_));
    }

    int stride = 1;
    for (const auto& sub : subBranches_)
        stride = std::max(stride, sub->Build(indexed || count_ > 1, static_cast<int>(position), ui));

    replaceAll(name_, "_", " ");
    const auto dataIndex = static_cast<int>(Wrapping(stride) * position);
    for (const auto& member : members_) createParameter(member, indexed || count_ > 1, dataIndex, ui);
    if (IsSingleParameterBranch()) parameters_.front()->description = name_;
    return static_cast<int>(Wrapping(count_) * Wrapping(stride));
}

void DescBranch::createParameter(const DescParameter& member, bool indexed, int dataIndex, UserInterface& ui) {
    std::unique_ptr<Parameter> p;
    try {
        p = std::make_unique<Parameter>(member.name);
    } catch (const std::bad_alloc&) {
        ui.message(Text("IDS_STRING849"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    p->description = member.description;
    replaceAll(p->description, "_", " ");
    std::string base;
    int places = 0;
    if (splitDecimalPlaces(member.typeDefinition, base, places)) {
        p->type = base;
        p->decimalPlaces = places;
    } else {
        p->type = member.typeDefinition;
    }
    p->lowLimit = member.lowLimit;
    p->highLimit = member.highLimit;
    p->hasAttributes = member.hasAttributes ? 1 : 0;
    p->configurationValue = member.initValue;
    p->tableMode = member.tableMode;
    if (!p->name.empty() && p->name.front() == '!') {
        p->name.erase(0, 1);
        p->userEditable = 0;
    }
    if (indexed) {
        p->indexed = 1;
        p->dataIndex = dataIndex;
    }
    parameters_.push_back(std::move(p));
}

void DescBranch::PrepareScanning() {
    for (const auto& p : parameters_) p->PrepareSampling();
    for (const auto& sub : subBranches_) sub->PrepareScanning();
}

std::pair<std::size_t, std::size_t> DescBranch::TemplateSize() const {
    std::pair<std::size_t, std::size_t> size{1, members_.size()};
    for (const auto& sub : subBranches_) {
        const auto [branches, parameters] = sub->TemplateSize();
        size.first += branches;
        size.second += parameters;
    }
    return size;
}

bool DescBranch::IsSingleParameterBranch() const { return subBranches_.empty() && parameters_.size() == 1; }

std::variant<Parameter*, DescBranch*> DescBranch::SingleParameterOrSelf() {
    if (IsSingleParameterBranch()) return parameters_.front().get();
    return this;
}

Parameter* DescBranch::FindParameters(std::string_view name, std::map<int, Parameter*>* map, int* largestIndex,
                                      int* step, int wantedIndex) {
    const bool collecting = map || largestIndex;
    if (Parameter* p = FindParameter(name)) {
        if (collecting) {
            if (map) (*map)[p->dataIndex & 0xFFFF] = p;
            if (largestIndex) {
                if (step && *step == 0) *step = p->dataIndex - *largestIndex;
                *largestIndex = std::max(*largestIndex, p->dataIndex);
            }
        } else if (p->dataIndex == wantedIndex) {
            return p;
        }
    }
    for (const auto& sub : subBranches_) {
        Parameter* found = sub->FindParameters(name, map, largestIndex, step, wantedIndex);
        if (found && !collecting) return found;
    }
    return nullptr;
}

RowId DescBranch::InsertIntoView(const ViewInsertion& view, RowId parent) {
    const RowId row = InsertOwnRow(view.sink, parent, view.showIndexes);
    const std::string actuator = Text("IDS_STRING850");
    if (index_ > 8 && !actuator.empty() && name_.compare(0, actuator.size(), actuator) == 0) {
        RowEntry type;
        type.kind = RowKind::ActuatorType;
        type.text = Text("IDS_STRING851");
        type.value = Text("IDS_STRING852");
        type.image = type.selectedImage = kActuatorTypeImage;
        type.element = this;
        view.sink.addRow(row, type);
    }

    int parameterRows = 0;
    ForEachMember(
        [&](Parameter& parameter) {
            InsertParameterRow(view.sink, row, parameter, view.showIndexes);
            ++parameterRows;
        },
        [&](DescBranch& sub) {
            if (!sub.IsSingleParameterBranch()) {
                sub.InsertIntoView(view, row);
                return;
            }
            Parameter& single = *sub.parameters_.front();
            const RowId singleRow = InsertParameterRow(view.sink, row, single, view.showIndexes);
            ++parameterRows;
            insertDecodingRows(view, singleRow, single);
        });
    shownCount_ = parameterRows;
    return row;
}

void DescBranch::ForEachMember(const std::function<void(Parameter&)>& onParameter,
                               const std::function<void(DescBranch&)>& onBranch) const {
    std::size_t nextParameter = 0, nextBranch = 0;
    for (const bool isBranch : memberOrder_) {
        if (isBranch) {
            onBranch(*subBranches_[nextBranch++]);
        } else if (nextParameter < parameters_.size()) {
            // A parameter that could not be created is left out.
            onParameter(*parameters_[nextParameter++]);
        }
    }
}

void DescBranch::insertDecodingRows(const ViewInsertion& view, RowId parent, Parameter& parameter) {
    RowEntry row;
    row.kind = RowKind::Decoding;
    row.image = row.selectedImage = kDecodingImage;
    row.parameter = &parameter;
    for (const auto& rows : kDecodingRows) {
        if (!equalsIgnoringCase(parameter.name, rows.parameter)) continue;
        const bool code = equalsIgnoringCase(parameter.name, "CodP");
        const CodeParameterRows codeRows = code ? parameter.CodeRows() : CodeParameterRows{};
        for (int i = 0; i < rows.rows; ++i) {
            row.decodingRow = i;
            row.text = Text("IDS_STRING" + std::to_string(rows.firstKey + i));
            row.value = code ? codeRows.children[i] : std::string();
            view.sink.addRow(parent, row);
        }
        return;
    }
    if (!(equalsIgnoringCase(parameter.name, "Rd.St") || equalsIgnoringCase(parameter.name, "Stat")) ||
        !view.statusRowLabel)
        return;
    // A status value has at most 32 bits to decode.
    for (int i = 0; i < 32; ++i) {
        row.decodingRow = i;
        row.text = view.statusRowLabel(i);
        if (row.text.empty()) break;
        view.sink.addRow(parent, row);
    }
}

}  // namespace vantor
