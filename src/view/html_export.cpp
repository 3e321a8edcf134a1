#include "view/html_export.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "description/catalogue.h"
#include "description/desc_branch.h"
#include "document/configuration_document.h"
#include "params/type_names.h"
#include "platform/app_state.h"
#include "platform/file_access.h"
#include "platform/string_utils.h"
#include "protocol/name_hash.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

constexpr std::string_view kNumberSign = "№";

// Every text from the tree goes through here: a name, title or description with
// markup characters in it must read as text, not break the page.
std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The repeated instances of a branch ("Channel №3 settings", "Channel № 3 settings")
// share one title ("Channel №... settings"), so that they are listed once: the number
// after the sign is dropped up to the next blank.
std::string sharedTitle(const std::string& title) {
    const auto sign = title.find(kNumberSign);
    if (sign == std::string::npos) return title;
    const auto number = title.find_first_not_of(' ', sign + kNumberSign.size());
    const auto blank = number == std::string::npos ? number : title.find(' ', number);
    return title.substr(0, sign) + "№..." + (blank == std::string::npos ? std::string() : title.substr(blank));
}

std::string upperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// How a name is indexed across the whole tree: the largest data index and the step
// between the first two different ones (1 for the indices 0, 1, 2, ...).
struct IndexUse {
    int largest = 0;
    int step = 0;
};
using IndexUses = std::map<std::string, IndexUse>;  // by upper-cased name

void collectIndexUse(const DescBranch& branch, IndexUses& uses) {
    for (const auto& parameter : branch.parameters()) {
        IndexUse& use = uses[upperCased(parameter->name)];
        if (use.step == 0) use.step = parameter->dataIndex - use.largest;
        use.largest = std::max(use.largest, parameter->dataIndex);
    }
    for (const auto& sub : branch.subBranches()) collectIndexUse(*sub, uses);
}

std::string indexText(const IndexUse& use) {
    if (use.largest == 0) return Text("IDS_STRING709");
    return FormatTextArgs("0,%i..%i", use.step, use.largest);
}

// The value types that are not lists of choices, spelt as the legend names them.
// Descriptions may write "_" as a blank and any letter case.
std::string plainTypeName(const std::string& firstPiece) {
    static const char* const kPlainTypes[] = {"STORED_DOT", "DEC_dot", "CLK_frm", "string", "ASCII", "name",
                                              "int",        "int16",   "sint",    "sint16", "float", "void"};
    std::string spelt = firstPiece;
    std::replace(spelt.begin(), spelt.end(), ' ', '_');
    for (const char* name : kPlainTypes)
        if (equalsIgnoringCase(spelt, name)) return name;
    return {};
}

// A plain type by its name; an enumeration as a list numbered from 0, as its values.
std::string typeCell(const std::string& type) {
    const std::vector<std::string> pieces = typeElements(type);
    std::string plain = plainTypeName(pieces.empty() ? std::string() : pieces.front());
    if (!plain.empty()) return plain;
    std::string cell = "\n\t<ol start=0>\n";
    for (std::string piece : pieces) {
        std::replace(piece.begin(), piece.end(), '_', ' ');
        cell += "\t\t<li> " + escaped(piece) + "\n";
    }
    return cell + "\t</ol>";
}

std::string rangeText(const Parameter& parameter) {
    if (parameter.lowLimit >= parameter.highLimit) return Text("IDS_STRING899");
    return FormatTextArgs(Text("IDS_STRING900"), parameter.lowLimit, parameter.highLimit);
}

std::string attributeText(int state) {
    switch (state) {
    case 1: return Text("IDS_STRING901");
    case 0: return Text("IDS_STRING903");
    default: return FormatText(Text("IDS_STRING902"), state);
    }
}

std::string head(const std::string& modelName) {
    return "<html>\n<head>\n<meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n\t<title>" +
           escaped(FormatText(Text("IDS_STRING700"), modelName)) + "</title>\n</head>\n\n<body>\n<h4>" +
           escaped(Text("IDS_STRING701")) + "</h4>\n<table border=1 width=\"100%\" style=\"font-size=12px\">\n";
}

std::string headerRow() {
    std::string row = "<tr>\n<td><strong><b>No.</b></strong></td>\n";
    for (const char* key : {"IDS_STRING702", "IDS_STRING703", "IDS_STRING704", "IDS_STRING705", "IDS_STRING706",
                            "IDS_STRING707", "IDS_STRING708"})
        row += "<td><strong><b>" + escaped(Text(key)) + "</b></strong></td>\n";
    return row + "</tr>\n";
}

// The data types named in the type cells, with what they hold.
std::string legend() {
    const auto row = [](const char* number, const std::string& name, const std::string& description) {
        return "<TR><TD width=\"42\"><P align=\"center\">" + std::string(number) +
               "</P></TD><TD width=\"120\"><P align=\"center\">" + name + "</P></TD><TD>" + description + "</TD></TR>";
    };
    return "<P><STRONG><U>" + Text("IDS_STRING959") + "</P><STRONG></U><P><STRONG><U>" + Text("IDS_STRING960") +
           "</U></STRONG></P><P><TABLE cellSpacing=\"0\" cellPadding=\"1\" width=\"100%\" border=\"1\"><TR><TD "
           "width=\"42\"><P align=\"center\"><STRONG>" +
           Text("IDS_STRING961") + "</STRONG></P></TD><TD width=\"120\"><P><STRONG>" + Text("IDS_STRING962") +
           "</STRONG></P></TD><TD><P align=\"center\"><STRONG>" + Text("IDS_STRING963") + "</STRONG></P></TD></TR>" +
           row("1", "float", "<P>" + Text("IDS_STRING964") + "</P>") +
           row("2", "int", "<P>" + Text("IDS_STRING965") + "</P>") + row("3", "ASCII", Text("IDS_STRING966")) +
           row("4", "CLK_frm", Text("IDS_STRING967")) + row("5", "string", Text("IDS_STRING968")) +
           row("6", "STORED_DOT", " " + Text("IDS_STRING969")) +
           row("7", Text("IDS_STRING970"), Text("IDS_STRING971")) + "</TABLE></P>";
}

// The table rows of the branch blocks, numbering the parameter rows across the page.
class BranchBlocks {
public:
    explicit BranchBlocks(const DescBranch& root) { collectIndexUse(root, indexUses_); }

    // The blocks of the sub-branches of `parent`, a repeated instance once.
    void writeSubBranches(const DescBranch& parent, const std::string& path) {
        std::string previousTitle;
        for (const auto& sub : parent.subBranches()) {
            const std::string title = sharedTitle(sub->name());
            if (title == previousTitle) continue;
            previousTitle = title;
            writeBranch(*sub, path + title);
        }
    }

    const std::string& rows() const { return rows_; }

private:
    void writeBranch(const DescBranch& branch, const std::string& titlePath) {
        if (!branch.parameters().empty()) {
            if (!branch.IsSingleParameterBranch())
                rows_ +=
                    "<tr><td colspan=8 bgColor=\"#ffffaa\"><b>" + escaped(titlePath) + "</b></td></tr>\n" + headerRow();
            for (const auto& parameter : branch.parameters()) writeParameter(*parameter);
        }
        writeSubBranches(branch, titlePath + "\\");
    }

    void writeParameter(const Parameter& parameter) {
        std::string description = parameter.description;
        replaceAll(description, "№1", "№...");
        const auto cell = [](const std::string& text) { return "\t<td>" + text + "\t</td>\n"; };
        rows_ += "<tr>\n" + cell(std::to_string(++rowNumber_)) + cell(escaped(parameter.name)) +
                 cell(FormatTextArgs("%04X", static_cast<unsigned>(hash_name(parameter.name)))) +
                 cell(escaped(description)) + cell(typeCell(parameter.type)) +
                 cell(indexText(indexUses_[upperCased(parameter.name)])) + cell(rangeText(parameter)) +
                 cell(attributeText(parameter.editable)) + "</tr>\n";
    }

    IndexUses indexUses_;
    int rowNumber_ = 0;
    std::string rows_;
};

}  // namespace

std::string ParameterListHtml(const DescBranch* root, const std::string& modelName) {
    std::string page = head(modelName);
    if (root) {
        BranchBlocks blocks(*root);
        blocks.writeSubBranches(*root, "");
        page += blocks.rows();
    }
    return page + "</table>\n\n<br>\n" + legend() + "</TABLE>\n</body>\n</html>";
}

std::string ParameterListHtml(const CPlimoDoc& document) {
    return ParameterListHtml(document.rootBranch(), modelDisplayName(app().currentModel()));
}

std::string ParameterListPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return (folder + QStringLiteral("/parlist.html")).toStdString();
}

bool WriteParameterList(const CPlimoDoc& document, const std::string& path, UserInterface& ui) {
    ui.waitCursor(true);
    std::string reason;
    std::error_code error;
    // A fresh account may have no documents folder yet.
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const bool written =
        error ? (reason = error.message(), false) : saveFileAtomically(path, ParameterListHtml(document), reason);
    ui.waitCursor(false);
    if (!written)
        ui.message(FormatTextArgs(Text("IDS_EXPORT_NOT_WRITTEN"), path.c_str(), reason.c_str()),
                   Text("AFX_IDS_APP_TITLE"), MessageIcon::Error, MessageButtons::Ok);
    return written;
}

std::string ExportParameterList(CPlimoDoc& document, UserInterface& ui) {
    std::string path = ParameterListPath();
    if (!WriteParameterList(document, path, ui)) return {};
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        ui.message(FormatText(Text("IDS_EXPORT_NOT_OPENED"), path), Text("AFX_IDS_APP_TITLE"), MessageIcon::Warning,
                   MessageButtons::Ok);
    return path;
}

}  // namespace vantor::gui
