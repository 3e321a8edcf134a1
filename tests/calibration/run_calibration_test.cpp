// "Calibration..." opens the procedure of the model at hand, and "Tare weight" its dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWizard>

#include "calibration/procedures.h"
#include "calibration_bench.h"
#include "models/base_device.h"

namespace vantor {
namespace {

// The class of the modal window `open` shows first; the window is then cancelled.
std::string firstModalOf(const std::function<void()>& open) {
    std::string shown;
    QTimer::singleShot(0, qApp, [&shown] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = modal->metaObject()->className();
            modal->reject();
        }
    });
    open();
    return shown;
}

TEST(RunCalibration, EachModelOpensItsFamilysProcedure) {
    const struct {
        int model;
        const char* window;
    } cases[] = {
        {test::kKq01, "vantor::gui::Dialogs::CCalibrate1"},
        {test::kKq02, "vantor::gui::Dialogs::CCalibration"},
        {test::kKq08, "vantor::gui::CmySheet"},
        {test::kKq13, "vantor::gui::CmySheet"},
        {test::kKq15, "vantor::gui::CalibrationTD::CSheetTD"},
        {test::kKq20, "vantor::gui::CalibrationPH::CSheetPH"},
        {test::kKq22, "vantor::gui::CalibrationEnergy::CSheetEnergy"},
    };
    for (const auto& c : cases) {
        test::CalibrationBench b(c.model);
        CBaseDevice& model = *b.bench.doc.deviceModel();
        EXPECT_EQ(firstModalOf([&] { gui::RunCalibration(b.bench.doc, model.facts().calibration, nullptr); }), c.window)
            << c.model;
    }
}

TEST(RunCalibration, TareWeightOpensItsDialog) {
    test::CalibrationBench b(test::kKq15);
    EXPECT_EQ(firstModalOf([&] { gui::RunTareWeight(b.bench.doc, nullptr); }), "vantor::gui::CWeightTDDlg");
}

}  // namespace
}  // namespace vantor
