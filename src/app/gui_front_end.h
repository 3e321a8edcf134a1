#pragma once
// The document's front end in the desktop program: the wait dialog, the start-up
// connection dialog, the parameter view's updates, and a posted read. The task's log
// lines and its end reach the open wait dialog through queued connections made once,
// before any task runs, so that nothing a fast task reports is lost.

#include <QObject>
#include <QPointer>

#include "document/document_front_end.h"

class QSplashScreen;
class QWidget;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class GuiUserInterface;
class ParameterView;
class WaitDialog;

class GuiFrontEnd : public QObject, public DocumentFrontEnd {
    Q_OBJECT
public:
    explicit GuiFrontEnd(GuiUserInterface& ui);

    // Set as the start-up makes them; each may be null until then.
    void setDocument(CPlimoDoc* document) { document_ = document; }
    void setWindow(QWidget* window) { window_ = window; }
    void setView(ParameterView* view) { view_ = view; }
    void setSplash(QSplashScreen* splash) { splash_ = splash; }

    std::optional<TaskOutcome> RunWaitDialog(OperationCode code, Device& device) override;
    // The status bar shows the outcome; after a failure the view shows the first
    // troubled row.
    void TaskEnded(const TaskOutcome& outcome) override;
    bool RunStartupConnectionDialog() override;
    bool RunApplyDialog() override;
    void CloseSplash() override;
    void UpdateAllViews() override;
    void DropRows() override;
    void PostReadAll() override;
    void RunCalibration(Calibration kind) override;

private:
    CPlimoDoc* document_ = nullptr;
    QPointer<QWidget> window_;
    ParameterView* view_ = nullptr;
    QSplashScreen* splash_ = nullptr;
    WaitDialog* waitDialog_ = nullptr;  // the one open now
};

}  // namespace vantor::gui
