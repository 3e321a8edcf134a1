#include "calibration/strain/strain_sheet.h"

#include "calibration/procedures.h"
#include "calibration/strain/code_page.h"
#include "calibration/strain/limit_pages.h"
#include "calibration/strain/save_pages.h"
#include "calibration/strain/user_value_pages.h"
#include "description/desc_branch.h"
#include "document/configuration_document.h"
#include "params/number_text.h"
#include "params/parameter.h"
#include "params/type_names.h"
#include "text/texts.h"

namespace vantor::gui {

void runStrainGaugeCalibration(CalibrationLink& link, QWidget* parent) {
    CalibrationTD::CSheetTD sheet(link, parent);
    sheet.exec();
}

namespace CalibrationTD {
namespace {

Parameter* found(DescBranch* branch, const char* name, int index) {
    return branch ? branch->FindParameters(name, nullptr, nullptr, nullptr, index) : nullptr;
}

// The signal of a successful read of a float; none for a failed read or a text that
// is no number (a float the module marks invalid).
std::optional<float> signalOf(const Reading& reading) {
    if (reading.result != 0) return std::nullopt;
    const std::optional<double> number = leadingNumber(reading.valueText);
    if (!number) return std::nullopt;
    return static_cast<float>(*number);
}

}  // namespace

CSheetTD::CSheetTD(CalibrationLink& link, QWidget* parent) : CmySheet(link, parent) {
    setWindowTitle(QString::fromStdString(Text("IDS_STRING736")));
    if (DescBranch* root = document().rootBranch())
        root->FindParameters(kStrainSensitivity, &sensitivities_, nullptr, nullptr, 0);
    addPage(new CPage1VI(sensitivities_));
    addPage(new CMinPage);
    addPage(new CMaxPage);
    addPage(new CSaveTDPage);
    addPage(new CUserMinPage);
    addPage(new CUserMaxPage);
    addPage(new CUserSavePage);
}

Parameter* CSheetTD::channelParameter(const char* name) const { return found(document().rootBranch(), name, channel_); }

Parameter* CSheetTD::channelScanner(const char* name) const {
    return found(document().scannersBranch(), name, channel_);
}

Parameter* CSheetTD::channelSensitivity() const {
    const auto it = sensitivities_.find(channel_);
    return it != sensitivities_.end() ? it->second : nullptr;
}

Parameter* CSheetTD::moduleStatus() const { return found(document().scannersBranch(), kStrainStatus, 0); }

void CSheetTD::prepareForChannel(Parameter& record, const char* name, const char* type,
                                 const std::string& value) const {
    record.name = name;
    record.type = type;
    record.valueText = value;
    const Parameter* own = channelSensitivity();
    record.indexed = own ? own->indexed : 0;
    record.dataIndex = record.indexed ? channel_ : 0;
}

void CSheetTD::startSignalReadings() {
    Parameter* signal = channelScanner(kStrainSignal);
    if (!signal) return;
    link().startReadings(this, {signal}, [this](const Reading& reading) {
        // A float read means a value; a read of something else tells nothing.
        if (reading.result == 0 && classifyType(reading.type) != TypeKind::Float) return;
        if (auto* page = dynamic_cast<CUserValuePage*>(currentPage())) page->onSignal(signalOf(reading));
    });
}

void CSheetTD::stopSignalReadings() { link().stopReadings(); }

}  // namespace CalibrationTD
}  // namespace vantor::gui
