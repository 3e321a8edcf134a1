#include "app/gui_front_end.h"

#include <QMetaObject>
#include <QSplashScreen>

#include "app/connection_status.h"
#include "app/gui_user_interface.h"
#include "calibration/procedures.h"
#include "dialogs/apply_dialog.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/wait_dialog.h"
#include "document/configuration_document.h"
#include "view/parameter_view.h"

namespace vantor::gui {

GuiFrontEnd::GuiFrontEnd(GuiUserInterface& ui) {
    // Emitted on the communication thread, received here on the user-interface thread.
    connect(&ui, &GuiUserInterface::progressLogged, this, [this](const QString& line, int position) {
        if (waitDialog_) waitDialog_->appendLog(line, position);
    });
    connect(&ui, &GuiUserInterface::taskFinished, this, [this](const QString& text) {
        if (waitDialog_) waitDialog_->taskDone(text);
    });
}

std::optional<TaskOutcome> GuiFrontEnd::RunWaitDialog(OperationCode code, Device& device) {
    WaitDialog dialog(code, device, window_);
    waitDialog_ = &dialog;
    dialog.exec();
    waitDialog_ = nullptr;
    return dialog.outcome();
}

void GuiFrontEnd::TaskEnded(const TaskOutcome& outcome) {
    if (window_)
        if (auto* status = window_->findChild<ConnectionStatus*>()) status->refresh();
    if (!outcome.failed() || !view_) return;
    view_->updateAllViews();
    view_->showFirstTroubled();
}

bool GuiFrontEnd::RunStartupConnectionDialog() {
    if (!document_) return false;
    ConnectionDialog dialog(*document_, ConnectionDialog::Mode::StartUp, window_);
    dialog.exec();
    return dialog.exitChosen();
}

bool GuiFrontEnd::RunApplyDialog() {
    if (!document_) return false;
    ApplyDialog dialog(*document_, window_);
    return dialog.exec() == QDialog::Accepted && dialog.changeProgramSettings();
}

void GuiFrontEnd::CloseSplash() {
    if (splash_) splash_->close();
}

void GuiFrontEnd::UpdateAllViews() {
    if (view_) view_->updateAllViews();
}

void GuiFrontEnd::DropRows() {
    if (view_) view_->dropRows();
}

void GuiFrontEnd::RunCalibration(Calibration kind) {
    if (document_) gui::RunCalibration(*document_, kind, window_);
}

void GuiFrontEnd::PostReadAll() {
    if (!document_) return;
    CPlimoDoc* document = document_;
    QMetaObject::invokeMethod(
        this, [document] { document->ReadAll(TreeScope::WholeTree); }, Qt::QueuedConnection);
}

}  // namespace vantor::gui
