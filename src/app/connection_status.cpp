#include "app/connection_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <chrono>

#include "dialogs/wait_dialog.h"
#include "document/configuration_document.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

// Often enough to follow the live values' exchanges, seldom enough to cost nothing.
constexpr std::chrono::milliseconds kRefreshInterval{500};

QString keyedFormat(const char* key, auto... args) {
    return QString::fromStdString(FormatTextArgs(Text(key), args...));
}

// "8N1": data bits, parity, stop bits.
std::string frameFormat(const LineSettings& line) {
    const char parity = line.parityCode == kParityCodeEven ? 'E' : line.parityCode == kParityCodeOdd ? 'O' : 'N';
    return std::to_string(line.dataBits) + parity + std::to_string(line.stopBits);
}

// The task's name without the dialog title's trailing dots.
std::string taskName(OperationCode code) {
    QString caption = TaskCaption(code);
    while (caption.endsWith('.')) caption.chop(1);
    return caption.toStdString();
}

QString outcomeText(const TaskOutcome& outcome) {
    const std::string task = taskName(outcome.code);
    if (outcome.code == OperationCode::WriteChanges && outcome.range() == 0)
        return QString::fromStdString(Text("IDS_NOTHING_TO_WRITE"));
    if (outcome.failed())
        return keyedFormat("IDS_STATUS_TASK_FAILED", task.c_str(), outcome.failedOrMissed(), outcome.range());
    if (outcome.cancelled) return keyedFormat("IDS_STATUS_TASK_CANCELLED", task.c_str());
    return keyedFormat("IDS_STATUS_TASK_DONE", task.c_str());
}

}  // namespace

ConnectionStatus::ConnectionStatus(CPlimoDoc& document, QWidget* parent)
    : QWidget(parent), document_(document), connection_(new QLabel), task_(new QLabel) {
    connection_->setObjectName("connection");
    task_->setObjectName("task");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(task_);
    layout->addWidget(connection_);
    timer_.setInterval(kRefreshInterval);
    connect(&timer_, &QTimer::timeout, this, &ConnectionStatus::refresh);
    timer_.start();
    refresh();
}

QString ConnectionStatus::connectionText() const { return connection_->text(); }

QString ConnectionStatus::taskText() const { return task_->text(); }

void ConnectionStatus::refresh() {
    LineSettings line = document_.networkSettings().lineSettings();
    if (document_.device().eightDataBitsOnly) line.dataBits = 8;  // as the link opens the port
    QStringList parts{keyedFormat("IDS_STATUS_PORT", line.portPath.c_str(), line.baudRate, frameFormat(line).c_str())};
    if (const CBaseDevice* model = document_.deviceModel())
        parts << keyedFormat("IDS_STATUS_MODULE", model->DisplayName().c_str(), line.address);
    switch (document_.device().lastExchange.load()) {
    case ParameterLink::LastExchange::Worked:
        parts << QString::fromStdString(Text("IDS_STATUS_EXCHANGE_WORKED"));
        break;
    case ParameterLink::LastExchange::Failed:
        parts << QString::fromStdString(Text("IDS_STATUS_EXCHANGE_FAILED"));
        break;
    case ParameterLink::LastExchange::None: break;
    }
    const QString text = parts.join(QStringLiteral(" · "));
    if (connection_->text() != text) connection_->setText(text);
    // A task that is running has no outcome yet: the last one stays.
    if (const std::optional<TaskOutcome>& outcome = document_.lastOutcome()) {
        task_->setText(outcomeText(*outcome));
        const bool failed = outcome->failed();
        task_->setStyleSheet(failed ? QStringLiteral("color: #b00000; font-weight: bold") : QString());
    }
}

}  // namespace vantor::gui
