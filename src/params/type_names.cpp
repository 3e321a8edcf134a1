#include "params/type_names.h"

#include <algorithm>

#include "text/texts.h"

namespace vantor {

namespace {

bool sameTypeName(std::string given, std::string_view wanted) {
    std::replace(given.begin(), given.end(), ' ', '_');
    return equalsIgnoringCase(given, wanted);
}

}  // namespace

std::vector<std::string> typeElements(std::string_view type) {
    std::vector<std::string> elements;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = type.find(':', start);
        elements.emplace_back(type.substr(start, colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    return elements;
}

std::string typeBaseName(std::string_view type) {
    for (const std::string& element : typeElements(type))
        if (!element.empty()) return element;
    return {};
}

TypeKind classifyType(std::string_view type) {
    struct WholeName {
        const char* name;
        TypeKind kind;
    };
    static const WholeName kWhole[] = {
        {"string", TypeKind::String},
        {"ASCII", TypeKind::String},
        {"name", TypeKind::Name},
        {"void", TypeKind::Void},
    };
    for (const WholeName& whole : kWhole)
        if (equalsIgnoringCase(type, whole.name)) return whole.kind;

    static const WholeName kBase[] = {
        {"STORED_DOT", TypeKind::StoredDot}, {"float", TypeKind::Float}, {"int", TypeKind::Int},
        {"int16", TypeKind::Int16},          {"sint", TypeKind::SInt},   {"sint16", TypeKind::SInt16},
        {"CLK_frm", TypeKind::Clock},
    };
    const std::string base = typeBaseName(type);
    for (const WholeName& entry : kBase)
        if (sameTypeName(base, entry.name)) return entry.kind;
    return TypeKind::Enumeration;
}

bool isBasicType(std::string_view type) {
    static const char* const kBasic[] = {"string", "ASCII", "int", "int16", "CLK_frm", "float", "STORED_DOT", "name"};
    const std::string base = typeBaseName(type);
    for (const char* name : kBasic)
        if (sameTypeName(base, name)) return true;
    return equalsIgnoringCase(type, Text("IDS_UNKNOWN_TYPE"));
}

}  // namespace vantor
