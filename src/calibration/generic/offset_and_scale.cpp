#include "calibration/generic/offset_and_scale.h"

#include "calibration/framework/code_base_page.h"
#include "calibration/framework/error_page.h"
#include "calibration/framework/my_sheet.h"
#include "calibration/framework/save_page.h"
#include "calibration/generic/job_pages.h"
#include "calibration/procedures.h"
#include "text/texts.h"

namespace vantor::gui {

void addOffsetAndScalePages(CmySheet& sheet) {
    sheet.setWindowTitle(QString::fromStdString(Text("IDS_STRING736")));
    sheet.addPage(new CCodeBasePage(sheet.document()));
    sheet.addPage(new COffsetPage);
    sheet.addPage(new CScalePage);
    sheet.addPage(new CSavePage);
    sheet.addPage(new CErrorPage);
}

void runOffsetAndScaleCalibration(CalibrationLink& link, QWidget* parent) {
    CmySheet sheet(link, parent);
    addOffsetAndScalePages(sheet);
    sheet.exec();
}

}  // namespace vantor::gui
