#pragma once
// Configuration files (".vantor"): the module model and, for every branch and parameter
// of the parameter tree, the texts and marks the person sees (values, descriptions,
// errors, attributes, changed flags). The tree itself is not stored: loading rebuilds it
// from the model's description and then pours the stored values into it, matching
// parameters by key (data index when indexed, else 0xFFFF, times 65536, plus the name
// hash) and branches by position.
//
//   document   class "CPlimoDoc" schema 5, BYTE model (255: none), root branch record
//   branch     class "DescBranch" 3, STRING name, DWORD N, N x (DWORD key, parameter
//              record), DWORD count, DWORD index, then each sub-branch record in order
//   parameter  class "MyConverter" 3, STRING name, STRING value text,
//              class "Parameter" 1, STRING description, BYTE indexed, DWORD data index,
//              DWORD address offset, BYTE user-editable, STRING error text, BYTE value
//              changed, BYTE editable changed, BYTE owner changed, BYTE editable,
//              BYTE manufacturer owned, DWORD table mode

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/configuration_target.h"

namespace vantor {

class DescBranch;

enum class ConfigurationLoad {
    Loaded,
    OldVersion,     // a header of the first format: nothing changed
    Damaged,        // a header of a format the program does not know: nothing changed
    Unreadable,     // no header could be read, not a configuration file: nothing changed
    InvalidFormat,  // an archive error after the rebuild: the values read so far stay
    EndedEarly,     // the file ends before its last record: the values read so far stay
    NoTree,         // the model's description gave no tree (its load has said why)
};

// How the front ends present a load. A message goes in a system-modal box with a
// warning icon.
struct ConfigurationLoadReport {
    std::string_view textKey;  // empty: no message
    std::string_view captionKey;
    bool opened;      // the document now holds the file; false: it stays as it was
    bool partlyRead;  // a silent job rebuilds the tree rather than keep part of a file
};
ConfigurationLoadReport ReportOfLoad(ConfigurationLoad outcome);

// The bytes of a configuration file for `model` (a catalogue index, anything else
// stored as none) and the tree under `root`; without a tree the document header only.
std::string StoreConfiguration(int model, const DescBranch* root);

// Reads `bytes` into the document behind `target`: the header first, then the tree is
// rebuilt and the stored values are poured in.
ConfigurationLoad LoadConfiguration(std::string_view bytes, ConfigurationTarget& target);

// The header alone: Loaded when a tree may follow it, else OldVersion, Damaged or
// Unreadable as LoadConfiguration would say.
ConfigurationLoad CheckConfigurationHeader(std::string_view bytes);

// The model a file was written for, when its header carries one (kNoModel when it was
// written without a model); none for older headers and for bytes that are no file.
std::optional<int> PeekConfigurationModel(std::string_view bytes);

// Far more than the largest tree of any model takes: a larger file (or a device) is no
// configuration and is refused before it is read.
inline constexpr std::size_t kConfigurationFileLimit = 16u << 20;

// Reads the configuration file at `path` whole (readFile within the limit). False with
// the reason.
bool ReadConfigurationFile(const std::string& path, std::string& bytes, std::string& reason);

// Stores the configuration in the file at `path`; the previous file is replaced only
// by a complete new one. False with the reason.
bool SaveConfigurationFile(const std::string& path, int model, const DescBranch* root, std::string& reason);

}  // namespace vantor
