#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "dialog_bench.h"
#include "dialogs/network_settings_model.h"
#include "dialogs/settings_table_view.h"
#include "elements/net_rs485_prg.h"
#include "support/temporary_config_home.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::NetworkSettingsModel;
using gui::SerialPortEntry;

// The editor hands its text over from the event loop.
void pressEnter(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

NetRS485prg& loaded(NetRS485prg& settings) {
    settings.InitParameters();
    return settings;
}

struct TableBench {
    TableBench() {
        view.setModel(&model);
        view.resize(460, 240);
        view.show();
    }
    int rowOf(const char* name) const {
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.parameterAt(row).name == name) return row;
        throw std::runtime_error(std::string("no row ") + name);
    }
    QModelIndex value(const char* name) const { return model.index(rowOf(name), NetworkSettingsModel::ValueColumn); }
    template <class Editor>
    Editor* edit(const char* name) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the editor closed before
        view.editValue(rowOf(name));
        return view.findChild<Editor*>();
    }

    test::TemporaryConfigHome home;
    NetRS485prg settings;
    NetworkSettingsModel model{loaded(settings)};
    gui::SettingsTableView view;
};

TEST(SettingsTable, ShowsEachSettingWithItsDescriptionAndValue) {
    TableBench bench;
    ASSERT_EQ(bench.model.rowCount(), 7);
    const int port = bench.rowOf("Port");
    EXPECT_EQ(bench.model.portRow(), port);
    EXPECT_EQ(bench.model.index(port, 0).data().toString(), QString::fromStdString(Text("IDS_STRING209")));
    EXPECT_EQ(bench.value("bPS").data().toString(), "9600");
    EXPECT_EQ(bench.model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromStdString(Text("IDS_STRING211")));
    EXPECT_FALSE(bench.model.flags(bench.model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(bench.model.flags(bench.value("Addr")) & Qt::ItemIsEditable);
}

TEST(SettingsTable, ATypedValueIsCommittedByEnterAndARefusedOneLeavesTheFormer) {
    TableBench bench;
    auto* box = bench.edit<QLineEdit>("Addr");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->selectedText(), "16");
    box->setText("4x2");
    pressEnter(box);
    EXPECT_EQ(bench.settings.GetParameterText("Addr"), "16");
    EXPECT_EQ(bench.value("Addr").data().toString(), "16");

    box = bench.edit<QLineEdit>("Addr");
    ASSERT_NE(box, nullptr);
    box->setText("42");
    pressEnter(box);
    EXPECT_EQ(bench.settings.GetParameterText("Addr"), "42");
    EXPECT_EQ(bench.value("Addr").data().toString(), "42");
}

TEST(SettingsTable, EscapeClosesTheEditorWithoutAChange) {
    TableBench bench;
    auto* box = bench.edit<QLineEdit>("Addr");
    ASSERT_NE(box, nullptr);
    box->setText("42");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(bench.settings.GetParameterText("Addr"), "16");
}

TEST(SettingsTable, AChoiceIsTakenFromTheListOfTheType) {
    TableBench bench;
    auto* list = bench.edit<QComboBox>("PrtY");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);  // none:even:odd
    EXPECT_EQ(list->currentText(), bench.value("PrtY").data().toString());
    test::saveShot(bench.view, "connection_settings_editor");
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(bench.settings.GetParameterText("PrtY"), list->itemData(1).toString().toStdString());
    EXPECT_EQ(bench.value("PrtY").data().toString(), "even");
}

TEST(SettingsTable, AValueNeverReadStartsItsEditorFromTheNoDataMark) {
    TableBench bench;
    bench.settings.FindParameter("Addr")->valueText = Text("IDS_NODATA");
    bench.model.refresh();
    auto* box = bench.edit<QLineEdit>("Addr");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Н/Д"));
}

TEST(SettingsTable, ThePortRowOffersThePortsWithTheAdaptersNamesAndTakesAnyPath) {
    TableBench bench;
    bench.model.setPorts({{"/dev/ttyS0", "/dev/ttyS0"}, {"/dev/ttyUSB0", "/dev/ttyUSB0  (FT232R USB UART)"}});
    const QModelIndex port = bench.value("Port");
    EXPECT_EQ(port.data(NetworkSettingsModel::ChoicesRole).toStringList(), (QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_EQ(port.data(NetworkSettingsModel::ChoiceLabelsRole).toStringList().value(1),
              "/dev/ttyUSB0  (FT232R USB UART)");
    EXPECT_EQ(bench.settings.FindParameter("Port")->type, "/dev/ttyS0:/dev/ttyUSB0");

    auto* list = bench.edit<QComboBox>("Port");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isEditable());
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(bench.settings.GetParameterText("Port"), "/dev/ttyUSB0");  // the path, not the label

    list = bench.edit<QComboBox>("Port");
    ASSERT_NE(list, nullptr);
    list->setEditText("/dev/pts/7");  // a port the system does not list, as a virtual module's
    pressEnter(list);
    EXPECT_EQ(bench.settings.GetParameterText("Port"), "/dev/pts/7");
}

TEST(SettingsTable, ThePortCellOpensAsAFieldThatTakesTyping) {
    TableBench bench;
    bench.view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bench.view));
    bench.model.setPorts({{"/dev/ttyS0", "/dev/ttyS0"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"}});
    auto* list = bench.edit<QComboBox>("Port");
    ASSERT_NE(list, nullptr);
    QCoreApplication::processEvents();  // where a list would open by itself
    EXPECT_FALSE(list->view()->isVisible());
    QWidget* typedInto = QApplication::focusWidget();
    ASSERT_NE(typedInto, nullptr);
    QTest::keyClicks(typedInto, "/dev/pts/9");  // replaces the selected text
    QTest::keyClick(typedInto, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(bench.settings.GetParameterText("Port"), "/dev/pts/9");
}

}  // namespace
}  // namespace vantor
