#pragma once
// Reading numbers out of the texts a person types for a value.

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// The text with its trailing blanks and control characters removed.
std::string_view withoutTrailingBlanks(std::string_view text);
// A number read as "%f" reads it (leading number, rest ignored); none when the text
// does not start with one or the number is not finite.
std::optional<double> leadingNumber(const std::string& text);
// A number a person typed for a value: the whole text (surrounding blanks allowed) is an
// optional sign, digits and at most one decimal separator, '.' or ',' (many engineers type
// a decimal comma). None for anything else: "1.5x", "2..5", "1.5 7", "--", "1e3", "".
std::optional<double> typedDecimal(std::string_view text);
// A whole number: a typed decimal whose fraction is at most 0.00001.
std::optional<long long> wholeInteger(std::string_view text);
// Seconds of a "m:ss" text: each digit multiplies the total by 10, except the first
// digit after a ":", which multiplies it by 6 when two or more characters follow the
// ":" and by 60 when only one does ("12:34" = 754, "12:3" = 723). None for any
// character other than a digit or ":", and for a text without a digit.
std::optional<long long> clockSeconds(std::string_view text);

}  // namespace vantor
