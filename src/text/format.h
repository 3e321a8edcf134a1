#pragma once
// printf-style formatting of a text from the table with several arguments (the
// one-argument forms are in texts.h).

#include <cstdio>
#include <string>

namespace vantor {

// The formats are our own table's texts, each written for the arguments it gets.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
template <class... Args>
std::string FormatTextArgs(const std::string& format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format.c_str(), args...);
    std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    std::snprintf(out.data(), out.size() + 1, format.c_str(), args...);
    return out;
}
#pragma GCC diagnostic pop

}  // namespace vantor
