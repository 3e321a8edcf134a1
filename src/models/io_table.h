#pragma once
// The content of the I/O status dialog's tables as the device model gives it: column
// titles and rows of cells that carry their parameter. The dialog lays them out
// (centred columns of equal width, full-row selection, tooltips) and polls them.

#include <string>
#include <vector>

namespace vantor {

class Parameter;

struct IoCell {
    std::string text;
    Parameter* parameter = nullptr;  // not owned: a parameter of the scanners tree
    bool readOnly = true;
    bool button = false;  // a push button: the counter reset
};

struct IoTable {
    std::vector<std::string> columns;
    std::vector<std::vector<IoCell>> rows;
};

}  // namespace vantor
