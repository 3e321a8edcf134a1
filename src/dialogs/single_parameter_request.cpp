#include "dialogs/single_parameter_request.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "description/description_values.h"
#include "link/parameter_link.h"
#include "params/type_names.h"
#include "platform/string_utils.h"
#include "protocol/name_hash.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr int kHighestPlainAddressIndex = 7;

std::string shownWithBlanks(std::string text) {
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

std::string withoutCannotEditMark(std::string name) {
    if (!name.empty() && name.front() == '!') name.erase(0, 1);
    return name;
}

// "float:2" and the like, two elements only: the base type with that many decimal places.
bool splitFixedPoint(const std::string& definition, std::string& base, int& places) {
    static const char* const kBases[] = {"int", "int16", "CLK_frm", "stored_dot", "float"};
    const std::vector<std::string> elements = typeElements(definition);
    if (elements.size() != 2) return false;
    if (std::none_of(std::begin(kBases), std::end(kBases),
                     [&](const char* name) { return equalsIgnoringCase(elements[0], name); }))
        return false;
    places = std::atoi(elements[1].c_str());
    if (places == 0) return false;
    base = elements[0];
    return true;
}

// An enumeration's values are offered for a write; a number or a text is typed. The
// fixed-point form "float:2" is a number, not a list of two choices.
bool isEnumeration(const std::string& definition) {
    std::string base;
    int places = 0;
    return classifyType(definition) == TypeKind::Enumeration && !splitFixedPoint(definition, base, places);
}

// The element a shown choice stands for, so that a type written with "_" still encodes
// the choice picked from the list; any other text as it is.
std::string elementForShown(const std::string& definition, const std::string& shown) {
    for (const std::string& element : typeElements(definition))
        if (equalsIgnoringCase(shownWithBlanks(element), shown)) return element;
    return shown;
}

}  // namespace

std::optional<std::uint16_t> typedHashCode(std::string_view typed) {
    if (typed.size() < 3 || typed.size() > 6 || typed[0] != '0' || (typed[1] != 'x' && typed[1] != 'X'))
        return std::nullopt;
    std::uint16_t code = 0;
    const char* const end = typed.data() + typed.size();
    const auto [stop, error] = std::from_chars(typed.data() + 2, end, code, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    return code;
}

const DescParameter* findDescribedParameter(const std::vector<DescParameter>& described, std::string_view typed) {
    const std::optional<std::uint16_t> code = typedHashCode(typed);
    const auto named = [&](const DescParameter& entry) {
        return code ? hash_name(entry.name) == *code : equalsIgnoringCase(entry.name, typed);
    };
    const auto found = std::find_if(described.begin(), described.end(), named);
    return found == described.end() ? nullptr : &*found;
}

ParameterSummary summarizeParameter(const std::vector<DescParameter>& described, const std::string& typed) {
    const std::optional<std::uint16_t> code = typedHashCode(typed);
    ParameterSummary summary;
    summary.hashText = FormatTextArgs("0x%X", unsigned{code ? *code : hash_name(typed)});

    const DescParameter* entry = findDescribedParameter(described, typed);
    const std::string type = entry ? entry->typeDefinition : Text("IDS_STRING317");
    const std::string description = entry ? shownWithBlanks(entry->description) : Parameter().description;
    summary.details = description + " (" + type + ")";
    if (entry && isEnumeration(type))
        for (const std::string& element : typeElements(type))
            if (element.find("<hide>") == std::string::npos) summary.writeChoices.push_back(shownWithBlanks(element));
    return summary;
}

std::unique_ptr<SingleExchange> SingleExchange::prepare(const std::vector<DescParameter>& described,
                                                        const SingleRequest& request) {
    const DescParameter* entry = findDescribedParameter(described, request.name);
    if (!entry) return nullptr;
    return std::unique_ptr<SingleExchange>(new SingleExchange(*entry, request));
}

SingleExchange::SingleExchange(const DescParameter& entry, const SingleRequest& request)
    : parameter_(withoutCannotEditMark(entry.name)), write_(request.write) {
    std::string base;
    int places = 0;
    if (splitFixedPoint(entry.typeDefinition, base, places)) {
        parameter_.type = base;
        parameter_.decimalPlaces = places;
    } else {
        parameter_.type = entry.typeDefinition;
    }

    if (request.useIndex && request.indexKind == IndexKind::Address) {
        parameter_.addressOffset = request.index;
        report_.push_back(Text("IDS_STRING303"));
        if (request.index > kHighestPlainAddressIndex) report_.push_back(Text("IDS_STRING311"));
    } else if (request.useIndex) {
        parameter_.indexed = 1;
        parameter_.dataIndex = request.index;
        report_.push_back(Text("IDS_STRING312"));
    }
    report_.push_back(parameter_.name + " (" + entry.typeDefinition + ")");
    if (write_) parameter_.valueText = elementForShown(entry.typeDefinition, request.writeText);
}

void SingleExchange::run(ParameterLink& link) {
    const int result = link.ExchangeParameter(write_ ? 0 : 1, &parameter_, &report_);
    if (result != 0) {
        // An encoding failure has already said so in the report and left no error text.
        if (!parameter_.errorText.empty()) report_.push_back(parameter_.errorText);
        return;
    }
    if (!parameter_.errorText.empty()) report_.push_back(Text("IDS_STRING313") + " " + parameter_.errorText);
    if (write_) {
        report_.push_back(Text("IDS_STRING314") + parameter_.valueText + "'");
    } else {
        report_.push_back(Text("IDS_STRING315"));
        report_.push_back(parameter_.valueText);
    }
}

}  // namespace vantor
