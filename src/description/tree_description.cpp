#include "description/tree_description.h"

#include <exception>
#include <new>

#include "description/catalogue.h"
#include "description/description_file.h"
#include "text/texts.h"

namespace vantor {

namespace {

// Lines are separated by any run of carriage returns and line feeds.
template <typename Visit>
bool forEachLine(const std::string& text, Visit visit) {
    std::size_t at = 0;
    while ((at = text.find_first_not_of("\r\n", at)) != std::string::npos) {
        const std::size_t end = text.find_first_of("\r\n", at);
        if (!visit(text.substr(at, end - at))) return false;
        at = end;
    }
    return true;
}

bool contains(const DescBranch* tree, const DescBranch* wanted) {
    if (!tree) return false;
    if (tree == wanted) return true;
    for (const auto& sub : tree->subBranches())
        if (contains(sub.get(), wanted)) return true;
    return false;
}

DescBranch* firstNetworkBranch(DescBranch* tree) {
    if (!tree) return nullptr;
    if (tree->isNetworkParameters()) return tree;
    for (const auto& sub : tree->subBranches())
        if (DescBranch* found = firstNetworkBranch(sub.get())) return found;
    return nullptr;
}

}  // namespace

TreeDescription::TreeDescription(UserInterface& ui) : descriptionFile(defaultDescriptionFile()), ui_(ui) {}
TreeDescription::~TreeDescription() = default;

void TreeDescription::showError(const std::string& text, MessageIcon icon) const {
    ui_.message(text, Text("AFX_IDS_APP_TITLE"), icon, MessageButtons::Ok);
}

void TreeDescription::Clear() {
    descriptionConstants.clear();
    descriptionTypes.clear();
    descriptionParameters.clear();
    rootBranch = scannersBranch = networkBranch = nullptr;
    descriptionBranches.clear();
    rootTree_.reset();
    scannersTree_.reset();
    branchesMade_ = parameterCopiesMade_ = 0;
}

bool TreeDescription::LoadTreeDescription(int model) {
    Clear();
    if (model < 0 || model >= kModelCount) return false;
    std::string text, reason;
    if (!ReadDescriptionStream(descriptionFile, modelCatalogue()[model].stream, text, reason)) {
        // The keyed text, with what went wrong on the line beneath it.
        showError(reason.empty() ? Text("IDS_STRING186") : Text("IDS_STRING186") + "\n" + reason, MessageIcon::Error);
        return false;
    }
    return LoadTreeText(std::move(text), model);
}

bool TreeDescription::LoadTreeText(std::string text, int model) {
    Clear();
    // The text ends at its first zero byte, as a C string does.
    if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);

    bool skipLines = false;
    const bool parsed = forEachLine(text, [&](const std::string& line) {
        try {
            return ParseDescriptionLine(line, skipLines);
        } catch (const std::exception&) {
            return false;  // a statement with too few tokens
        }
    });
    if (!parsed) showError(Text("IDS_STRING174"), MessageIcon::Error);

    try {
        buildTrees();
    } catch (const std::bad_alloc&) {
        showError(Text("IDS_STRING849"), MessageIcon::Error);
    }
    keepBuiltTrees();

    if (createDeviceModel) {
        ui_.waitCursor(true);
        createDeviceModel(model);
        ui_.waitCursor(false);
    }
    return true;
}

void TreeDescription::buildTrees() {
    if (!rootBranch)
        showError(Text("IDS_STRING175"), MessageIcon::Error);
    else
        rootBranch->Build(false, 0, ui_);
    if (scannersBranch) {
        scannersBranch->Build(false, 0, ui_);
        scannersBranch->PrepareScanning();
    }
}

void TreeDescription::keepBuiltTrees() {
    descriptionConstants.clear();
    descriptionTypes.clear();
    for (auto& branch : descriptionBranches) {
        if (branch.get() == rootBranch)
            rootTree_ = std::move(branch);
        else if (branch.get() == scannersBranch)
            scannersTree_ = std::move(branch);
    }
    descriptionBranches.clear();
    // The network reference may have followed a template that is gone now: it then
    // designates the first network branch that the kept trees hold, if any.
    if (!contains(rootBranch, networkBranch) && !contains(scannersBranch, networkBranch)) {
        networkBranch = firstNetworkBranch(rootBranch);
        if (!networkBranch) networkBranch = firstNetworkBranch(scannersBranch);
    }
}

}  // namespace vantor
