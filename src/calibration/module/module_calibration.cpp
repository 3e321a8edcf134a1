#include "calibration/procedures.h"

#include <QEventLoop>

#include "calibration/framework/calibration_link.h"
#include "calibration/module/calibration_method_dialog.h"
#include "calibration/module/input_calibration_dialog.h"
#include "calibration/module/output_calibration_dialog.h"
#include "document/configuration_document.h"
#include "models/calibration_functions.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

// Returns once everything posted so far has been on the line.
void waitForTheLink(CalibrationLink& link) {
    QEventLoop loop;
    link.post(
        &loop, [] {}, [&loop] { loop.quit(); });
    loop.exec();
}

std::string instructionText(const Dialogs::InputCalibrationChoice& choice) {
    return choice.type == 1 ? SensorInstructionText(choice.sensorCode) : Text("IDS_STRING446");
}

// The dialog stays until what it asks for next has run, so that its last "CLB.A" goes
// out after everything that was started from it.
void runCalibration(CalibrationLink& link, QWidget* parent, const Dialogs::InputCalibrationRun& run) {
    Dialogs::CCalibrate2 calibration(link, run, parent);
    calibration.exec();
    switch (calibration.followUp()) {
    case Dialogs::CCalibrate2::FollowUp::ChooseAgain: runInputModuleCalibration(link, parent); break;
    case Dialogs::CCalibrate2::FollowUp::Repeat: runCalibration(link, parent, run); break;
    case Dialogs::CCalibrate2::FollowUp::None: break;
    }
}

}  // namespace

void runInputModuleCalibration(CalibrationLink& link, QWidget* parent) {
    Dialogs::InputCalibrationChoice choice;
    {
        Dialogs::CCalibrate1 method(link, parent);
        const bool chosen = method.exec() == QDialog::Accepted;
        choice = method.choice();
        if (!chosen) {
            waitForTheLink(link);
            return;
        }
    }
    CPlimoDoc& document = link.document();
    const CBaseDevice* device = document.deviceModel();
    const Model model = device ? device->model() : Model::KQ01;
    UserInterface& ui = document.ui();
    ui.message(BeforeCalibrationText(model), Text("IDS_STRING736"), MessageIcon::Warning, MessageButtons::Ok);
    runCalibration(link, parent, {choice.type, instructionText(choice), choice.channel});
    ui.message(AfterCalibrationText(model, choice.type, device ? device->DisplayName() : std::string()),
               Text("IDS_STRING737"), MessageIcon::Warning, MessageButtons::Ok);
    waitForTheLink(link);
}

void runOutputCalibration(CalibrationLink& link, QWidget* parent) {
    {
        Dialogs::CCalibration calibration(link, parent);
        calibration.exec();
    }
    waitForTheLink(link);
}

}  // namespace vantor::gui
