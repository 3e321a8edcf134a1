#pragma once
// Type strings: "int", "STORED_DOT", ... or an enumeration whose elements, joined by
// ":", are the texts of the values 0, 1, 2, ... Type and parameter names are compared
// ignoring letter case.

#include <string>
#include <string_view>
#include <vector>

#include "platform/string_utils.h"

namespace vantor {

enum class TypeKind { StoredDot, Float, Int, Int16, SInt, SInt16, Clock, String, Name, Void, Enumeration };

// The elements of a type string split at ":", empty ones kept.
std::vector<std::string> typeElements(std::string_view type);
// The first non-empty element, or empty.
std::string typeBaseName(std::string_view type);
// "string", "ASCII", "name" and "void" are matched against the whole type string,
// the rest against its first non-empty element. A blank stands for "_" in a type name,
// because descriptions turn "_" into blanks.
TypeKind classifyType(std::string_view type);
// The types the view edits as text: "string", "ASCII", "int", "int16", "CLK_frm",
// "float", "stored_dot", "name" and the unknown type; any other is a list of choices.
bool isBasicType(std::string_view type);

}  // namespace vantor
