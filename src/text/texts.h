#pragma once
// Keyed texts: every text the person sees is looked up by a symbolic key in the table
// compiled into the program (resources/messages_en.txt), with the string table
// (resources/strings_en.txt) as the fallback by numeric id and the name table
// (resources/names.txt) mapping numeric ids to symbolic names.

#include <map>
#include <string>
#include <string_view>

namespace vantor {

class TextTables {
public:
    // Builds the maps from the raw bytes of the three tables (CR LF lines, key TAB
    // text; name TAB TAB number; number TAB text).
    void load(std::string_view messages, std::string_view names, std::string_view strings);

    // Dialog captions and control texts: "???" when the key is missing.
    std::string textByKey(std::string_view key) const;
    // Messages, labels, menu entries: the string-table text of `id` when the key is
    // missing, an empty text when that is missing too.
    std::string textByKeyOrId(std::string_view key, int id) const;
    // Status-bar prompts (part 1), tooltips (part 2) or the whole text (part 0) of a
    // numeric resource id; false when the id has no symbolic name.
    bool textById(int id, int part, std::string& text) const;
    // The numeric id the name table gives a symbolic name, or -1.
    int idOfName(std::string_view name) const;

private:
    std::map<std::string, std::string, std::less<>> texts_;  // key -> raw text
    std::map<std::string, std::string, std::less<>> names_;  // id text -> name
    std::map<std::string, int, std::less<>> idsByName_;
    std::map<int, std::string> strings_;  // id -> string-table text
};

// The tables compiled into the program, loaded on first use.
const TextTables& texts();

std::string TextByKey(std::string_view key);
std::string TextByKeyOrId(std::string_view key, int id);
bool TextById(int id, int part, std::string& text);

// The message text of a symbolic key, falling back to the string table by the id the
// name table gives the key: what messages, column titles and value words use.
std::string Text(std::string_view key);

// printf-style formatting of a text from the table with one argument ("%i", "%s").
std::string FormatText(const std::string& format, long long value);
std::string FormatText(const std::string& format, const std::string& value);

}  // namespace vantor
