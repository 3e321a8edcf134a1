#pragma once
// The description of the current module model as the document holds it: the lists a
// tree description is parsed into, and the two trees built from them (the parameter
// tree shown in the view and the hidden tree of sampled state parameters).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "description/desc_branch.h"
#include "description/description_values.h"
#include "description/firmware_version.h"
#include "platform/user_interface.h"

namespace vantor {

class TreeDescription {
public:
    // The load tells `ui` what is wrong with a description and shows the wait cursor
    // while the device model is made; `ui` outlives the description.
    explicit TreeDescription(UserInterface& ui);
    ~TreeDescription();
    TreeDescription(const TreeDescription&) = delete;
    TreeDescription& operator=(const TreeDescription&) = delete;

    // Inputs of a load.
    FirmwareVersion deviceVersion;
    std::string descriptionFile;  // the container; "vantor.dat" beside the program
    // Called at the end of every load that read a text, under a wait cursor, to create
    // the device model of the model index the load was given.
    std::function<void(int model)> createDeviceModel;

    // Loads the description of model `model` (a catalogue index) from the container
    // and builds its trees. False when the model index has no description or its
    // stream cannot be read; true otherwise, even when a line failed (the person has
    // been told, and what was parsed before it is built).
    bool LoadTreeDescription(int model);
    // The same from a description text already in memory; `model` may be kNoModel.
    bool LoadTreeText(std::string text, int model);
    // Parses one line. False after an error message; throws std::invalid_argument when
    // the line lacks a token its statement reads.
    bool ParseDescriptionLine(const std::string& line, bool& skipLines);
    // Forgets everything: lists, trees and the network branch reference.
    void Clear();

    std::vector<DescConst> descriptionConstants;
    std::vector<DescType> descriptionTypes;
    std::vector<DescParameter> descriptionParameters;
    std::vector<std::unique_ptr<DescBranch>> descriptionBranches;
    DescBranch* rootBranch = nullptr;
    DescBranch* scannersBranch = nullptr;
    DescBranch* networkBranch = nullptr;  // not owning; always within a kept tree or null

private:
    using Tokens = std::vector<std::string>;
    using BranchMember = DescBranch* TreeDescription::*;
    struct Statement;
    static const Statement kStatements[];

    bool conditional(const Tokens& t, const std::string& line, bool& skipLines);
    bool constant(const Tokens& t, const std::string& line, bool& skipLines);
    bool type(const Tokens& t, const std::string& line, bool& skipLines);
    bool parameter(const Tokens& t, const std::string& line, bool& skipLines);
    bool rule(const Tokens& t, const std::string& line, bool& skipLines);
    bool init(const Tokens& t, const std::string& line, bool& skipLines);
    bool branch(const Tokens& t, const std::string& line, bool& skipLines);
    bool scanners(const Tokens& t, const std::string& line, bool& skipLines);
    bool root(const Tokens& t, const std::string& line, bool& skipLines);
    bool branches(const Tokens& t, BranchMember designated);
    // The first entry named `name`; null after the not-defined warning.
    DescParameter* findParameterEntry(const std::string& name);

    void buildTrees();
    void keepBuiltTrees();
    void showError(const std::string& text, MessageIcon icon) const;

    UserInterface& ui_;

    // Branch objects and parameter copies made while parsing this description, bounded
    // so that a hostile description cannot exhaust memory through repeated copies.
    std::size_t branchesMade_ = 0;
    std::size_t parameterCopiesMade_ = 0;
    void countMade(std::size_t branches, std::size_t parameterCopies);

    // The built trees, owned here once the templates are gone.
    std::unique_ptr<DescBranch> rootTree_;
    std::unique_ptr<DescBranch> scannersTree_;
};

}  // namespace vantor
