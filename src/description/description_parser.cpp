// The tree description language: one statement per line, tokens separated by blanks
// and tabs, keywords in any letter case.

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <stdexcept>

#include "description/description_names.h"
#include "description/tree_description.h"
#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

std::vector<std::string> splitTokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string::npos) {
        const std::size_t end = line.find_first_of(" \t", at);
        tokens.push_back(line.substr(at, end - at));
        at = end;
    }
    return tokens;
}

std::string blanksForUnderscores(std::string text) {
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

// Numbers as the C library's atol and atof read them (leading part, else 0); the real
// number does not depend on the process locale.
long readInteger(const std::string& token) { return std::atol(token.c_str()); }

double readReal(const std::string& token) {
    const char* at = token.c_str();
    const char* const end = at + token.size();
    while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    const bool negative = at < end && *at == '-';
    if (at < end && (*at == '+' || *at == '-')) ++at;
    auto format = std::chars_format::general;
    if (end - at > 2 && at[0] == '0' && (at[1] == 'x' || at[1] == 'X')) {
        at += 2;  // "0x1A", "0x1p4": hexadecimal, as atof reads it
        format = std::chars_format::hex;
    }
    if (at < end && *at == '-') return 0;  // one sign only
    double value = 0;
    std::from_chars(at, end, value, format);
    return negative ? -value : value;
}

bool endsWith(const std::string& text, char c) { return !text.empty() && text.back() == c; }

bool compareVersions(const std::string& op, const FirmwareVersion& device, const FirmwareVersion& reference) {
    const std::pair d{device.major, device.minor};
    const std::pair r{reference.major, reference.minor};
    if (op == "<") return d < r;
    if (op == ">") return d > r;
    if (op == "<=") return d <= r;
    if (op == ">=") return d >= r;
    return true;  // any other operator: the lines that follow are used
}

// Far more branches than any module has (its data indexes are 16-bit), and far more
// parameter copies than the largest tree holds.
constexpr std::size_t kMaxBranches = 1u << 16;
constexpr std::size_t kMaxParameterCopies = 1u << 17;

// A constant used as a count, truncated toward zero: none for NaN and values below 1,
// and one more than the bound for values no count can hold.
long countFromConstant(double value) {
    if (!(value >= 1)) return 0;
    if (value > static_cast<double>(kMaxBranches)) return kMaxBranches + 1;
    return static_cast<long>(value);
}

}  // namespace

void TreeDescription::countMade(std::size_t branches, std::size_t parameterCopies) {
    branchesMade_ += branches;
    parameterCopiesMade_ += parameterCopies;
    if (branchesMade_ > kMaxBranches || parameterCopiesMade_ > kMaxParameterCopies)
        throw std::invalid_argument("description makes too many branches or parameters");
}

struct TreeDescription::Statement {
    const char* keyword;
    std::size_t minTokens;
    bool (TreeDescription::*handle)(const Tokens&, const std::string&, bool&);
};

const TreeDescription::Statement TreeDescription::kStatements[] = {
    {"#if", 2, &TreeDescription::conditional}, {"const", 3, &TreeDescription::constant},
    {"type", 2, &TreeDescription::type},       {"parameter", 4, &TreeDescription::parameter},
    {"rule", 4, &TreeDescription::rule},       {"init", 3, &TreeDescription::init},
    {"branch", 5, &TreeDescription::branch},   {"scanners", 5, &TreeDescription::scanners},
    {"root", 5, &TreeDescription::root},
};

bool TreeDescription::ParseDescriptionLine(const std::string& line, bool& skipLines) {
    const Tokens tokens = splitTokens(line);
    if (tokens.empty()) return true;
    const std::string& first = tokens[0];
    if (first == ";" || first == "'") return true;
    if (equalsIgnoringCase(first, "#endif")) {
        skipLines = false;
        return true;
    }
    if (equalsIgnoringCase(first, "#else")) {
        skipLines = !skipLines;
        return true;
    }
    if (skipLines || tokens.size() < 2) return true;
    for (const auto& statement : kStatements) {
        if (!equalsIgnoringCase(first, statement.keyword)) continue;
        if (tokens.size() < statement.minTokens) throw std::invalid_argument("too few tokens for " + first);
        return (this->*statement.handle)(tokens, line, skipLines);
    }
    showError(FormatText(Text("IDS_STRING506"), line), MessageIcon::Error);
    return false;
}

bool TreeDescription::conditional(const Tokens& t, const std::string&, bool& skipLines) {
    if (t[1] != "ver") return true;
    if (deviceVersion.major < 0 && deviceVersion.minor < 0) {
        skipLines = true;  // without a version the "#else" part is used
        return true;
    }
    if (t.size() < 4) throw std::invalid_argument("#if ver needs an operator and a version");
    skipLines = !compareVersions(t[2], deviceVersion, readFirmwareVersion(t[3]));
    return true;
}

bool TreeDescription::constant(const Tokens& t, const std::string&, bool&) {
    for (const auto& c : descriptionConstants) {
        if (equalsIgnoringCase(c.name, t[1])) {
            showError(FormatText(Text("IDS_STRING507"), t[1]), MessageIcon::Error);
            return false;
        }
    }
    descriptionConstants.push_back({t[1], readReal(t[2])});
    return true;
}

bool TreeDescription::type(const Tokens& t, const std::string&, bool&) {
    std::string definition;
    for (std::size_t i = 2; i < t.size(); ++i) {
        if (i > 2) definition += ':';
        definition += blanksForUnderscores(t[i]);
    }
    descriptionTypes.push_back({t[1], definition});
    return true;
}

bool TreeDescription::parameter(const Tokens& t, const std::string&, bool&) {
    DescParameter entry;
    entry.name = t[1].starts_with('@') ? t[1].substr(1) : t[1];
    entry.typeDefinition = t[2];
    for (auto it = descriptionTypes.rbegin(); it != descriptionTypes.rend(); ++it) {
        if (equalsIgnoringCase(it->name, t[2])) {
            entry.typeDefinition = it->definition;
            break;
        }
    }
    entry.description = t[3];
    if (t.size() >= 5 && equalsIgnoringCase(t[4], "noattr")) {
        entry.hasAttributes = false;
    } else if (t.size() >= 6) {
        entry.tableArgument = static_cast<int>(readInteger(t[5]));
        std::string table = t[4];
        if (endsWith(table, '+')) {
            table.pop_back();
            entry.tableMode = 1;
        } else if (endsWith(table, '*')) {
            table.pop_back();
            entry.tableMode = 2;
        }
        for (int n = 1; n <= 5; ++n)
            if (equalsIgnoringCase(table, "table" + std::to_string(n))) entry.tableNumber = n;
    }
    descriptionParameters.push_back(std::move(entry));
    return true;
}

DescParameter* TreeDescription::findParameterEntry(const std::string& name) {
    for (auto& entry : descriptionParameters)
        if (equalsIgnoringCase(entry.name, name)) return &entry;
    showError(Text("IDS_STRING214") + " '" + name + "' " + Text("IDS_STRING504") + ".", MessageIcon::Warning);
    return nullptr;
}

bool TreeDescription::rule(const Tokens& t, const std::string&, bool&) {
    DescParameter* entry = findParameterEntry(t[1]);
    if (!entry) return false;
    entry->lowLimit = readReal(t[2]);
    entry->highLimit = readReal(t[3]);
    return true;
}

bool TreeDescription::init(const Tokens& t, const std::string&, bool&) {
    DescParameter* entry = findParameterEntry(t[1]);
    if (!entry) return false;
    entry->initValue = blanksForUnderscores(t[2]);
    return true;
}

bool TreeDescription::branch(const Tokens& t, const std::string&, bool&) { return branches(t, nullptr); }

bool TreeDescription::scanners(const Tokens& t, const std::string&, bool&) {
    return branches(t, &TreeDescription::scannersBranch);
}

bool TreeDescription::root(const Tokens& t, const std::string&, bool&) {
    return branches(t, &TreeDescription::rootBranch);
}

bool TreeDescription::branches(const Tokens& t, BranchMember designated) {
    long count = readInteger(t[2]);
    if (count == 0) {
        for (const auto& c : descriptionConstants) {
            if (equalsIgnoringCase(c.name, t[2])) {
                count = countFromConstant(c.value);
                break;
            }
        }
    }
    if (count > static_cast<long>(kMaxBranches)) countMade(kMaxBranches + 1, 0);
    if (count < 1) return true;

    // What each member token names is looked up once for the whole statement (a long
    // list of instances and members stays linear); the statement's own earlier
    // instances join as they are made, as the list holds them by then.
    struct Member {
        const std::string* token;
        std::vector<const DescParameter*> parameters;
        std::vector<const DescBranch*> branches;
        bool namesTheStatement;
    };
    std::vector<Member> members;
    for (std::size_t m = 5; m < t.size(); ++m) {
        Member member{&t[m], {}, {}, equalsIgnoringCase(t[m], t[1])};
        for (const auto& entry : descriptionParameters)
            if (equalsIgnoringCase(entry.name, t[m])) member.parameters.push_back(&entry);
        for (const auto& candidate : descriptionBranches)
            if (equalsIgnoringCase(candidate->name(), t[m])) member.branches.push_back(candidate.get());
        members.push_back(std::move(member));
    }
    const std::size_t firstInstance = descriptionBranches.size();

    const bool network = isNetworkParametersName(t[1]);
    for (long i = 1; i <= count; ++i) {
        countMade(1, 0);
        auto instance =
            std::make_unique<DescBranch>(t[1], static_cast<int>(count), static_cast<int>(i),
                                         static_cast<int>(readInteger(t[3])), static_cast<int>(readInteger(t[4])));
        DescBranch* made = instance.get();
        if (designated) this->*designated = made;
        if (network) {
            made->markNetworkParameters();
            networkBranch = made;
        }
        const auto copyBranch = [&](const DescBranch& candidate) {
            const auto [branches, parameters] = candidate.TemplateSize();
            countMade(branches, parameters);
            DescBranch* copyOfNetwork = nullptr;
            made->addBranchMember(candidate.Clone(networkBranch, &copyOfNetwork));
            if (copyOfNetwork) networkBranch = copyOfNetwork;
        };
        // The list owns every instance at once, also one whose members fail below.
        descriptionBranches.push_back(std::move(instance));
        for (const Member& member : members) {
            for (const DescParameter* entry : member.parameters) {
                countMade(0, 1);
                made->addParameterMember(*entry);
            }
            for (const DescBranch* candidate : member.branches) copyBranch(*candidate);
            const std::size_t earlierInstances = member.namesTheStatement ? i - 1 : 0;
            for (std::size_t k = 0; k < earlierInstances; ++k) copyBranch(*descriptionBranches[firstInstance + k]);
            if (member.parameters.empty() && member.branches.empty() && earlierInstances == 0) {
                showError(FormatText(Text("IDS_STRING505"), *member.token), MessageIcon::Error);
                return false;
            }
        }
    }
    return true;
}

}  // namespace vantor
