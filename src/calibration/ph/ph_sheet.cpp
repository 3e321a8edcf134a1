#include "calibration/ph/ph_sheet.h"

#include "calibration/framework/error_page.h"
#include "calibration/ph/ph_code_page.h"
#include "calibration/ph/ph_save_page.h"
#include "calibration/ph/ph_step_pages.h"
#include "calibration/procedures.h"
#include "description/desc_branch.h"
#include "document/configuration_document.h"
#include "text/texts.h"

namespace vantor::gui {
namespace CalibrationPH {
namespace {

Parameter* findIn(DescBranch* tree, const std::string& name) {
    return tree ? tree->FindParameters(name, nullptr, nullptr, nullptr, 0) : nullptr;
}

}  // namespace

CSheetPH::CSheetPH(CalibrationLink& link, QWidget* parent) : CmySheet(link, parent) {
    setWindowTitle(QString::fromStdString(Text("IDS_STRING736")));
    addPage(new CCodePage);
    addPage(new CStep1Page);
    addPage(new CStep2Page);
    addPage(new CSavePHPage);
    addPage(new CErrorPage);
}

Parameter* CSheetPH::rootParameter(const std::string& name) const { return findIn(document().rootBranch(), name); }

Parameter* CSheetPH::stateParameter(const std::string& name) const { return findIn(document().scannersBranch(), name); }

CSheetPH& phSheetOf(const CalibrationPage& page) { return static_cast<CSheetPH&>(page.sheet()); }

}  // namespace CalibrationPH

void runPhCalibration(CalibrationLink& link, QWidget* parent) {
    CalibrationPH::CSheetPH sheet(link, parent);
    sheet.exec();
}

}  // namespace vantor::gui
