#include "calibration/energy/energy_sheet.h"

#include "calibration/energy/energy_pages.h"
#include "calibration/framework/error_page.h"
#include "calibration/procedures.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "models/device_energy.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor::gui {
namespace CalibrationEnergy {

CSheetEnergy::CSheetEnergy(CalibrationLink& link, CDeviceEnergy& meter, QWidget* parent)
    : CmySheet(link, parent), meter_(meter), mode_(std::make_shared<Parameter>()) {
    makeTemporaryParameter(*mode_, "Mode", "int");
    setWindowTitle(QString::fromStdString(Text("IDS_STRING736")));
    addPage(new CCodePage);
    addPage(new CStep1Page);
    addPage(new CStep2Page);
    // Only KQ-22 has a fourth stage.
    if (meter.model() == Model::KQ22) addPage(new CStep3Page);
    addPage(new CEndPage);
    addPage(new CErrorPage);
}

CSheetEnergy::~CSheetEnergy() {
    // No read of "Mode" starts any more; the link lets go of it once the read it may
    // still be making is over.
    link().stopReadings();
    link().post(nullptr, [mode = mode_] {});
}

CSheetEnergy& energySheetOf(const CalibrationPage& page) { return static_cast<CSheetEnergy&>(page.sheet()); }

}  // namespace CalibrationEnergy

void runEnergyMeterCalibration(CalibrationLink& link, QWidget* parent) {
    auto* meter = dynamic_cast<CDeviceEnergy*>(link.document().deviceModel());
    if (!meter) return;
    CalibrationEnergy::CSheetEnergy sheet(link, *meter, parent);
    sheet.exec();
}

}  // namespace vantor::gui
