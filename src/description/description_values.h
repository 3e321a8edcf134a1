#pragma once
// The value objects a tree description is parsed into: constants and types, which live
// only while one description is read, and description parameters, the templates from
// which the build creates the live parameters.

#include <string>

namespace vantor {

struct DescConst {
    std::string name;
    double value = 0;
};

// A named type; `definition` is the ":"-separated type string the codecs interpret.
struct DescType {
    std::string name;
    std::string definition;
};

struct DescParameter {
    std::string name;            // leading "@" removed; a leading "!" stays for the build
    std::string typeDefinition;  // resolved through the types
    std::string description;     // as written; "_" becomes a blank at build time
    double lowLimit = 0;
    double highLimit = 0;
    bool hasAttributes = true;  // false with "noattr"
    std::string initValue;      // "_" already replaced by blanks
    int tableNumber = 0;        // 1..5 from "table1".."table5"
    int tableArgument = 0;
    int tableMode = 0;  // 1 for a trailing "+", 2 for a trailing "*"
};

}  // namespace vantor
