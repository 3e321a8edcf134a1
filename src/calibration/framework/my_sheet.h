#pragma once
// The calibration wizard: the pages of one procedure in order, the buttons the current
// page allows, the poll of a running calibration job and the error page every
// procedure ends on when the module refuses. The family wizards derive from it or use
// it as it is.
//
// Pages are shown by QWizard, but moved between the way a procedure needs: a page may
// jump ahead (activatePage), the program may press Next for the person once a job has
// finished (pressNext: the page's own Next handling does not run again), and going back
// to the first page keeps what every page holds.

#include <QPointer>
#include <QTimer>
#include <QWizard>
#include <string>

#include "calibration/framework/calibration_link.h"
#include "models/calibration_job.h"
#include "params/parameter.h"

namespace vantor::gui {

class CalibrationPage;
class CErrorPage;

class CmySheet : public QWizard {
    Q_OBJECT
public:
    enum WizardButton { kBack = 1, kNext = 2, kFinish = 4 };

    explicit CmySheet(CalibrationLink& link, QWidget* parent = nullptr);
    ~CmySheet() override;

    CalibrationLink& link() const { return link_; }
    CPlimoDoc& document() const { return link_.document(); }
    const CalibrationTiming& timing() const { return link_.timing(); }

    // Appends a page; pages are numbered 0, 1, ... in the order added.
    int addPage(CalibrationPage* page);
    CalibrationPage* pageAt(int id) const;
    template <class Page>
    int idOf() const {
        for (int id : pageIds())
            if (dynamic_cast<Page*>(page(id))) return id;
        return -1;
    }
    template <class Page>
    Page* pageOf() const {
        return dynamic_cast<Page*>(page(idOf<Page>()));
    }
    CErrorPage* errorPage() const;

    // The buttons the person may press (WizardButton bits) until the page changes.
    void setWizardButtons(int buttons);
    int wizardButtons() const { return buttons_; }

    // Next, pressed by the program: the page moves on without its Next handling.
    void pressNext();
    // Shows page `id`: the first page as at the start (the pages keep what they hold),
    // an earlier one by going back, a later one by moving straight to it.
    void activatePage(int id);
    template <class Page>
    void activatePage() {
        activatePage(idOf<Page>());
    }
    // The error page with `text`.
    void showError(const std::string& text);
    // Closes the wizard as its Finish does.
    void finish();

    // The job poll: reads the job's result parameter after timing().firstPollMs, then
    // every timing().repeatPollMs while the module is busy. A finished job presses Next;
    // a refusal, a failed read or a module that stays busy shows the error page.
    void startJobPoll();
    void stopJobPoll();
    bool jobPollRunning() const { return pollTimer_.isActive() || pollInFlight_; }

    void done(int result) override;
    int nextId() const override;
    bool validateCurrentPage() override;

private:
    void pageChanged(int id);
    void backPressed();
    void pollJob();
    void judgeJob(int readResult);
    void applyButtons();

    CalibrationLink& link_;
    int buttons_ = kNext;
    int previousId_ = -1;
    mutable int jumpTarget_ = -1;  // QWizard asks for it once per move, before the move
    bool pressing_ = false;
    bool finishing_ = false;
    QTimer pollTimer_;
    bool pollInFlight_ = false;
    int pollGeneration_ = 0;
    JobResultPoll jobResult_;
    Parameter resultParameter_;
};

}  // namespace vantor::gui
