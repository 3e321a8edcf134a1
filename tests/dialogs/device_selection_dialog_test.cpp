#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include "description/catalogue.h"
#include "dialog_bench.h"
#include "dialogs/device_selection_dialog.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::DeviceSelectionDialog;

constexpr int kKq16 = 14;

QTreeWidget& listOf(const DeviceSelectionDialog& dialog) { return *dialog.findChild<QTreeWidget*>(); }

QPushButton& okButton(const DeviceSelectionDialog& dialog) {
    const QString text = QString::fromStdString(TextByKey("IDD_SELECT_DEVICE_IDOK"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return *button;
    throw std::runtime_error("no OK button");
}

TEST(DeviceSelectionDialog, OffersTheBrandsModelsWithTheCurrentOneSelected) {
    DeviceSelectionDialog dialog(kKq16);
    dialog.show();
    test::saveShot(dialog, "device_selection");
    std::vector<std::string> offered;
    CBrandLumeko().FillDeviceList(offered);
    QTreeWidget& list = listOf(dialog);
    ASSERT_EQ(list.topLevelItemCount(), static_cast<int>(offered.size()));
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        EXPECT_EQ(list.topLevelItem(row)->text(0).toStdString(), offered[static_cast<std::size_t>(row)]);
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_EQ(list.currentItem()->text(0).toStdString(), modelDisplayName(kKq16));
    EXPECT_EQ(list.headerItem()->text(0).toStdString(), Text("IDS_STRING202"));
}

TEST(DeviceSelectionDialog, TheChosenModelIsItsCatalogueIndexNotItsRow) {
    DeviceSelectionDialog dialog(-1);
    dialog.show();
    QTreeWidget& list = listOf(dialog);
    const auto found = list.findItems(QString::fromStdString(modelDisplayName(kKq16)), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    ASSERT_NE(list.indexOfTopLevelItem(found.front()), kKq16);  // otherwise the case proves nothing
    list.setCurrentItem(found.front());
    okButton(dialog).click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedModel(), kKq16);
}

TEST(DeviceSelectionDialog, OkWithoutASelectionShowsTheHintAndStays) {
    DeviceSelectionDialog dialog(-1);
    dialog.show();
    QString hint;
    test::whenModalOpens([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            hint = box->text();
            box->accept();
        }
    });
    okButton(dialog).click();
    EXPECT_EQ(hint.toStdString(), Text("IDS_STRING201"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedModel(), -1);
}

}  // namespace
}  // namespace vantor
