#pragma once
// The reference list of a module model's parameters as an HTML page: every parameter
// of the description tree with its hash code, description, type and choices, index use,
// valid range and attributes. It documents the model, not a configuration: values are
// not listed. The page is text that can be checked without widgets; the export writes
// it to the documents folder and opens it in the desktop's browser.

#include <string>

namespace vantor {
class CPlimoDoc;
class DescBranch;
class UserInterface;
}  // namespace vantor

namespace vantor::gui {

// The page for the tree under `root` (null: the empty table) of the model `modelName`.
std::string ParameterListHtml(const DescBranch* root, const std::string& modelName);
// The page for the document's tree and the current model.
std::string ParameterListHtml(const CPlimoDoc& document);

// Where the export goes: "parlist.html" in the user's documents folder.
std::string ParameterListPath();

// Writes the document's page to `path`, replacing a file there, after creating a
// missing folder. False after a message to `ui` when it cannot be written.
bool WriteParameterList(const CPlimoDoc& document, const std::string& path, UserInterface& ui);

// Writes the page to ParameterListPath() and opens it with the desktop's browser.
// Returns the path written; empty after a message to `ui` when it could not be written.
std::string ExportParameterList(CPlimoDoc& document, UserInterface& ui);

}  // namespace vantor::gui
