#include "calibration/inductance/inductance_calibration.h"

#include "calibration/framework/my_sheet.h"
#include "calibration/inductance/first_page.h"
#include "calibration/inductance/limit_pages.h"
#include "calibration/inductance/user_pages.h"
#include "calibration/procedures.h"
#include "text/texts.h"

namespace vantor::gui {

void addInductancePages(CmySheet& sheet) {
    using namespace CalibrationVI;
    sheet.setWindowTitle(QString::fromStdString(Text("IDS_STRING736")));
    sheet.addPage(new CPage1VI);
    sheet.addPage(new CMinPage);
    sheet.addPage(new CMaxPage);
    sheet.addPage(new CSaveVIPage);
    sheet.addPage(new CUserTablePage);
    sheet.addPage(new CUserMeasuringPage);
}

void runInductanceCalibration(CalibrationLink& link, QWidget* parent) {
    CmySheet sheet(link, parent);
    addInductancePages(sheet);
    sheet.exec();
}

}  // namespace vantor::gui
