#include "view/sample_decoding.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/string_utils.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

// The reading as "%i" takes it: decimal, 0x hexadecimal or 0 octal, rest ignored.
std::optional<std::uint32_t> IntegerOf(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const long long number = std::strtoll(begin, &end, 0);
    if (end == begin) return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

std::vector<std::string> SwitchRows(std::uint32_t bits, std::size_t rows, const char* onKey, const char* offKey) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < rows; ++i, bits >>= 1) texts.push_back(Text((bits & 1) ? onKey : offKey));
    return texts;
}

std::string MeasurementStatus(std::uint32_t code) {
    static const std::pair<std::uint32_t, const char*> kTexts[] = {
        {0, "IDS_STRING475"},   {240, "IDS_STRING473"}, {246, "IDS_STRING474"}, {247, "IDS_STRING476"},
        {250, "IDS_STRING368"}, {251, "IDS_STRING369"}, {253, "IDS_STRING480"}, {255, "IDS_STRING481"},
    };
    for (const auto& [number, key] : kTexts)
        if (number == code) return Text(key);
    return Text("IDS_STRING482");
}

}  // namespace

DecodedSample DecodeSample(const std::string& name, const std::string& value, std::size_t rows,
                           const StatusBitText& statusText) {
    DecodedSample decoded{value, {}};
    const std::optional<std::uint32_t> number = IntegerOf(value);
    if (!number) return decoded;
    if (equalsIgnoringCase(name, "r.cn")) {
        decoded.rowValues = SwitchRows(*number, rows, "IDS_STRING696", "IDS_STRING697");
    } else if (equalsIgnoringCase(name, "s.do")) {
        decoded.rowValues = SwitchRows(*number, rows, "IDS_STRING698", "IDS_STRING699");
    } else if (equalsIgnoringCase(name, "rd.st") || equalsIgnoringCase(name, "stat")) {
        decoded.value = FormatTextArgs("0x%02x", *number);
        for (std::size_t i = 0; i < rows; ++i)
            decoded.rowValues.push_back(statusText ? statusText(static_cast<int>(i), *number) : std::string());
    } else if (equalsIgnoringCase(name, "srd")) {
        decoded.value = MeasurementStatus(*number);
    }
    return decoded;
}

}  // namespace vantor::gui
