// Reviewing a saved configuration against the module: every difference listed, exactly
// the chosen ones written, the document's change marks kept.

#include <gtest/gtest.h>

#include "document/review.h"
#include "support/document_bench.h"
#include "support/temporary_folder.h"

namespace vantor::test {
namespace {

class Review : public TemporaryFolderTest {
protected:
    // The module's configuration with `edits` made in the document, saved and loaded
    // again: the file differs from the module in those parameters.
    void loadFileWith(const std::vector<std::pair<Parameter*, std::string>>& edits) {
        for (const auto& [parameter, value] : edits) ASSERT_TRUE(parameter->SetValue(value)) << parameter->name;
        std::string reason;
        ASSERT_TRUE(bench.doc.OnSaveDocument(path("file.cfg"), reason)) << reason;
        ASSERT_TRUE(bench.doc.OnOpenDocument(path("file.cfg")));
    }
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        ASSERT_TRUE(bench.doc.OnNewDocument());
        ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    }
    // The hashes of the write frames sent since the recorder was last cleared.
    std::vector<std::uint16_t> writtenHashes() const {
        std::vector<std::uint16_t> hashes;
        for (const ReceivedFrame& frame : bench.recorder.frames())
            if (!frame.requestBit()) hashes.push_back(frame.hash);
        return hashes;
    }

    DocumentBench bench;
};

TEST_F(Review, ListsThreeDifferencesAndWritesOnlyTheTwoLeftChecked) {
    const int channel = bench.named("Ch.En").dataIndex;
    loadFileWith({{&bench.named("AdC.r"), "80 Hz"}, {&bench.named("Mains"), "60 Hz"}, {&bench.named("Ch.En"), "off"}});

    ModuleReview review(bench.doc);
    ASSERT_TRUE(review.Compare());
    ASSERT_EQ(review.rows().size(), 3u);
    const ReviewRow& rate = review.rows()[0];
    const ReviewRow& mains = review.rows()[1];
    const ReviewRow& input = review.rows()[2];
    EXPECT_EQ(rate.path, "Conversion");
    EXPECT_EQ(rate.label, "AdC.r");
    EXPECT_EQ(rate.fileValue, "80 Hz");
    EXPECT_EQ(rate.moduleValue, "40 Hz");
    EXPECT_EQ(mains.label, "Mains");
    EXPECT_EQ(mains.moduleValue, "50 Hz");
    EXPECT_EQ(input.path, "Input 1");
    EXPECT_EQ(input.label, "Ch.En:" + std::to_string(channel));
    EXPECT_EQ(input.fileValue, "off");
    EXPECT_EQ(input.moduleValue, "on");
    for (const ReviewRow& row : review.rows()) {
        EXPECT_TRUE(row.writable) << row.label;
        EXPECT_TRUE(row.selected) << row.label;
    }
    // The document's own comparison report saw them too.
    EXPECT_EQ(bench.doc.compareReport().differences(), 3);

    // Mains is marked as changed in the file: its mark must not make it go along.
    ASSERT_EQ(bench.named("Mains").valueChanged, 1);
    review.select(1, false);
    EXPECT_EQ(review.selectedCount(), 2u);
    bench.recorder.sent.clear();
    ASSERT_TRUE(review.WriteSelected());
    EXPECT_EQ(writtenHashes(), (std::vector<std::uint16_t>{hash_name("AdC.r"), hash_name("Ch.En")}));
    EXPECT_EQ(bench.frontEnd.waitDialogs.back(), OperationCode::WriteChanges);
    EXPECT_EQ(bench.frontEnd.progressRanges.back(), 2);
    EXPECT_EQ(bench.module.parameters().find("AdC.r")->value, Bytes{3});
    EXPECT_EQ(bench.module.parameters().find("Mains")->value, Bytes{0});

    EXPECT_TRUE(rate.written);
    EXPECT_EQ(rate.error, "");
    EXPECT_EQ(rate.moduleValue, "80 Hz");
    EXPECT_FALSE(rate.writable);
    EXPECT_FALSE(mains.written);
    EXPECT_TRUE(mains.writable);
    // The file's change marks are the document's: all three keep theirs.
    EXPECT_EQ(bench.named("AdC.r").valueChanged, 1);
    EXPECT_EQ(bench.named("Mains").valueChanged, 1);

    // Checked again, the one left is written alone.
    review.select(1, true);
    bench.recorder.sent.clear();
    ASSERT_TRUE(review.WriteSelected());
    EXPECT_EQ(writtenHashes(), (std::vector<std::uint16_t>{hash_name("Mains")}));
}

TEST_F(Review, ReadOnlyAndEmptyValuesAreListedButNotSelectable) {
    loadFileWith({});
    bench.named("ver").valueText = "9.9";        // the module's firmware cannot be written
    bench.named("AdC.r").valueText = "no data";  // the file holds nothing for it
    ModuleReview review(bench.doc);
    ASSERT_TRUE(review.Compare());
    ASSERT_EQ(review.rows().size(), 2u);
    for (std::size_t row = 0; row < 2; ++row) {
        EXPECT_FALSE(review.rows()[row].writable) << review.rows()[row].label;
        review.select(row, true);
        EXPECT_FALSE(review.rows()[row].selected) << review.rows()[row].label;
    }
    EXPECT_EQ(review.rows()[0].label, "ver");
    EXPECT_EQ(review.rows()[0].fileValue, "9.9");
    EXPECT_EQ(review.rows()[1].label, "AdC.r");

    // Nothing selected: no task, nothing sent.
    const std::size_t dialogs = bench.frontEnd.waitDialogs.size();
    bench.recorder.sent.clear();
    EXPECT_FALSE(review.WriteSelected());
    EXPECT_EQ(bench.frontEnd.waitDialogs.size(), dialogs);
    EXPECT_TRUE(bench.recorder.sent.empty());
}

TEST_F(Review, AWriteTheModuleRefusesKeepsTheRowSelectedWithTheReason) {
    loadFileWith({{&bench.named("AdC.r"), "80 Hz"}});
    ModuleReview review(bench.doc);
    ASSERT_TRUE(review.Compare());
    ASSERT_EQ(review.rows().size(), 1u);
    bench.module.parameters().find("AdC.r")->readOnly = true;
    EXPECT_TRUE(review.WriteSelected());
    const ReviewRow& row = review.rows()[0];
    EXPECT_FALSE(row.written);
    EXPECT_TRUE(row.selected);
    EXPECT_EQ(row.error, "You are trying to change read-only parameter");
    EXPECT_EQ(row.moduleValue, "40 Hz");
}

}  // namespace
}  // namespace vantor::test
