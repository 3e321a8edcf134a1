#include "view/sampled_rows.h"

#include <memory>

#include "document/configuration_document.h"
#include "platform/string_utils.h"
#include "text/texts.h"
#include "view/link_jobs.h"
#include "view/parameter_tree_model.h"
#include "view/sample_decoding.h"

namespace vantor::gui {
namespace {

Parameter* FindInTree(const DescBranch& branch, std::string_view name) {
    Parameter* found = nullptr;
    branch.ForEachMember(
        [&](Parameter& p) { found = found ? found : (equalsIgnoringCase(p.name, name) ? &p : nullptr); },
        [&](DescBranch& sub) { found = found ? found : FindInTree(sub, name); });
    return found;
}

}  // namespace

void SampleQueue::push(const SampledValue& value) {
    std::lock_guard lock(mutex_);
    entries_.push_back(value);
    if (wakeUp_) wakeUp_();
}

std::optional<SampledValue> SampleQueue::pop() {
    std::lock_guard lock(mutex_);
    if (entries_.empty()) return std::nullopt;
    SampledValue oldest = std::move(entries_.front());
    entries_.pop_front();
    return oldest;
}

void SampleQueue::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

void SampleQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(mutex_);
    wakeUp_ = std::move(wakeUp);
}

SampledRows::SampledRows(CPlimoDoc& document, ParameterTreeModel& model, LinkJobs& jobs, QObject* parent)
    : QObject(parent), document_(document), model_(model), jobs_(jobs) {
    // Posted to this object's thread; a wake-up that finds the queue drained costs nothing.
    queue_->setWakeUp([this] { QMetaObject::invokeMethod(this, &SampledRows::drain, Qt::QueuedConnection); });
}

SampledRows::~SampledRows() { queue_->setWakeUp({}); }

SampleSink SampledRows::sink() const {
    return [queue = queue_](const SampledValue& reading) { queue->push(reading); };
}

void SampledRows::start() {
    if (DescBranch* scanners = document_.scannersBranch(); scanners && model_.scannersRow())
        document_.device().StartScanThread(*scanners, sink());
}

void SampledRows::drain() {
    while (std::optional<SampledValue> reading = queue_->pop()) {
        RowNode* row = model_.rowOf(reading->parameter);
        if (row && row->sampledParameter) show(*row, *reading);
    }
    emit readingsShown();
}

void SampledRows::show(RowNode& row, const SampledValue& reading) {
    const Parameter& parameter = *reading.parameter;
    const CBaseDevice* deviceModel = document_.deviceModel();
    StatusBitText statusText;
    if (deviceModel)
        statusText = [deviceModel](int bit, std::uint32_t value) { return deviceModel->StatusBitText(bit, value); };
    const DecodedSample decoded = DecodeSample(parameter.name, reading.valueText, row.children.size(), statusText);
    for (std::size_t i = 0; i < decoded.rowValues.size(); ++i) {
        RowNode& below = *row.children[i];
        below.sampled.value = decoded.rowValues[i];
        below.sampled.received = true;
        model_.rowChanged(below);
    }
    if (equalsIgnoringCase(parameter.name, "rd.rs")) nameMeasurement(parameter);
    row.sampled.value = decoded.value;
    row.sampled.error = reading.errorText;
    row.sampled.received = true;
    model_.rowChanged(row);
}

void SampledRows::nameMeasurement(const Parameter& measurement) {
    Parameter* sensorType = document_.rootBranch() ? FindInTree(*document_.rootBranch(), "sen.t") : nullptr;
    // One read at a time is enough: it names the row for every reading queued meanwhile.
    if (!sensorType || sensorType->valueChanged || sensorTypeDue_) return;
    sensorTypeDue_ = true;
    auto read = std::make_shared<bool>(false);
    jobs_.run([this, sensorType, read] { *read = document_.device().ReadParameter(*sensorType, false) == 0; },
              [this, sensorType, read, parameter = &measurement] {
                  sensorTypeDue_ = false;
                  RowNode* row = model_.rowOf(parameter);
                  if (!*read || !row || !row->sampledParameter) return;
                  const bool ph = sensorType->valueText == sensorType->EnumText(0);
                  row->entry.parameter->description = Text(ph ? "IDS_STRING501" : "IDS_STRING502");
                  model_.rowChanged(*row);
              });
}

}  // namespace vantor::gui
