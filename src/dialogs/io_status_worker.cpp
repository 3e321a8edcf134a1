#include "dialogs/io_status_worker.h"

#include <QTimer>

#include "document/configuration_document.h"
#include "params/parameter.h"
#include "platform/app_state.h"

namespace vantor::gui {
namespace {

Parameter* rowParameter(const IoTable& table, int row) {
    const auto& cells = table.rows[static_cast<std::size_t>(row)];
    return cells.empty() ? nullptr : cells.front().parameter;
}

}  // namespace

IoStatusWorker::IoStatusWorker(CPlimoDoc& document, std::mutex& parameterLock, IoTable inputs, IoTable outputs,
                               int inputIndicators)
    : document_(document),
      parameterLock_(parameterLock),
      inputs_(std::move(inputs)),
      outputs_(std::move(outputs)),
      inputIndicators_(inputIndicators) {}

void IoStatusWorker::start() {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &IoStatusWorker::tick);
    timer->start(kTickMs);
    QTimer::singleShot(1, this, &IoStatusWorker::tick);
}

void IoStatusWorker::tick() {
    CBaseDevice* model = document_.deviceModel();
    if (!model) return;
    std::lock_guard lock(parameterLock_);
    if (next_ == Side::Inputs) {
        if (model->HasInputs()) pollInputs(*model);
        next_ = Side::Outputs;
    } else {
        if (model->HasOutputs()) pollOutputs();
        next_ = Side::Inputs;
    }
}

void IoStatusWorker::write(Side side, int row, int column, Parameter* parameter, const std::string& text) {
    bool accepted = false;
    std::string shown;
    {
        std::lock_guard lock(parameterLock_);
        std::lock_guard link(app().linkLock());
        parameter->SetValueText(text);
        accepted = document_.WriteParameter(*parameter, 1) == 0;
        parameter->valueChanged = 0;
        shown = accepted ? parameter->valueText : parameter->errorText;
    }
    emit written(side, row, column, accepted, QString::fromStdString(shown));
}

bool IoStatusWorker::readRow(Side side, const IoTable& table, int row) {
    Parameter* parameter = rowParameter(table, row);
    if (!parameter || parameter->valueChanged) return false;
    if (side == Side::Outputs) emit rowPolled(side, row);
    document_.ReadParameter(*parameter);
    const std::string& shown = parameter->errorText.empty() ? parameter->valueText : parameter->errorText;
    emit rowRead(side, row, QString::fromStdString(shown));
    return true;
}

// The inputs' green row is the one to be read next; the indicators follow every read.
void IoStatusWorker::pollInputs(CBaseDevice& model) {
    const int rows = static_cast<int>(inputs_.rows.size());
    if (rows == 0) return;
    const bool read = readRow(Side::Inputs, inputs_, nextInput_);
    nextInput_ = (nextInput_ + 1) % rows;
    emit rowPolled(Side::Inputs, read ? nextInput_ : -1);
    const auto states = model.UpdateInputIndicators(inputs_, inputIndicators_);
    for (std::size_t indicator = 0; indicator < states.size(); ++indicator)
        if (states[indicator])
            emit indicatorState(Side::Inputs, static_cast<int>(indicator), QString::fromStdString(*states[indicator]));
}

// The outputs' green row is the one being read; its indicator shows what was read.
void IoStatusWorker::pollOutputs() {
    const int rows = static_cast<int>(outputs_.rows.size());
    if (rows == 0) return;
    const int row = nextOutput_;
    nextOutput_ = (nextOutput_ + 1) % rows;
    if (!readRow(Side::Outputs, outputs_, row)) {
        emit rowPolled(Side::Outputs, -1);
        return;
    }
    const Parameter& parameter = *rowParameter(outputs_, row);
    const std::string state = parameter.errorText.empty() ? parameter.valueText : std::string();
    emit indicatorState(Side::Outputs, row, QString::fromStdString(state));
}

}  // namespace vantor::gui
