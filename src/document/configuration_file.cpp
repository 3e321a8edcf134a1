#include "document/configuration_file.h"

#include <cstdint>
#include <unordered_map>

#include "description/catalogue.h"
#include "description/desc_branch.h"
#include "document/archive_reader.h"
#include "document/archive_writer.h"
#include "params/parameter.h"
#include "platform/file_access.h"
#include "platform/string_utils.h"
#include "protocol/name_hash.h"

namespace vantor {

namespace {

struct ClassRecord {
    std::string_view name;
    std::uint16_t schema;  // the one written, the only one whose fields are read
};
constexpr ClassRecord kDocument{"CPlimoDoc", 5};
constexpr ClassRecord kBranch{"DescBranch", 3};
constexpr ClassRecord kConverter{"MyConverter", 3};
constexpr ClassRecord kParameter{"Parameter", 1};

// What the schema of the document header says of what follows.
constexpr std::uint16_t kOldDocument = 1;        // cannot be read any more
constexpr std::uint16_t kDocumentNoModel = 3;    // no model byte
constexpr std::uint16_t kDocumentSkipWord = 4;   // a DWORD in place of the model byte
constexpr std::uint16_t kDocumentWithModel = 5;  // the model byte (read by the peek from here on)

constexpr std::uint8_t kNoModelByte = 255;
constexpr std::uint32_t kNotIndexed = 0xFFFF;

// Wraps modulo 2^32 like the DWORD it is stored in.
std::uint32_t keyOf(const Parameter& p) {
    const std::uint32_t index = p.indexed ? static_cast<std::uint32_t>(p.dataIndex) : kNotIndexed;
    return index * 65536u + hash_name(p.name);
}

std::uint8_t modelByte(int model) {
    return model >= 0 && model < kModelCount ? static_cast<std::uint8_t>(model) : kNoModelByte;
}

int modelOfByte(std::uint8_t byte) { return byte < kModelCount ? byte : kNoModel; }

// The fields of the "Parameter" part of a record, in stream order, for storing
// (`Fields` = Store, `P` = const Parameter) and for pouring (Pour, Parameter).
template <typename Fields, typename P>
void parameterFields(Fields fields, P& p) {
    fields.text(p.description);
    fields.byte(p.indexed);
    fields.number(p.dataIndex);
    fields.number(p.addressOffset);
    fields.byte(p.userEditable);
    fields.text(p.errorText);
    fields.byte(p.valueChanged);
    fields.byte(p.editableChanged);
    fields.byte(p.ownerChanged);
    fields.byte(p.editable);
    fields.byte(p.manufacturerOwned);
    fields.number(p.tableMode);
}

struct Store {
    ArchiveWriter& out;
    void text(const std::string& value) const { out.writeString(value); }
    void byte(std::uint8_t value) const { out.writeByte(value); }
    void number(std::int32_t value) const { out.writeInt(value); }
};

struct Pour {
    ArchiveReader& in;
    void text(std::string& value) const { value = in.readString(); }
    void byte(std::uint8_t& value) const { value = in.readByte(); }
    void number(std::int32_t& value) const { value = in.readInt(); }
};

void storeParameter(ArchiveWriter& out, const Parameter& p) {
    out.writeClass(kConverter.name, kConverter.schema);
    out.writeString(p.name);
    out.writeString(p.valueText);  // "no data" for a parameter without data
    out.writeClass(kParameter.name, kParameter.schema);
    parameterFields(Store{out}, p);
}

void storeBranch(ArchiveWriter& out, const DescBranch& branch) {
    out.writeClass(kBranch.name, kBranch.schema);
    out.writeString(branch.name());
    out.writeDword(static_cast<std::uint32_t>(branch.parameters().size()));
    for (const auto& p : branch.parameters()) {
        out.writeDword(keyOf(*p));
        storeParameter(out, *p);
    }
    out.writeInt(branch.count());
    out.writeInt(branch.index());
    for (const auto& sub : branch.subBranches()) storeBranch(out, *sub);
}

// Pours the records that follow the document header into a rebuilt tree. A record of
// another schema has its fields left unread: the rest of the stream is then out of
// step and usually ends in an archive error.
class TreePouring {
public:
    TreePouring(ArchiveReader& in, ConfigurationTarget& target) : in_(in), target_(target) {}

    void pourBranch(DescBranch& branch) {
        const std::uint16_t schema = in_.readClass(kBranch.name);
        std::unordered_map<std::uint32_t, Parameter*> byKey;
        for (const auto& p : branch.parameters()) byKey[keyOf(*p)] = p.get();  // the later one wins
        if (schema == kBranch.schema) {
            branch.setName(in_.readString());
            const std::uint32_t stored = in_.readDword();
            for (std::uint32_t i = 0; i < stored && in_.remaining() > 0; ++i) {
                const auto found = byKey.find(in_.readDword());
                if (found != byKey.end()) {
                    pourParameter(*found->second, true);
                } else {
                    Parameter dropped;  // stored for a parameter the tree no longer has
                    pourParameter(dropped, false);
                }
            }
            branch.setCount(in_.readInt());
            branch.setIndex(in_.readInt());
        }
        for (const auto& sub : branch.subBranches()) pourBranch(*sub);
    }

private:
    // What the parameter addresses on the wire stays the description's: a record may
    // change the letter case of the name, never which module parameter, element or
    // module address a later write goes to. A file the program wrote holds these
    // values unchanged anyway.
    void pourParameter(Parameter& p, bool inTree) {
        const std::string name = p.name;
        const std::uint8_t indexed = p.indexed;
        const std::int32_t dataIndex = p.dataIndex;
        const std::int32_t addressOffset = p.addressOffset;
        if (in_.readClass(kConverter.name) == kConverter.schema) {
            p.name = in_.readString();
            p.valueText = in_.readString();
            if (hash_name(p.name) != hash_name(name)) p.name = name;
        }
        if (in_.readClass(kParameter.name) != kParameter.schema) return;
        parameterFields(Pour{in_}, p);
        p.indexed = indexed;
        p.dataIndex = dataIndex;
        p.addressOffset = addressOffset;
        if (inTree && equalsIgnoringCase(p.name, "Log")) target_.OnLogParameter(p);
    }

    ArchiveReader& in_;
    ConfigurationTarget& target_;
};

}  // namespace

ConfigurationLoadReport ReportOfLoad(ConfigurationLoad outcome) {
    constexpr std::string_view kCaption = "IDS_STRING166";
    switch (outcome) {
    case ConfigurationLoad::Loaded: return {{}, {}, true, false};
    case ConfigurationLoad::OldVersion: return {"IDS_STRING167", kCaption, false, false};
    case ConfigurationLoad::Damaged: return {"IDS_STRING168", kCaption, false, false};
    case ConfigurationLoad::Unreadable: return {"IDS_STRING169", kCaption, false, false};
    case ConfigurationLoad::InvalidFormat: return {"IDS_STRING169", kCaption, true, true};
    case ConfigurationLoad::EndedEarly: return {{}, {}, true, true};
    case ConfigurationLoad::NoTree: return {{}, {}, true, false};
    }
    return {{}, {}, false, false};
}

std::string StoreConfiguration(int model, const DescBranch* root) {
    ArchiveWriter out;
    out.writeClass(kDocument.name, kDocument.schema);
    out.writeByte(modelByte(model));
    if (root) storeBranch(out, *root);
    return out.bytes();
}

namespace {

// The document header: Loaded, with the model when it names one, when the tree may
// follow; else what keeps the file from being loaded.
ConfigurationLoad readHeader(ArchiveReader& in, std::optional<int>& model) {
    try {
        switch (in.readClass(kDocument.name)) {
        case kOldDocument: return ConfigurationLoad::OldVersion;
        case kDocumentNoModel: return ConfigurationLoad::Loaded;
        case kDocumentSkipWord: in.readDword(); return ConfigurationLoad::Loaded;
        case kDocumentWithModel: model = modelOfByte(in.readByte()); return ConfigurationLoad::Loaded;
        default: return ConfigurationLoad::Damaged;
        }
    } catch (const ArchiveException&) {
        return ConfigurationLoad::Unreadable;
    }
}

}  // namespace

ConfigurationLoad CheckConfigurationHeader(std::string_view bytes) {
    ArchiveReader in(bytes);
    std::optional<int> model;
    return readHeader(in, model);
}

ConfigurationLoad LoadConfiguration(std::string_view bytes, ConfigurationTarget& target) {
    ArchiveReader in(bytes);
    std::optional<int> model;
    if (const ConfigurationLoad header = readHeader(in, model); header != ConfigurationLoad::Loaded) return header;

    DescBranch* root = target.RebuildTree(model);
    if (!root) return ConfigurationLoad::NoTree;
    try {
        TreePouring(in, target).pourBranch(*root);
    } catch (const ArchiveException& e) {
        return e.error() == ArchiveError::EndOfFile ? ConfigurationLoad::EndedEarly : ConfigurationLoad::InvalidFormat;
    }
    return ConfigurationLoad::Loaded;
}

std::optional<int> PeekConfigurationModel(std::string_view bytes) {
    try {
        ArchiveReader in(bytes);
        if (in.readClass(kDocument.name) >= kDocumentWithModel) return modelOfByte(in.readByte());
    } catch (const ArchiveException&) {}
    return std::nullopt;
}

bool ReadConfigurationFile(const std::string& path, std::string& bytes, std::string& reason) {
    return readFile(path, bytes, reason, kConfigurationFileLimit);
}

bool SaveConfigurationFile(const std::string& path, int model, const DescBranch* root, std::string& reason) {
    return saveFileAtomically(path, StoreConfiguration(model, root), reason);
}

}  // namespace vantor
