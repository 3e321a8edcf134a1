#pragma once
// How a sampled reading of a status or switch parameter is shown: the value text of
// the sampled row and the texts of the decoding rows below it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantor::gui {

struct DecodedSample {
    std::string value;                   // the sampled row's value column
    std::vector<std::string> rowValues;  // the rows below, first to last; empty: left as they are
};

// The device model's text for status bit `row` of `value`.
using StatusBitText = std::function<std::string(int row, std::uint32_t value)>;

// `rows` is the number of rows below the sampled row. Readings of other parameters, and
// readings that are no integer, are shown as they came.
DecodedSample DecodeSample(const std::string& name, const std::string& value, std::size_t rows,
                           const StatusBitText& statusText);

}  // namespace vantor::gui
