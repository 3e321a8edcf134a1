#include "calibration/strain/save_pages.h"

#include <QAbstractButton>
#include <memory>

#include "calibration/strain/code_page.h"
#include "calibration/strain/strain_sheet.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "models/strain_gauge_limits.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationTD {
namespace {

// Whether the module, asked after "U.Apl", reports a failed calibration; a status it
// does not give leaves nothing to judge.
bool statusTellsFailure(CPlimoDoc& document, Parameter* status) {
    return status && document.ReadParameter(*status) == 0 && calibrationFailed(status->valueText);
}

}  // namespace

bool CStrainSavePage::onBack() {
    sheet().activatePage<CPage1VI>();
    return false;
}

CSaveTDPage::CSaveTDPage() : CStrainSavePage("IDS_STRING587") { makeTemporaryParameter(apply_, kStrainApply, "void"); }

void CSaveTDPage::onActivate() {
    CSavePage::onActivate();
    backText_ = sheet().buttonText(QWizard::BackButton);
}

void CSaveTDPage::onLeave() { sheet().setButtonText(QWizard::BackButton, backText_); }

bool CSaveTDPage::onFinish() {
    sheet().setWizardButtons(0);
    auto failed = std::make_shared<bool>(false);
    CPlimoDoc& document = sheet().document();
    Parameter* status = sheetOf(*this).moduleStatus();
    sheet().link().post(
        this,
        [this, &document, status, failed] {
            document.WriteParameter(apply_, 0);  // what the status then says is what counts
            *failed = statusTellsFailure(document, status);
        },
        [this, failed] {
            if (*failed)
                offerRepeat();
            else
                rereadSensitivities();
        });
    return false;
}

void CSaveTDPage::offerRepeat() {
    sheet().setButtonText(QWizard::BackButton, QString::fromStdString(Text("IDS_STRING588")));
    sheet().setWizardButtons(CmySheet::kBack);
    sheet().document().ui().message(Text("IDS_STRING589"), {}, MessageIcon::Warning, MessageButtons::Ok);
}

// The document shows the sensitivities the module has now.
void CSaveTDPage::rereadSensitivities() {
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this,
        [&document, sensitivities = sheetOf(*this).sensitivities()] {
            for (const auto& [index, sensitivity] : sensitivities) document.ReadParameter(*sensitivity);
        },
        [this] { sheet().finish(); });
}

CUserSavePage::CUserSavePage() : CStrainSavePage("IDS_STRING590") {}

namespace {

// What the user method sends, in order, prepared on the window's thread.
struct UserCalibration {
    Parameter signalAt0;
    Parameter signalAt100;
    Parameter apply;
    Parameter* status = nullptr;
    Parameter* unitsAt0 = nullptr;
    Parameter* unitsAt100 = nullptr;
    std::string unitsAt0Text;
    std::string unitsAt100Text;
    Parameter init;
    std::string failure;  // empty: all done

    // On the link's thread: every step, up to the first that fails.
    void run(CPlimoDoc& document) {
        for (Parameter* signal : {&signalAt0, &signalAt100})
            if (document.WriteParameter(*signal, 0) != 0) {
                failure = signal->errorText;
                return;
            }
        document.WriteParameter(apply, 0);
        if (statusTellsFailure(document, status)) {
            failure = Text("IDS_STRING592");
            return;
        }
        if (!store(document, unitsAt0, unitsAt0Text)) {
            failure = Text("IDS_STRING593");
            return;
        }
        if (!store(document, unitsAt100, unitsAt100Text)) {
            failure = Text("IDS_STRING594");
            return;
        }
        document.WriteParameter(init, 0);  // the restart answers nothing worth showing
    }

    static bool store(CPlimoDoc& document, Parameter* limit, const std::string& value) {
        if (!limit) return false;
        limit->valueText = value;
        return document.WriteParameter(*limit, 0) == 0;
    }
};

}  // namespace

bool CUserSavePage::onFinish() {
    CSheetTD& strain = sheetOf(*this);
    CPlimoDoc& document = strain.document();
    const std::optional<UserLimits> limits = userLimits(strain.lower, strain.higher);
    if (!limits) {
        document.ui().message(Text("IDS_STRAIN_SAME_PERCENT"), {}, MessageIcon::Warning, MessageButtons::Ok);
        strain.activatePage<CPage1VI>();
        return false;
    }
    auto calibration = std::make_shared<UserCalibration>();
    strain.prepareForChannel(calibration->signalAt0, kStrainSignalAt0, "float", limits->signalAt0);
    strain.prepareForChannel(calibration->signalAt100, kStrainSignalAt100, "float", limits->signalAt100);
    makeTemporaryParameter(calibration->apply, kStrainApply, "void");
    calibration->status = strain.moduleStatus();
    calibration->unitsAt0 = strain.channelParameter(kStrainUnitsAt0);
    calibration->unitsAt100 = strain.channelParameter(kStrainUnitsAt100);
    calibration->unitsAt0Text = limits->unitsAt0;
    calibration->unitsAt100Text = limits->unitsAt100;
    makeTemporaryParameter(calibration->init, "INIT", "void");

    strain.setWizardButtons(0);
    strain.link().post(
        this, [&document, calibration] { calibration->run(document); },
        [&strain, &document, calibration] {
            if (calibration->failure.empty()) {
                strain.finish();
                return;
            }
            document.ui().message(calibration->failure, {}, MessageIcon::Warning, MessageButtons::Ok);
            strain.activatePage<CPage1VI>();
        });
    return false;
}

}  // namespace vantor::gui::CalibrationTD
