#include "calibration/inductance/user_pages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <cstdio>
#include <memory>

#include "calibration/framework/my_sheet.h"
#include "calibration/inductance/node_table_save.h"
#include "document/configuration_document.h"
#include "models/natural_spline.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationVI {
namespace {

using myClass::PointsTableModel;

constexpr UserPageFacts kTabular{"IDS_STRING632", {"IDS_STRING633", "IDS_STRING634", "IDS_STRING635"}, nullptr};
constexpr UserPageFacts kMeasuring{
    "IDS_STRING641", {"IDS_STRING642", "IDS_STRING643", "IDS_STRING644"}, "IDS_STRING645"};
// The status bit by which the module reports a failed calibration.
constexpr std::uint32_t kStatusError = 0x80;

QString text(const char* key) { return QString::fromStdString(Text(key)); }

QStringList headers(const UserPageFacts& facts) {
    QStringList titles;
    for (const char* key : facts.headerKeys) titles << text(key);
    if (facts.buttonKey) titles << QString();
    return titles;
}

float number(const std::string& text) {
    float value = 0;
    std::sscanf(text.c_str(), "%f", &value);
    return value;
}

// The rows that take part, as the spline takes them.
std::vector<SplineNode> splineNodes(const PointsTableModel& points) {
    std::vector<SplineNode> nodes;
    nodes.reserve(static_cast<std::size_t>(points.enabledRows()));
    for (int row = 0; row < points.enabledRows(); ++row)
        nodes.push_back({number(points.inductance(row).valueText), number(points.physicalValue(row).valueText)});
    return nodes;
}

// Why the nodes make no spline, numbered as the table numbers them.
std::string refusal(const SplineNodesCheck& check) {
    using Fault = SplineNodesCheck::Fault;
    const int node = static_cast<int>(check.node) + 1;
    switch (check.fault) {
    case Fault::TooFewNodes: return Text("IDS_STRING640");
    case Fault::Repeated: return FormatTextArgs(Text("IDS_POINTS_REPEATED"), node - 1, node);
    case Fault::Decreasing: return FormatTextArgs(Text("IDS_POINTS_DECREASING"), node, node - 1);
    case Fault::None: break;
    }
    return {};
}

void warn(CPlimoDoc& document, const std::string& message, const std::string& caption = {}) {
    document.ui().message(message, caption, MessageIcon::Warning, MessageButtons::Ok);
}

// One measurement of a node's inductance: 32 reads, each taken into a running value.
struct Measurement {
    static constexpr int kReads = 32;

    // On the link's thread; stops at the first read that fails or brings no number.
    void run(CPlimoDoc& document, Parameter& reading) {
        for (int read = 0; read < kReads; ++read) {
            if (document.ReadParameter(reading) != 0) {
                failure = reading.errorText;
                return;
            }
            float v = 0;
            if (std::sscanf(reading.valueText.c_str(), "%f", &v) != 1) {
                failure = reading.valueText;
                return;
            }
            value = value == 0 ? value + v : (value + v) / 2;
        }
    }

    double value = 0;
    std::optional<std::string> failure;
};

}  // namespace

CUserPage::CUserPage(const UserPageFacts& facts)
    : CalibrationPage(facts.titleKey),
      table_(new myClass::CPointsTableCtrl(headers(facts), facts.buttonKey ? text(facts.buttonKey) : QString())),
      nodeCount_(new QLineEdit(QString::number(PointsTableModel::kFewestNodes))),
      apply_(new QPushButton(QString::fromStdString(TextByKey("IDD_TABLE_USER_IDC_BUTTON1")))) {
    setEndsPath(true);
    table_->setObjectName("points");
    nodeCount_->setObjectName("nodeCount");
    nodeCount_->setAlignment(Qt::AlignRight);
    nodeCount_->setMaximumWidth(nodeCount_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) * 2);
    nodeCount_->installEventFilter(this);
    apply_->setAutoDefault(false);
    connect(apply_, &QPushButton::clicked, this, &CUserPage::applyNodeCount);

    auto* nodes = new QHBoxLayout;
    auto* label = new QLabel(QString::fromStdString(TextByKey("IDD_TABLE_USER_IDC_STATIC")));
    label->setBuddy(nodeCount_);
    nodes->addWidget(label);
    nodes->addWidget(nodeCount_);
    nodes->addWidget(apply_);
    nodes->addStretch(1);
    body().addWidget(table_, 1);
    body().addLayout(nodes);
    // The table starts as the node count reads, so that Finish takes what is shown.
    table_->points().setEnabledRows(PointsTableModel::kFewestNodes);
}

void CUserPage::onActivate() {
    sheet().setButtonText(QWizard::FinishButton, text("IDS_STRING636"));
    sheet().setWizardButtons(CmySheet::kBack | CmySheet::kFinish);
}

bool CUserPage::onBack() {
    sheet().activatePage(0);
    return false;
}

bool CUserPage::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the node count applies it instead of pressing Finish.
    if (watched == nodeCount_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            applyNodeCount();
            return true;
        }
    }
    return CalibrationPage::eventFilter(watched, event);
}

void CUserPage::applyNodeCount() {
    bool isNumber = false;
    const int count = nodeCount_->text().trimmed().toInt(&isNumber);
    if (!isNumber || count < PointsTableModel::kFewestNodes || count > PointsTableModel::kRows) {
        warn(sheet().document(), Text("IDS_STRING640"));
        return;
    }
    table_->points().setEnabledRows(count);
}

void CUserPage::setWorking(bool working) {
    // The controls given back, the focus goes back where it was, not to Cancel.
    if (working) focusBefore_ = QApplication::focusWidget();
    sheet().setWizardButtons(working ? 0 : CmySheet::kBack | CmySheet::kFinish);
    if (working)
        showBusy(Text("IDS_STRING525"));
    else
        hideBusy();
    table_->setEnabled(!working);
    nodeCount_->setEnabled(!working);
    apply_->setEnabled(!working);
    if (!working && focusBefore_) focusBefore_->setFocus();
}

bool CUserPage::onFinish() {
    const PointsTableModel& points = table_->points();
    const std::vector<SplineNode> nodes = splineNodes(points);
    CPlimoDoc& document = sheet().document();
    // Nothing is written for a table the spline cannot go through.
    if (const SplineNodesCheck check = checkSplineNodes(nodes); check.fault != SplineNodesCheck::Fault::None) {
        warn(document, refusal(check));
        return false;
    }
    std::vector<const Parameter*> inductances;
    inductances.reserve(nodes.size());
    for (int row = 0; row < points.enabledRows(); ++row) inductances.push_back(&points.inductance(row));
    auto save = std::make_shared<NodeTableSave>(inductances, naturalSplineCoefficients(nodes));
    setWorking(true);
    sheet().link().post(
        this, [&document, save] { save->run(document); },
        [this, &document, save] {
            if (!isVisible()) return;
            if (!save->failure().empty()) {
                setWorking(false);
                warn(document, save->failure());
                return;
            }
            if (save->status() && (*save->status() & kStatusError)) warn(document, Text("IDS_STRING639"));
            sheet().finish();
        });
    return false;
}

CUserTablePage::CUserTablePage() : CUserPage(kTabular) {}

CUserMeasuringPage::CUserMeasuringPage() : CUserPage(kMeasuring) {
    connect(&table(), &myClass::CPointsTableCtrl::buttonClicked, this, &CUserMeasuringPage::measure);
}

void CUserMeasuringPage::onLeave() { setMeasuring(false); }

void CUserMeasuringPage::setMeasuring(bool on) {
    if (on == measuring_) return;
    measuring_ = on;
    sheet().document().ui().waitCursor(on);
}

void CUserMeasuringPage::measure(int row) {
    if (measuring_ || !table().points().rowEnabled(row)) return;
    std::shared_ptr<Parameter> reading = table().points().reading(row);
    auto measurement = std::make_shared<Measurement>();
    CPlimoDoc& document = sheet().document();
    setMeasuring(true);
    setWorking(true);
    sheet().link().post(
        this, [&document, reading, measurement] { measurement->run(document, *reading); },
        [this, &document, row, reading, measurement] {
            setMeasuring(false);
            if (!isVisible()) return;
            setWorking(false);
            if (measurement->failure) {
                warn(document, *measurement->failure, FormatText(Text("IDS_STRING615"), reading->name));
                return;
            }
            table().points().setMeasuredInductance(row, FormatTextArgs("%f", measurement->value));
        });
}

}  // namespace vantor::gui::CalibrationVI
