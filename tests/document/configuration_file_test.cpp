#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "document/configuration_file.h"
#include "platform/encoding.h"
#include "platform/file_access.h"
#include "support/recording_ui.h"
#include "support/temporary_folder.h"
#include "text/texts.h"

namespace vantor {
namespace {

// Three input branches with the same two indexed parameters, a network branch and a
// parameter of the root.
constexpr const char* kDescription =
    "parameter Name string Device_name\n"
    "parameter In int Input_value\n"
    "parameter Log int Logic\n"
    "parameter Addr int Address\n"
    "branch Input# 3 0 0 In Log\n"
    "branch Network_parameters 1 4 4 Addr\n"
    "root Device 1 0 0 Name Input# Network_parameters\n";

// The document side of a load: rebuilds the tree from a description text and keeps
// what it was asked.
class DescriptionTarget : public ConfigurationTarget {
public:
    explicit DescriptionTarget(std::string text = kDescription) : text_(std::move(text)) { build(); }

    DescBranch* RebuildTree(std::optional<int> model) override {
        models.push_back(model);
        return build();
    }
    void OnLogParameter(Parameter& parameter) override { logged.emplace_back(&parameter, parameter.valueText); }

    DescBranch* build() {
        description.LoadTreeText(text_, kNoModel);
        return description.rootBranch;
    }
    DescBranch& root() const { return *description.rootBranch; }

    test::RecordingUserInterface ui;
    TreeDescription description{ui};
    std::vector<std::optional<int>> models;
    std::vector<std::pair<Parameter*, std::string>> logged;  // and the value it had then

private:
    std::string text_;
};

// Every parameter in stored order: a branch's own, then those of its sub-branches.
void collect(DescBranch& branch, std::vector<Parameter*>& parameters, std::vector<DescBranch*>& branches) {
    branches.push_back(&branch);
    for (const auto& p : branch.parameters()) parameters.push_back(p.get());
    for (const auto& sub : branch.subBranches()) collect(*sub, parameters, branches);
}
std::vector<Parameter*> parametersOf(DescBranch& root) {
    std::vector<Parameter*> parameters;
    std::vector<DescBranch*> branches;
    collect(root, parameters, branches);
    return parameters;
}
std::vector<DescBranch*> branchesOf(DescBranch& root) {
    std::vector<Parameter*> parameters;
    std::vector<DescBranch*> branches;
    collect(root, parameters, branches);
    return branches;
}

auto storedFields(const Parameter& p) {
    return std::tuple(p.name, p.valueText, p.description, p.indexed, p.dataIndex, p.addressOffset, p.userEditable,
                      p.errorText, p.valueChanged, p.editableChanged, p.ownerChanged, p.editable, p.manufacturerOwned,
                      p.tableMode);
}

// Gives every parameter and branch values of its own, none of them the build's.
void fillDistinctly(DescBranch& root) {
    int i = 0;
    for (Parameter* p : parametersOf(root)) {
        ++i;
        p->valueText = i == 1 ? std::string(300, 'v') : "Значение " + std::to_string(i);
        p->description = "описание " + std::to_string(i);
        p->errorText = i % 3 == 0 ? std::string() : "Ошибка " + std::to_string(i);
        p->userEditable = i % 2;
        p->valueChanged = (i / 2) % 2;
        p->editableChanged = (i / 3) % 2;
        p->ownerChanged = (i / 4) % 2;
        p->editable = (i + 1) % 2;
        p->manufacturerOwned = (i / 5) % 2;
        p->tableMode = -7 * i;
    }
    int b = 0;
    for (DescBranch* branch : branchesOf(root)) {
        ++b;
        branch->setName("Ветвь " + std::to_string(b));
        branch->setCount(10 + b);
        branch->setIndex(-b);
    }
}

std::string bytesOf(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

const std::string kDocumentClass = bytesOf({0xFF, 0xFF, 0x05, 0x00, 0x09, 0x00}) + "CPlimoDoc";

TEST(ConfigurationFile, RoundTripRestoresEveryStoredField) {
    DescriptionTarget source;
    fillDistinctly(source.root());
    const std::string bytes = StoreConfiguration(3, &source.root());

    DescriptionTarget loaded;
    ASSERT_EQ(LoadConfiguration(bytes, loaded), ConfigurationLoad::Loaded);
    EXPECT_EQ(loaded.models, (std::vector<std::optional<int>>{3}));
    const auto expected = parametersOf(source.root());
    const auto actual = parametersOf(loaded.root());
    ASSERT_EQ(actual.size(), 8u);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(storedFields(*actual[i]), storedFields(*expected[i])) << i;
    // The indexed ones are told apart by their index.
    EXPECT_EQ(actual[2]->name, "Log");
    EXPECT_EQ(actual[2]->dataIndex, 0);
    EXPECT_EQ(actual[4]->name, "Log");
    EXPECT_EQ(actual[4]->dataIndex, 1);

    const auto expectedBranches = branchesOf(source.root());
    const auto actualBranches = branchesOf(loaded.root());
    ASSERT_EQ(actualBranches.size(), expectedBranches.size());
    for (std::size_t i = 0; i < actualBranches.size(); ++i) {
        EXPECT_EQ(actualBranches[i]->name(), expectedBranches[i]->name());
        EXPECT_EQ(actualBranches[i]->count(), expectedBranches[i]->count());
        EXPECT_EQ(actualBranches[i]->index(), expectedBranches[i]->index());
    }

    // Each "Log" of the tree reaches the device model once its record is read.
    ASSERT_EQ(loaded.logged.size(), 3u);
    for (const auto& [parameter, value] : loaded.logged) {
        EXPECT_EQ(parameter->name, "Log");
        EXPECT_EQ(value, parameter->valueText);
    }
    EXPECT_EQ(loaded.logged[0].first, actual[2]);
}

TEST(ConfigurationFile, StoredBytes) {
    DescriptionTarget source(
        "parameter Addr int Address\nbranch Input# 2 0 0 Addr\n"
        "root Device 1 0 0 Addr Input#\n");
    Parameter& addr = *source.root().parameters()[0];
    addr.valueText = "16";
    addr.errorText = "e";
    addr.manufacturerOwned = 1;
    const std::string bytes = StoreConfiguration(3, &source.root());

    const std::string parameterRecordTail = bytesOf({
        0x00,                    // indexed
        0x00, 0x00, 0x00, 0x00,  // data index
        0x00, 0x00, 0x00, 0x00,  // address offset
        0x01,                    // user-editable
    });
    const std::string expected = kDocumentClass + bytesOf({3}) +  // model
                                 bytesOf({0xFF, 0xFF, 0x03, 0x00, 0x0A, 0x00}) + "DescBranch" +
                                 "\x06"
                                 "Device" +                           // root branch
                                 bytesOf({1, 0, 0, 0}) +              // one parameter
                                 bytesOf({0x62, 0x9F, 0xFF, 0xFF}) +  // key of "Addr"
                                 bytesOf({0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00}) +
                                 "MyConverter" +
                                 "\x04"
                                 "Addr" +
                                 "\x02"
                                 "16" +
                                 bytesOf({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) + "Parameter" +
                                 "\x07"
                                 "Address" +
                                 parameterRecordTail +
                                 "\x01"
                                 "e" +
                                 bytesOf({0, 0, 0, 1, 1}) +  // error text, changed flags, editable, manufacturer owned
                                 bytesOf({0, 0, 0, 0}) +     // table mode
                                 bytesOf({1, 0, 0, 0, 1, 0, 0, 0}) +  // count, index
                                 bytesOf({0x02, 0x80}) +
                                 "\x07"
                                 "Input 1";  // the first sub-branch, its class by number
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);

    // The parameter of the second input: indexed 1, and the two later classes by number.
    const std::string second = bytesOf({0x62, 0x9F, 0x01, 0x00, 0x03, 0x80, 0x04}) + "Addr" +
                               "\x07"
                               "no data" +
                               bytesOf({0x04, 0x80});
    EXPECT_NE(bytes.find(second), std::string::npos);
}

TEST(ConfigurationFile, WithoutATreeOnlyTheHeaderIsStored) {
    EXPECT_EQ(StoreConfiguration(kNoModel, nullptr), kDocumentClass + bytesOf({0xFF}));
    EXPECT_EQ(StoreConfiguration(22, nullptr), kDocumentClass + bytesOf({22}));
}

// The stored tree behind a header of another schema.
std::string withHeader(int schema, const std::string& afterClass, const std::string& stored) {
    return bytesOf({0xFF, 0xFF, schema, 0x00, 0x09, 0x00}) + "CPlimoDoc" + afterClass +
           stored.substr(kDocumentClass.size() + 1);
}

TEST(ConfigurationFile, DocumentHeaderSchemas) {
    DescriptionTarget source;
    fillDistinctly(source.root());
    const std::string stored = StoreConfiguration(5, &source.root());
    struct Case {
        int schema;
        std::string afterClass;
        ConfigurationLoad outcome;
        std::vector<std::optional<int>> rebuilds;
    };
    const Case cases[] = {
        {5, bytesOf({7}), ConfigurationLoad::Loaded, {7}},
        {5, bytesOf({0xFF}), ConfigurationLoad::Loaded, {kNoModel}},
        {3, "", ConfigurationLoad::Loaded, {std::nullopt}},
        {4, "skip", ConfigurationLoad::Loaded, {std::nullopt}},
        {1, bytesOf({5}), ConfigurationLoad::OldVersion, {}},
        {0, bytesOf({5}), ConfigurationLoad::Damaged, {}},
        {2, bytesOf({5}), ConfigurationLoad::Damaged, {}},
        {6, bytesOf({5}), ConfigurationLoad::Damaged, {}},
        {7, bytesOf({5}), ConfigurationLoad::Damaged, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.schema);
        DescriptionTarget target;
        Parameter& first = *target.root().parameters()[0];
        first.valueText = "before";
        EXPECT_EQ(LoadConfiguration(withHeader(c.schema, c.afterClass, stored), target), c.outcome);
        // The header alone says the same, before anything is rebuilt.
        EXPECT_EQ(CheckConfigurationHeader(withHeader(c.schema, c.afterClass, stored)), c.outcome);
        EXPECT_EQ(target.models, c.rebuilds);
        const std::string& value = target.root().parameters()[0]->valueText;
        EXPECT_EQ(value, c.rebuilds.empty() ? "before" : source.root().parameters()[0]->valueText);
    }
}

TEST(ConfigurationFile, AFileThatIsNoConfigurationChangesNothing) {
    for (const std::string& bytes : {std::string(), kDocumentClass, std::string("PK\x03\x04 not ours")}) {
        DescriptionTarget target;
        EXPECT_EQ(LoadConfiguration(bytes, target), ConfigurationLoad::Unreadable);
        EXPECT_EQ(CheckConfigurationHeader(bytes), ConfigurationLoad::Unreadable);
        EXPECT_TRUE(target.models.empty());
    }
}

TEST(ConfigurationFile, ATruncatedFileKeepsWhatWasRead) {
    DescriptionTarget source;
    fillDistinctly(source.root());
    const std::string stored = StoreConfiguration(3, &source.root());
    const auto expected = parametersOf(source.root());

    // Cut inside the value text of the second input's "In", the fourth parameter.
    const std::size_t secondIn = stored.find(
        "\x02"
        "In",
        stored.find("\x02"
                    "In") +
            1);
    ASSERT_NE(secondIn, std::string::npos);
    DescriptionTarget loaded;
    EXPECT_EQ(LoadConfiguration(std::string_view(stored).substr(0, secondIn + 3 + 5), loaded),
              ConfigurationLoad::EndedEarly);
    const auto actual = parametersOf(loaded.root());
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(storedFields(*actual[i]), storedFields(*expected[i])) << i;
    for (std::size_t i = 3; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i]->valueText, "no data") << i;
        EXPECT_EQ(actual[i]->errorText, "") << i;
    }

    // Wherever the file ends, the load ends quietly with what it had.
    for (std::size_t length = kDocumentClass.size() + 1; length < stored.size(); ++length) {
        DescriptionTarget target;
        ASSERT_EQ(LoadConfiguration(std::string_view(stored).substr(0, length), target), ConfigurationLoad::EndedEarly)
            << length;
    }
}

TEST(ConfigurationFile, AnArchiveErrorKeepsTheValuesReadSoFar) {
    DescriptionTarget source;
    fillDistinctly(source.root());
    const std::string stored = StoreConfiguration(3, &source.root());

    // A class name the program does not know, in the first parameter record.
    std::string unknownName = stored;
    unknownName.replace(unknownName.find("MyConverter"), 11, "MyConvertex");
    DescriptionTarget first;
    EXPECT_EQ(LoadConfiguration(unknownName, first), ConfigurationLoad::InvalidFormat);
    EXPECT_EQ(first.root().name(), "Ветвь 1");
    EXPECT_EQ(first.root().parameters()[0]->valueText, "no data");

    // A class number never given, for the last branch: all before it stays loaded.
    std::string unknownNumber = stored;
    const std::size_t lastBranch =
        unknownNumber.find(utf8ToCp1251("\x07"
                                        "Ветвь 5"));
    ASSERT_NE(lastBranch, std::string::npos);
    ASSERT_EQ(unknownNumber.substr(lastBranch - 2, 2), bytesOf({0x02, 0x80}));
    unknownNumber.replace(lastBranch - 2, 2, bytesOf({0x09, 0x80}));
    DescriptionTarget loaded;
    EXPECT_EQ(LoadConfiguration(unknownNumber, loaded), ConfigurationLoad::InvalidFormat);
    const auto expected = parametersOf(source.root());
    const auto actual = parametersOf(loaded.root());
    for (std::size_t i = 0; i + 1 < actual.size(); ++i) EXPECT_EQ(storedFields(*actual[i]), storedFields(*expected[i]));
    EXPECT_EQ(actual.back()->name, "Addr");
    EXPECT_EQ(actual.back()->valueText, "no data");
}

TEST(ConfigurationFile, StoredParametersWithoutCounterpartAreDropped) {
    // "Old" and "Log" are gone from the tree the file is read into, "New" is new there,
    // and the two "Same" have one key: the later one takes both records.
    DescriptionTarget source(
        "parameter Old int o\nparameter Log int l\nparameter Addr int a\nparameter New int n\n"
        "parameter Same int s\nroot Device 1 0 0 Old Addr Log Same Same\n");
    const auto stored = parametersOf(source.root());
    for (std::size_t i = 0; i < stored.size(); ++i) stored[i]->valueText = "stored " + std::to_string(i);
    const std::string bytes = StoreConfiguration(3, &source.root());

    DescriptionTarget loaded(
        "parameter Addr int a\nparameter New int n\nparameter Same int s\n"
        "root Device 1 0 0 New Same Addr Same\n");
    EXPECT_EQ(LoadConfiguration(bytes, loaded), ConfigurationLoad::Loaded);
    std::vector<std::string> values;
    for (const Parameter* p : parametersOf(loaded.root())) values.push_back(p->name + "=" + p->valueText);
    EXPECT_EQ(values, (std::vector<std::string>{"New=no data", "Same=no data", "Addr=stored 1", "Same=stored 4"}));
    EXPECT_TRUE(loaded.logged.empty());
}

// A record may not make a parameter of the tree address another module parameter,
// element or module: a foreign file must not redirect a later write.
TEST(ConfigurationFile, ARecordKeepsWhatItsParameterAddresses) {
    DescriptionTarget source("parameter Addr int a\nroot Device 1 0 0 Addr\n");
    Parameter& stored = *source.root().parameters()[0];
    stored.valueText = "16";
    stored.dataIndex = 5;
    stored.addressOffset = -1;  // would go to every module
    const std::string bytes = StoreConfiguration(3, &source.root());
    const std::string name = std::string("\x04") + "Addr";
    ASSERT_NE(bytes.find(name), std::string::npos);

    struct Case {
        std::string storedName;
        std::string name;
    };
    const Case cases[] = {{"ADDR", "ADDR"}, {"INIT", "Addr"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedName);
        std::string spoiled = bytes;
        spoiled.replace(spoiled.find(name) + 1, 4, c.storedName);
        DescriptionTarget loaded("parameter Addr int a\nroot Device 1 0 0 Addr\n");
        ASSERT_EQ(LoadConfiguration(spoiled, loaded), ConfigurationLoad::Loaded);
        const Parameter& p = *loaded.root().parameters()[0];
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.valueText, "16");
        EXPECT_EQ(p.dataIndex, 0);
        EXPECT_EQ(p.addressOffset, 0);
    }
}

TEST(ConfigurationFile, PeekFindsTheModelOfCurrentHeadersOnly) {
    DescriptionTarget source;
    const std::string stored = StoreConfiguration(9, &source.root());
    EXPECT_EQ(PeekConfigurationModel(stored), 9);
    EXPECT_EQ(PeekConfigurationModel(StoreConfiguration(kNoModel, nullptr)), kNoModel);
    EXPECT_EQ(PeekConfigurationModel(withHeader(6, bytesOf({4}), stored)), 4);
    EXPECT_EQ(PeekConfigurationModel(withHeader(4, "skip", stored)), std::nullopt);
    EXPECT_EQ(PeekConfigurationModel(withHeader(3, "", stored)), std::nullopt);
    EXPECT_EQ(PeekConfigurationModel(kDocumentClass), std::nullopt);
    EXPECT_EQ(PeekConfigurationModel("garbage"), std::nullopt);
}

TEST(ConfigurationFile, ReportsOfALoad) {
    struct Case {
        ConfigurationLoad outcome;
        std::string text;
        bool opened;
    };
    const Case cases[] = {
        {ConfigurationLoad::Loaded, "", true},
        {ConfigurationLoad::OldVersion, "Cannot load the configuration file due to the old file version", false},
        {ConfigurationLoad::Damaged, "Configuration file damage", false},
        {ConfigurationLoad::Unreadable, "Invalid file format. Eventually due to the old file version.", false},
        {ConfigurationLoad::InvalidFormat, "Invalid file format. Eventually due to the old file version.", true},
        {ConfigurationLoad::EndedEarly, "", true},
        {ConfigurationLoad::NoTree, "", true},
    };
    for (const auto& c : cases) {
        const ConfigurationLoadReport report = ReportOfLoad(c.outcome);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(report.textKey.empty() ? "" : Text(report.textKey), c.text);
        EXPECT_EQ(report.captionKey.empty() ? "" : Text(report.captionKey), c.text.empty() ? "" : "File opening error");
        EXPECT_EQ(report.opened, c.opened);
    }
}

// While it lives, no file may grow beyond `bytes`: a longer write fails as on a full
// disk (even for root, whom a read-only folder would not stop). Whatever the process
// writes meanwhile is held to it, its test output too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class ConfigurationFileSave : public test::TemporaryFolderTest {};

// The disk full from the start, and filling up halfway through the new file.
TEST_F(ConfigurationFileSave, AFailedSaveKeepsThePreviousFile) {
    DescriptionTarget source;
    const std::string file = path("config.vantor");
    const std::string previous = StoreConfiguration(kNoModel, nullptr);
    const std::string next = StoreConfiguration(3, &source.root());
    std::string reason;
    ASSERT_TRUE(SaveConfigurationFile(file, kNoModel, nullptr, reason)) << reason;
    for (const rlim_t room : {rlim_t{0}, rlim_t{next.size() / 2}}) {
        SCOPED_TRACE(room);
        bool saved = true;
        reason.clear();
        {
            const FileSizeLimit fullDisk(room);
            saved = SaveConfigurationFile(file, 3, &source.root(), reason);
        }
        EXPECT_FALSE(saved);
        EXPECT_NE(reason, "");
        std::string bytes;
        ASSERT_TRUE(readFile(file, bytes, reason)) << reason;
        EXPECT_EQ(bytes, previous);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()),
                  1);
    }

    ASSERT_TRUE(SaveConfigurationFile(file, 3, &source.root(), reason)) << reason;
    std::string bytes;
    ASSERT_TRUE(readFile(file, bytes, reason)) << reason;
    EXPECT_EQ(bytes, next);
}

}  // namespace
}  // namespace vantor
