#pragma once
// The value codec: turns a parameter's value text into the data bytes a module takes
// and the bytes a module answers back into text, by type string and by name.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

using Bytes = std::vector<std::uint8_t>;

// Results of the conversions.
constexpr int kConvertOk = 1;
constexpr int kConvertImpossible = 0;  // the text or reply cannot be converted at all
constexpr int kConvertRejected = -1;   // no setter, rejected text or unfitting length

// The longest value text the encoder takes; a longer one is refused, not cut.
constexpr std::size_t kMaxValueText = 511;

// How a 6-byte reading of "rEAd", "iRDt" or "iRD" is shown. The current device model
// provides it; until one does, the number is shown with "%.3f".
using RealValueFormatter = std::function<std::string(double)>;
void setRealValueFormatter(RealValueFormatter formatter);  // empty: back to "%.3f"
std::string formatRealValue(double value);

// True while the current model gives "rEAd", "iRDt" and "iRD" their own reply forms
// (status byte, 16-bit value or float). The device models replace the default test
// (models KQ-01, KQ-08, KQ-09, KQ-13, KQ-19) to add the models derived from them.
using ReadingModelTest = std::function<bool(int model)>;
void setReadingModelTest(ReadingModelTest test);  // empty: back to the default
bool modelHasReadingForms(int model);

class MyConverter {
public:
    MyConverter();
    explicit MyConverter(std::string name);
    virtual ~MyConverter() = default;

    // Encodes `text` for a write into at most 4 bytes. kConvertOk; kConvertImpossible
    // when the text cannot be encoded; kConvertRejected when the parameter has no
    // setter or the text was refused with a message (left in `reason` when given).
    int ConvertToData(const std::string& text, Bytes& data, std::string* reason = nullptr) const;
    // Decodes a reply into `text`. kConvertOk; kConvertImpossible when it cannot be
    // decoded; kConvertRejected when its length does not fit (text = the message).
    int ConvertFromData(const std::uint8_t* data, int count, std::string& text);
    int ConvertFromData(const Bytes& data, std::string& text) {
        return ConvertFromData(data.data(), static_cast<int>(data.size()), text);
    }
    // What the exchange uses: decodes and stores the text as the value text whenever
    // the result is not kConvertImpossible.
    int StoreFromData(const std::uint8_t* data, int count);

    // The element at `index` of the type string; empty for a negative index, the
    // number itself when the type has no ":", "no data" past the end of the list.
    std::string EnumText(int index) const;
    // Position of the element equal to `text` (letter case ignored), or -1.
    int EnumIndex(const std::string& text) const;

    std::optional<float> lastNumber;  // the last decoded float
    std::string name;
    std::string valueText;
    std::string type;
    std::int32_t decimalPlaces = 0;  // for writing "STORED_DOT"; 0 = automatic
    double highLimit = 0;
    double lowLimit = 0;
};

}  // namespace vantor
