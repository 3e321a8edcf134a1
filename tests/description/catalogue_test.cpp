#include <gtest/gtest.h>

#include "description/catalogue.h"

namespace vantor {
namespace {

TEST(Catalogue, TableHoldsDisplayAndIdentificationNamesByIndex) {
    FillDeviceCatalogue();
    const auto& table = deviceCatalogueTable();
    ASSERT_EQ(table.size(), 23u);
    struct Row {
        int index;
        const char* display;
        const char* identification;
        const char* stream;
    };
    const Row rows[] = {
        {0, "KQ-01", "KQ-01", "kq-01.tree"},  {3, "KQ-04", "kq-04", "kq-04.tree"},
        {12, "KQ-13", "kq-13", "kq-13.tree"}, {13, "KQ-15", "kq-15", "kq-15.tree"},
        {14, "KQ-16", "kq-15", "kq-16.tree"}, {22, "KQ-24", "kq-24", "kq-24.tree"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(table[row.index].displayName, row.display);
        EXPECT_EQ(table[row.index].identification, row.identification);
        EXPECT_STREQ(modelCatalogue()[row.index].stream, row.stream);
    }
    FillDeviceCatalogue();  // every call fills the table anew
    EXPECT_EQ(deviceCatalogueTable().size(), 23u);
}

TEST(Catalogue, LumekoOffersEighteenModelsInItsOrder) {
    std::vector<std::string> list;
    CBrandLumeko().FillDeviceList(list);
    const std::vector<std::string> expected = {"KQ-01", "KQ-02", "KQ-03", "KQ-04", "KQ-05", "KQ-06",
                                               "KQ-10", "KQ-08", "KQ-17", "KQ-18", "KQ-24", "KQ-22",
                                               "KQ-11", "KQ-07", "KQ-15", "KQ-16", "KQ-21", "KQ-23"};
    EXPECT_EQ(list, expected);
}

TEST(Catalogue, ModelsAreFoundByNameOrIndex) {
    struct Case {
        const char* text;
        int index;
    };
    // 4294967310 and 4294967296 wrap to 14 and 0 in 32 bits.
    const Case cases[] = {{"KQ-16", 14},      {"kq-16", 14},      {"0", 0},   {"22", 22},
                          {"23", -1},         {"KQ-14", -1},      {"", -1},   {"-1", -1},
                          {"4294967310", -1}, {"4294967296", -1}, {"014", 14}};
    for (const Case& c : cases) EXPECT_EQ(findModel(c.text), c.index) << c.text;
    EXPECT_EQ(modelDisplayName(23), "");
}

}  // namespace
}  // namespace vantor
