// The HTML list of a model's parameters: the page built from the tree, and the export
// that writes it to the documents folder and hands it to the desktop's browser.

#include "view/html_export.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>
#include <cstdlib>
#include <optional>
#include <string>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "platform/file_access.h"
#include "support/document_bench.h"
#include "support/recording_ui.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using gui::ParameterListHtml;
using test::DocumentBench;

const std::string kHeaderRow =
    "<tr>\n<td><strong><b>No.</b></strong></td>\n<td><strong><b>Parameter</b></strong></td>\n"
    "<td><strong><b>Hash code</b></strong></td>\n<td><strong><b>Description</b></strong></td>\n"
    "<td><strong><b>Type</b></strong></td>\n<td><strong><b>Use index</b></strong></td>\n"
    "<td><strong><b>Valid range</b></strong></td>\n<td><strong><b>Attributes</b></strong></td>\n</tr>\n";

std::string branchRow(const std::string& title) {
    return "<tr><td colspan=8 bgColor=\"#ffffaa\"><b>" + title + "</b></td></tr>\n" + kHeaderRow;
}

std::string parameterRow(int number, const std::string& name, const std::string& hash, const std::string& description,
                         const std::string& type, const std::string& index, const std::string& range,
                         const std::string& attributes) {
    return "<tr>\n\t<td>" + std::to_string(number) + "\t</td>\n\t<td>" + name + "\t</td>\n\t<td>" + hash +
           "\t</td>\n\t<td>" + description + "\t</td>\n\t<td>" + type + "\t</td>\n\t<td>" + index + "\t</td>\n\t<td>" +
           range + "\t</td>\n\t<td>" + attributes + "\t</td>\n</tr>\n";
}

// The table between the head and the table's end.
std::string tableRows(const std::string& page) {
    const std::string start = "style=\"font-size=12px\">\n";
    const auto from = page.find(start);
    const auto to = page.find("</table>\n\n<br>\n");
    if (from == std::string::npos || to == std::string::npos || to < from) return "<no table>";
    return page.substr(from + start.size(), to - from - start.size());
}

TEST(ParameterListPage, HeadDeclaresUtf8AndNamesTheModelThenLegendAndTail) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    const std::string page = ParameterListHtml(bench.doc);

    EXPECT_EQ(page.substr(0, page.find("<tr>")),
              "<html>\n<head>\n<meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"
              "\t<title>List of device parameters KQ-16</title>\n</head>\n\n<body>\n"
              "<h4>List of configuration parameters</h4>\n"
              "<table border=1 width=\"100%\" style=\"font-size=12px\">\n");
    const std::string legendStart =
        "</table>\n\n<br>\n<P><STRONG><U>Note:</P><STRONG></U><P><STRONG><U>Data types:</U></STRONG></P>";
    EXPECT_NE(page.find(legendStart), std::string::npos);
    EXPECT_NE(page.find("<TD width=\"120\"><P align=\"center\">STORED_DOT</P></TD><TD> Signed fixed point "
                        "number</TD></TR><TR><TD width=\"42\"><P align=\"center\">7</P></TD><TD width=\"120\"><P "
                        "align=\"center\">Valid values</P></TD><TD>8-bit integer</TD></TR></TABLE></P>"),
              std::string::npos);
    EXPECT_TRUE(page.ends_with("</TABLE></P></TABLE>\n</body>\n</html>")) << page.substr(page.size() - 80);
}

// KQ-16 (firmware 1.0): identification, network settings, conversion, four inputs of
// thirteen parameters each, every instance a branch of its own title.
TEST(ParameterListPage, ListsEveryBranchOfTheShippedModelWithItsParameters) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));  // values read are not part of the list
    const std::string rows = tableRows(ParameterListHtml(bench.doc));

    EXPECT_TRUE(rows.starts_with(branchRow("Identification") + parameterRow(1, "dev", "D681", "Device model", "string",
                                                                            "without index", "no restrictions", "R/W")))
        << rows.substr(0, 1200);
    EXPECT_NE(rows.find(parameterRow(12, "Rs.dL", "CBF5", "Response delay, ms", "int", "without index",
                                     "from 0.000 to 255.000", "R/W")),
              std::string::npos);
    EXPECT_NE(rows.find(parameterRow(16, "Sens", "3B88", "Sensitivity",
                                     "\n\t<ol start=0>\n\t\t<li> 0.8 mV/V\n\t\t<li> 1.5 mV/V\n\t\t<li> 3 mV/V\n"
                                     "\t\t<li> 7 mV/V\n\t\t<li> 14 mV/V\n\t\t<li> 28 mV/V\n\t\t<li> 60 mV/V\n\t</ol>",
                                     "0,1..3", "no restrictions", "R/W")),
              std::string::npos);
    for (const char* input : {"Input 1", "Input 2", "Input 3", "Input 4"})
        EXPECT_NE(rows.find(branchRow(input)), std::string::npos) << input;
    EXPECT_NE(rows.find("<tr>\n\t<td>66\t</td>\n\t<td>St.t\t</td>"), std::string::npos);
    EXPECT_EQ(rows.find("<td>67\t</td>"), std::string::npos);
    EXPECT_EQ(rows.find("<td>0\t</td>"), std::string::npos);
}

// Descriptions, names, titles and choices are text: markup characters in them are
// written as entities, attribute states other than R/W are named.
TEST(ParameterListPage, MarkupCharactersAreEscapedAndAttributeStatesNamed) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    Parameter& address = bench.named("Addr");
    address.description = "Address <1..2036> & \"broadcast\"";
    address.editable = 0;
    Parameter& parity = bench.named("PrtY");
    parity.type = "none:<odd>:&even";
    parity.editable = 2;
    bench.doc.rootBranch()->subBranches()[0]->setName("Identity <&>");
    const std::string page = ParameterListHtml(bench.doc);

    EXPECT_NE(page.find("<b>Identity &lt;&amp;&gt;</b>"), std::string::npos);
    EXPECT_NE(page.find("\t<td>Address &lt;1..2036&gt; &amp; &quot;broadcast&quot;\t</td>\n\t<td>int\t</td>\n"
                        "\t<td>without index\t</td>\n\t<td>from 1.000 to 2036.000\t</td>\n\t<td>R\t</td>\n"),
              std::string::npos);
    EXPECT_NE(page.find("\t\t<li> none\n\t\t<li> &lt;odd&gt;\n\t\t<li> &amp;even\n\t</ol>\t</td>\n\t<td>without "
                        "index\t</td>\n\t<td>no restrictions\t</td>\n\t<td>Attribute tree is cut (index "
                        "multiplicity 2)\t</td>\n"),
              std::string::npos);
    EXPECT_EQ(page.find("<1..2036>"), std::string::npos);
    EXPECT_EQ(page.find("<odd>"), std::string::npos);
    EXPECT_EQ(page.find("Identity <"), std::string::npos);
}

// Repeated instances titled "№ n" are listed once with their sub-branches; a name's
// index use is taken over the whole tree; a branch of one parameter has no rows of its own.
TEST(ParameterListPage, RepeatedInstancesOnceWithIndexUseOfTheWholeTree) {
    test::RecordingUserInterface ui;
    TreeDescription description(ui);
    ASSERT_TRUE(
        description.LoadTreeText("type MODE none even odd\n"
                                 "parameter Gain float Gain_<dB>\n"
                                 "rule Gain 0 100\n"
                                 "parameter Mode MODE Parity_mode\n"
                                 "parameter Tag string Tag_of_№1\n"
                                 "parameter Flt float Filter_time\n"
                                 "branch Filter 1 0 0 Flt\n"
                                 "branch Channel_№#_settings 3 0 0 Gain Mode Filter\n"
                                 "branch General 1 0 0 Tag Gain\n"
                                 "root Device 1 0 0 General Channel_№#_settings\n",
                                 kNoModel));
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front().text;

    EXPECT_EQ(
        tableRows(ParameterListHtml(description.rootBranch, "Device")),
        branchRow("General") +
            parameterRow(1, "Tag", "DF6E", "Tag of №...", "string", "without index", "no restrictions", "R/W") +
            parameterRow(2, "Gain", "5313", "Gain &lt;dB&gt;", "float", "0,1..2", "from 0.000 to 100.000", "R/W") +
            branchRow("Channel №... settings") +
            parameterRow(3, "Gain", "5313", "Gain &lt;dB&gt;", "float", "0,1..2", "from 0.000 to 100.000", "R/W") +
            parameterRow(4, "Mode", "5304", "Parity mode",
                         "\n\t<ol start=0>\n\t\t<li> none\n\t\t<li> even\n\t\t<li> odd\n\t</ol>", "0,1..2",
                         "no restrictions", "R/W") +
            parameterRow(5, "Flt", "1184", "Filter", "float", "0,1..2", "no restrictions", "R/W"));
}

TEST(ParameterListPage, NoTreeGivesTheEmptyTable) {
    const std::string page = ParameterListHtml(nullptr, "KQ-16");
    EXPECT_EQ(tableRows(page), "");
    EXPECT_TRUE(page.ends_with("</TABLE>\n</body>\n</html>"));
}

// HOME (and with it the documents folder) pointed elsewhere for one test.
class HomeFolder {
public:
    explicit HomeFolder(const std::string& path) {
        if (const char* home = std::getenv("HOME")) previous_ = home;
        ::setenv("HOME", path.c_str(), 1);
    }
    ~HomeFolder() {
        if (previous_)
            ::setenv("HOME", previous_->c_str(), 1);
        else
            ::unsetenv("HOME");
    }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    std::optional<std::string> previous_;
};

// The desktop's browser stands in as a text browser that loads what it is given.
class ParameterListExport : public test::TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
        ASSERT_TRUE(bench.doc.OnNewDocument());
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        TemporaryFolderTest::TearDown();
    }

    DocumentBench bench;
    test::RecordingUserInterface ui;
    QTextBrowser browser;
};

TEST_F(ParameterListExport, WritesIntoTheDocumentsFolderAndOpensThePage) {
    HomeFolder home(path("home"));
    const std::string expected = path("home") + "/Documents/parlist.html";
    std::filesystem::create_directories(path("home"));  // without a documents folder yet

    for (int run = 0; run < 2; ++run) {  // a second export replaces the file
        EXPECT_EQ(gui::ExportParameterList(bench.doc, ui), expected);
        std::string bytes, reason;
        ASSERT_TRUE(readFile(expected, bytes, reason)) << reason;
        EXPECT_EQ(bytes, ParameterListHtml(bench.doc));
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.waitCursorChanges, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(QString::fromStdString(expected)));
    EXPECT_EQ(browser.documentTitle(), QStringLiteral("List of device parameters KQ-16"));
}

TEST_F(ParameterListExport, AFolderThatCannotBeMadeIsAMessageAndNoPage) {
    writeFile("plain", "a regular file");
    HomeFolder home(path("plain"));

    EXPECT_EQ(gui::ExportParameterList(bench.doc, ui), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.starts_with("The parameter list cannot be written to " + path("plain") +
                                                "/Documents/parlist.html:\r\n"))
        << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.waitCursorChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(browser.source().isEmpty());
}

// A folder where the page should be: the write fails, the folder stays as it was.
TEST_F(ParameterListExport, APageThatCannotBeWrittenIsAMessage) {
    const std::string page = path("parlist.html");
    std::filesystem::create_directories(page + "/inside");
    EXPECT_FALSE(gui::WriteParameterList(bench.doc, page, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.starts_with("The parameter list cannot be written to " + page + ":\r\n"))
        << ui.messages[0].text;
    EXPECT_TRUE(std::filesystem::is_directory(page + "/inside"));
}

}  // namespace
}  // namespace vantor
