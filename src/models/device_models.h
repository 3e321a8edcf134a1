#pragma once
// Making the device model of a catalogue index, and what the codec and the view take
// from the current model (which may be absent: no model chosen, or an unknown index).

#include <memory>

#include "description/desc_branch.h"
#include "models/base_device.h"
#include "params/converter.h"

namespace vantor {

class ModelDocument;

// The model class of catalogue index `index` (13 and 14 are the two variants of
// KQ-15); null outside 0 ... 22.
std::unique_ptr<CBaseDevice> CreateDeviceModel(int index, ModelDocument& document);

// The decoder's context of the current model; the plain one without a model.
CodecContext ModelCodecContext(const CBaseDevice* model);

// The labels of the status decoding rows for ViewInsertion; none without a model.
// The function refers to `model`, which must outlive the insertion it is used for.
StatusRowLabels ModelStatusRowLabels(const CBaseDevice* model);

}  // namespace vantor
