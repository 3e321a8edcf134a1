// vantorctl get and set: single parameters of the model's tree.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "cli/offline_document.h"
#include "cli/tree_walk.h"
#include "description/catalogue.h"
#include "platform/app_state.h"

namespace vantor::cli {

extern const char kGetUsage[] =
    "usage: vantorctl get [LINK OPTIONS] NAME[:INDEX]...\n"
    "Reads each parameter of the model's tree (found by name and data index) and\n"
    "prints NAME[:INDEX]<TAB>value. A failed read prints its error on stderr; the\n"
    "others are still read and the status is 1.\n";
extern const char kSetUsage[] =
    "usage: vantorctl set [LINK OPTIONS] NAME[:INDEX] VALUE\n"
    "       vantorctl set --file FILE NAME[:INDEX] VALUE\n"
    "Checks VALUE as the parameter's type and limits allow, writes it and prints\n"
    "NAME[:INDEX]<TAB>value. With --file the module is left alone: the value goes into\n"
    "FILE, marked as changed, so that 'vantorctl load --changes FILE' writes it.\n";

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The session with the model's tree ready; null after a message.
bool prepare(ModuleSession& session) { return session.open() && session.chooseModel(false) && session.loadTree(); }

// The parameter the word names; null after a message.
Parameter* lookUp(const DescBranch& root, const std::string& word) {
    ParameterRef ref;
    if (!parseParameterRef(word, ref)) {
        std::fprintf(stderr, "vantorctl: '%s' is not NAME or NAME:INDEX\n", word.c_str());
        return nullptr;
    }
    Parameter* parameter = findParameter(root, ref);
    if (!parameter) std::fprintf(stderr, "vantorctl: the description holds no parameter %s\n", word.c_str());
    return parameter;
}

// Takes VALUE into the parameter as the person's entry; false after the refusal.
bool takeValue(Parameter& parameter, const std::string& value) {
    if (parameter.SetValue(value)) return true;
    std::string allowed = parameter.TypeDescription();
    if (parameter.lowLimit != 0 || parameter.highLimit != 0)
        allowed += (allowed.empty() ? "" : " ") + std::string("within ") + number(parameter.lowLimit) + " .. " +
                   number(parameter.highLimit);
    std::fprintf(stderr, "vantorctl: %s refuses '%s'%s%s\n", parameterLabel(parameter).c_str(), value.c_str(),
                 allowed.empty() ? "" : ": it takes ", allowed.c_str());
    return false;
}

// set --file: the value into the file, checked as for the module.
int setInFile(const std::string& path, const std::string& word, const std::string& value) {
    FileOptions options;
    if (app().currentModel() != kNoModel) options.model = app().currentModel();
    OfflineDocument file;
    if (!file.open(path, options)) return 1;
    Parameter* parameter = lookUp(file.root(), word);
    if (!parameter || !takeValue(*parameter, value)) return 1;
    std::string reason;
    if (!file.document().OnSaveDocument(path, reason)) {
        std::fprintf(stderr, "vantorctl set: %s: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
    std::printf("%s\t%s\n", parameterLabel(*parameter).c_str(), parameter->valueText.c_str());
    return 0;
}

}  // namespace

int runGet(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("get", kGetUsage, args, scanner, session, words, true)) return status;
    if (words.empty())
        return usageError("get", "name a parameter", (std::string(kGetUsage) + kLinkOptionsUsage).c_str());
    if (!prepare(session)) return 1;
    int status = 0;
    for (const std::string& word : words) {
        Parameter* parameter = lookUp(*session.root(), word);
        if (parameter && session.device().ReadParameter(*parameter, true) == 0) {
            std::printf("%s\t%s\n", parameterLabel(*parameter).c_str(), parameter->valueText.c_str());
            continue;
        }
        if (parameter)
            std::fprintf(stderr, "%s: %s\n", parameterLabel(*parameter).c_str(), parameter->errorText.c_str());
        status = 1;
    }
    return status;
}

int runSet(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::string file;
    scanner.value("--file", [&file](const std::string& value) {
        file = value;
        return value.empty() ? std::string("--file needs a path") : std::string();
    });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("set", kSetUsage, args, scanner, session, words, true)) return status;
    if (words.size() != 2)
        return usageError("set", "give NAME[:INDEX] and VALUE", (std::string(kSetUsage) + kLinkOptionsUsage).c_str());
    if (!file.empty()) return setInFile(file, words[0], words[1]);
    if (!prepare(session)) return 1;
    Parameter* parameter = lookUp(*session.root(), words[0]);
    if (!parameter || !takeValue(*parameter, words[1])) return 1;
    if (session.device().WriteParameter(*parameter, 1) != 0) {
        std::fprintf(stderr, "%s: %s\n", parameterLabel(*parameter).c_str(), parameter->errorText.c_str());
        return 1;
    }
    std::printf("%s\t%s\n", parameterLabel(*parameter).c_str(), parameter->valueText.c_str());
    return 0;
}

}  // namespace vantor::cli
