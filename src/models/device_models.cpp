#include "models/device_models.h"

#include "description/catalogue.h"
#include "models/device_energy.h"
#include "models/kq08.h"
#include "models/kq12.h"
#include "models/kq15.h"

namespace vantor {

std::unique_ptr<CBaseDevice> CreateDeviceModel(int index, ModelDocument& document) {
    if (index < 0 || index >= kModelCount) return nullptr;
    const auto model = static_cast<Model>(index);
    switch (model) {
    case Model::KQ08: return std::make_unique<CKQ08>(document);
    case Model::KQ19: return std::make_unique<CKQ19>(document);
    case Model::KQ12: return std::make_unique<CKQ12>(document);
    case Model::KQ15:
    case Model::KQ16: return std::make_unique<CKQ15>(model, document);
    case Model::KQ21:
    case Model::KQ22:
    case Model::KQ23:
    case Model::KQ24: return std::make_unique<CDeviceEnergy>(model, document);
    default: return std::make_unique<CBaseDevice>(model, document);
    }
}

CodecContext ModelCodecContext(const CBaseDevice* model) { return model ? model->codecContext() : CodecContext{}; }

StatusRowLabels ModelStatusRowLabels(const CBaseDevice* model) {
    if (!model) return {};
    return [model](int row) { return model->StatusRowLabel(row); };
}

}  // namespace vantor
