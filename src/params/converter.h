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

// True for the catalogue models (KQ-01, KQ-08, KQ-09, KQ-13, KQ-19 by index) whose
// readings "rEAd", "iRDt" and "iRD" have their own reply forms.
bool modelHasReadingForms(int model);

// What the device model of the module at hand tells the decoder. The default is no
// model: the readings decode by their type.
struct CodecContext {
    // "rEAd", "iRDt" and "iRD" have their own reply forms: a status byte, a 16-bit
    // value, or a float followed by two status bytes. Device models derived from the
    // catalogue models with reading forms set it for themselves.
    bool readingForms = false;
    // How the float of a 6-byte reading is shown; empty: "%.3f".
    std::function<std::string(double)> formatReal;

    // The context of a catalogue model index (-1 or out of range: no model).
    static CodecContext ofModel(int model);
};

class MyConverter {
public:
    MyConverter();
    explicit MyConverter(std::string name);
    virtual ~MyConverter() = default;

    // Encodes `text` for a write into at most 4 bytes. kConvertOk; kConvertImpossible
    // when the text cannot be encoded; kConvertRejected when the parameter has no
    // setter or the text was refused with a message (left in `reason` when given).
    int ConvertToData(const std::string& text, Bytes& data, std::string* reason = nullptr) const;
    // Decodes a reply into `text` by the rules of `context`. kConvertOk;
    // kConvertImpossible when it cannot be decoded; kConvertRejected when its length
    // does not fit (text = the message).
    int ConvertFromData(const std::uint8_t* data, int count, std::string& text, const CodecContext& context = {});
    int ConvertFromData(const Bytes& data, std::string& text, const CodecContext& context = {}) {
        return ConvertFromData(data.data(), static_cast<int>(data.size()), text, context);
    }
    // What the exchange uses: decodes and stores the text as the value text whenever
    // the result is not kConvertImpossible.
    int StoreFromData(const std::uint8_t* data, int count, const CodecContext& context = {});

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
