#pragma once
// Printing a parameter tree as the commands show it: text indented as describe does,
// TSV one line per parameter, or JSON nested by branch; with the marks (changed,
// editable, owner) when the tree comes from a file.

#include <string>

#include "description/desc_branch.h"

namespace vantor::cli {

enum class TreeFormat { Text, Tsv, Json };

// Takes "text", "tsv" or "json"; false for anything else.
bool parseTreeFormat(const std::string& word, TreeFormat& format);
extern const char kTreeFormatError[];

void printTree(const DescBranch& root, TreeFormat format, bool withMarks);

// "changed" when a changed flag is set, else empty.
std::string changedMark(const Parameter& parameter);
// "read/write" or "read-only".
std::string editableMark(const Parameter& parameter);
// "Company" or "unknown" (owned by the user).
std::string ownerMark(const Parameter& parameter);

}  // namespace vantor::cli
