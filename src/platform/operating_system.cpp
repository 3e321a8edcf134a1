#include "platform/operating_system.h"

#include <sys/utsname.h>

#include <fstream>
#include <map>
#include <sstream>

namespace vantor {

namespace {

// An os-release value: shell-like, optionally in single or double quotes, with
// backslash escapes inside double quotes.
std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
        return std::string(value.substr(1, value.size() - 2));
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size()) ++i;
        text += value[i];
    }
    return text;
}

std::map<std::string, std::string> osReleaseFields(std::string_view content) {
    std::map<std::string, std::string> fields;
    std::istringstream lines{std::string(content)};
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        fields[line.substr(0, equals)] = unquoted(std::string_view(line).substr(equals + 1));
    }
    return fields;
}

std::string distributionName(std::string_view osRelease) {
    const auto fields = osReleaseFields(osRelease);
    const auto field = [&](const char* key) {
        const auto found = fields.find(key);
        return found == fields.end() ? std::string() : found->second;
    };
    if (!field("PRETTY_NAME").empty()) return field("PRETTY_NAME");
    std::string name = field("NAME");
    const std::string version = field("VERSION");
    if (!name.empty() && !version.empty()) name += ' ';
    return name + version;
}

std::string fileContent(const char* path) {
    std::ifstream file(path);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace

std::string DescribeOperatingSystem(std::string_view osRelease, std::string_view kernel) {
    std::string text = distributionName(osRelease);
    if (!text.empty() && !kernel.empty()) text += ", ";
    return text + std::string(kernel);
}

std::string OperatingSystemText() {
    std::string osRelease = fileContent("/etc/os-release");
    if (osRelease.empty()) osRelease = fileContent("/usr/lib/os-release");
    std::string kernel;
    if (utsname names{}; ::uname(&names) == 0)
        kernel = std::string(names.sysname) + ' ' + names.release + ' ' + names.machine;
    return DescribeOperatingSystem(osRelease, kernel);
}

}  // namespace vantor
