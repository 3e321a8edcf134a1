#include "text/texts.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/string_utils.h"

extern const unsigned char vantor_messages_en[];
extern const std::size_t vantor_messages_en_size;
extern const unsigned char vantor_names[];
extern const std::size_t vantor_names_size;
extern const unsigned char vantor_string_table[];
extern const std::size_t vantor_string_table_size;

namespace vantor {
namespace {

constexpr std::size_t kMaxLineBytes = 2559;
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

// Lines end at LF; CR bytes are dropped wherever they stand; a last line without its
// LF is not taken.
std::vector<std::string> tableLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\n') {
            lines.push_back(line.substr(0, kMaxLineBytes));
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    return lines;
}

// Key up to the first TAB after any leading TABs, the rest after that TAB.
std::pair<std::string, std::string> splitKey(const std::string& line) {
    const std::size_t start = line.find_first_not_of('\t');
    if (start == std::string::npos) return {};
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string::npos) return {line.substr(start), {}};
    return {line.substr(start, tab - start), line.substr(tab + 1)};
}

std::string trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(kWhiteSpace);
    return std::string(s.substr(first, last - first + 1));
}

std::string unescape(std::string_view raw, std::string_view lineBreak) {
    std::string s = trim(raw);
    replaceAll(s, "\\t", "\t");
    replaceAll(s, "\\r", "\r");
    replaceAll(s, "\\n", lineBreak);
    return s;
}

}  // namespace

void TextTables::load(std::string_view messages, std::string_view names, std::string_view strings) {
    texts_.clear();
    names_.clear();
    idsByName_.clear();
    strings_.clear();
    for (const std::string& line : tableLines(messages)) {
        auto [key, text] = splitKey(line);
        texts_[key] = text;
    }
    for (const std::string& line : tableLines(names)) {
        auto [name, rest] = splitKey(line);
        const std::string number = trim(rest);
        names_[number] = name;
        idsByName_[name] = std::atoi(number.c_str());
    }
    for (const std::string& line : tableLines(strings)) {
        auto [number, text] = splitKey(line);
        strings_[std::atoi(number.c_str())] = unescape(text, "\r\n");
    }
}

std::string TextTables::textByKey(std::string_view key) const {
    const auto it = texts_.find(key);
    if (it == texts_.end()) return "???";
    return unescape(it->second, "\n");
}

std::string TextTables::textByKeyOrId(std::string_view key, int id) const {
    if (const auto it = texts_.find(key); it != texts_.end()) return unescape(it->second, "\r\n");
    const auto fallback = strings_.find(id);
    return fallback == strings_.end() ? std::string() : fallback->second;
}

bool TextTables::textById(int id, int part, std::string& text) const {
    const auto name = names_.find(std::to_string(id));
    if (name == names_.end()) return false;
    const std::string whole = textByKeyOrId(name->second, id);
    const std::size_t lastBreak = whole.rfind('\n');
    switch (part) {
    case 1:
        text = (lastBreak == std::string::npos || lastBreak == 0) ? std::string() : whole.substr(0, lastBreak);
        break;
    case 2: text = lastBreak == std::string::npos ? std::string() : whole.substr(lastBreak + 1); break;
    default: text = whole;
    }
    return true;
}

int TextTables::idOfName(std::string_view name) const {
    const auto it = idsByName_.find(name);
    return it == idsByName_.end() ? -1 : it->second;
}

const TextTables& texts() {
    static const TextTables tables = [] {
        TextTables t;
        t.load({reinterpret_cast<const char*>(vantor_messages_en), vantor_messages_en_size},
               {reinterpret_cast<const char*>(vantor_names), vantor_names_size},
               {reinterpret_cast<const char*>(vantor_string_table), vantor_string_table_size});
        return t;
    }();
    return tables;
}

std::string TextByKey(std::string_view key) { return texts().textByKey(key); }

std::string TextByKeyOrId(std::string_view key, int id) { return texts().textByKeyOrId(key, id); }

bool TextById(int id, int part, std::string& text) { return texts().textById(id, part, text); }

std::string Text(std::string_view key) { return texts().textByKeyOrId(key, texts().idOfName(key)); }

// The formats are our own table's texts, each written for the one argument it gets.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
std::string FormatText(const std::string& format, long long value) {
    // The table's formats use %i/%d/%u with an int argument.
    const int n = std::snprintf(nullptr, 0, format.c_str(), static_cast<int>(value));
    std::string out(n > 0 ? n : 0, '\0');
    std::snprintf(out.data(), out.size() + 1, format.c_str(), static_cast<int>(value));
    return out;
}

std::string FormatText(const std::string& format, const std::string& value) {
    const int n = std::snprintf(nullptr, 0, format.c_str(), value.c_str());
    std::string out(n > 0 ? n : 0, '\0');
    std::snprintf(out.data(), out.size() + 1, format.c_str(), value.c_str());
    return out;
}
#pragma GCC diagnostic pop

}  // namespace vantor
