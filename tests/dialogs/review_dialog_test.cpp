#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "dialog_bench.h"
#include "dialogs/review_dialog.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::ReviewDialog;

QPushButton& writeButton(const ReviewDialog& dialog) {
    const QString text = QString::fromStdString(TextByKey("IDD_REVIEW_IDOK"));
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
        if (candidate->text() == text) return *candidate;
    throw std::runtime_error("no Write selected button");
}

QString cell(const QAbstractItemModel& model, int row, int column) {
    return model.index(row, column).data().toString();
}

// The module's configuration read, then three values changed in the document as a file
// would hold them, and a read-only one.
void documentWithFourDifferences(test::DocumentBench& bench) {
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    ASSERT_TRUE(bench.named("AdC.r").SetValue("80 Hz"));
    ASSERT_TRUE(bench.named("Mains").SetValue("60 Hz"));
    ASSERT_TRUE(bench.named("Rs.dL").SetValue("25"));
    bench.named("ver").valueText = "9.9";
}

TEST(ReviewDialog, ListsEveryDifferenceCheckedAndWritesOnlyTheCheckedOnes) {
    test::DocumentBench bench;
    documentWithFourDifferences(bench);
    ReviewDialog dialog(bench.doc);
    dialog.show();
    auto& model = *dialog.findChild<QTreeView*>()->model();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(bench.frontEnd.waitDialogs.back(), OperationCode::Compare);
    EXPECT_EQ(cell(model, 0, 0), "ver");
    EXPECT_EQ(cell(model, 0, 1), "Identification");
    EXPECT_EQ(cell(model, 0, 2), "9.9");
    EXPECT_EQ(cell(model, 0, 3), "1.0");
    EXPECT_EQ(cell(model, 1, 0), "Rs.dL");
    EXPECT_EQ(cell(model, 2, 0), "AdC.r");
    EXPECT_EQ(cell(model, 2, 2), "80 Hz");
    EXPECT_EQ(cell(model, 2, 3), "40 Hz");
    EXPECT_EQ(cell(model, 3, 0), "Mains");
    // The read-only row can neither be checked nor selected.
    EXPECT_EQ(model.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEnabled);
    for (int row = 1; row < 4; ++row) {
        EXPECT_EQ(model.index(row, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked) << row;
        EXPECT_TRUE(model.flags(model.index(row, 0)) & Qt::ItemIsUserCheckable) << row;
    }
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Differences: 4");
    test::saveShot(dialog, "review_dialog");

    ASSERT_TRUE(model.setData(model.index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
    bench.recorder.sent.clear();
    writeButton(dialog).click();
    std::vector<std::uint16_t> written;
    for (const ReceivedFrame& frame : bench.recorder.frames())
        if (!frame.requestBit()) written.push_back(frame.hash);
    EXPECT_EQ(written, (std::vector<std::uint16_t>{hash_name("AdC.r"), hash_name("Mains")}));
    EXPECT_EQ(cell(model, 2, 4), "Written");
    EXPECT_EQ(cell(model, 2, 3), "80 Hz");
    EXPECT_EQ(model.index(2, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(cell(model, 1, 4), "");
    EXPECT_FALSE(writeButton(dialog).isEnabled());  // Rs.dL unchecked, the rest done
}

}  // namespace
}  // namespace vantor
