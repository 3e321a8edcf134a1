#include "calibration/framework/my_sheet.h"

#include <QAbstractButton>
#include <utility>

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/error_page.h"
#include "document/configuration_document.h"

namespace vantor::gui {

CmySheet::CmySheet(CalibrationLink& link, QWidget* parent) : QWizard(parent), link_(link) {
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage, false);
    pollTimer_.setSingleShot(true);
    connect(&pollTimer_, &QTimer::timeout, this, &CmySheet::pollJob);
    connect(this, &QWizard::currentIdChanged, this, &CmySheet::pageChanged);
    // Back is the page's to handle: some procedures go back to their first page.
    button(BackButton)->disconnect(this);
    connect(button(BackButton), &QAbstractButton::clicked, this, &CmySheet::backPressed);
    makeTemporaryParameter(resultParameter_, kJobResult, "int");
}

CmySheet::~CmySheet() { link_.drain(); }

int CmySheet::addPage(CalibrationPage* page) {
    const int id = static_cast<int>(pageIds().size());
    setPage(id, page);
    return id;
}

CalibrationPage* CmySheet::pageAt(int id) const { return static_cast<CalibrationPage*>(page(id)); }

CErrorPage* CmySheet::errorPage() const { return pageOf<CErrorPage>(); }

void CmySheet::setWizardButtons(int buttons) {
    buttons_ = buttons;
    applyButtons();
}

void CmySheet::applyButtons() {
    button(BackButton)->setEnabled(buttons_ & kBack);
    button(NextButton)->setEnabled(buttons_ & kNext);
    button(FinishButton)->setEnabled(buttons_ & kFinish);
}

void CmySheet::pressNext() {
    pressing_ = true;
    next();
    pressing_ = false;
}

void CmySheet::activatePage(int id) {
    if (id < 0 || id == currentId()) return;
    if (id == startId()) {
        restart();
        return;
    }
    if (visitedIds().contains(id)) {
        while (currentId() != id) back();
        return;
    }
    jumpTarget_ = id;
    pressNext();
    jumpTarget_ = -1;
}

void CmySheet::showError(const std::string& text) {
    stopJobPoll();
    if (CErrorPage* page = errorPage()) {
        page->setErrorText(text);
        activatePage(idOf<CErrorPage>());
    }
}

void CmySheet::finish() {
    finishing_ = true;
    QWizard::done(Accepted);
    finishing_ = false;
}

int CmySheet::nextId() const {
    // The jump holds for the one move it was made for; the page shown afterwards has
    // its own next page.
    if (jumpTarget_ >= 0) return std::exchange(jumpTarget_, -1);
    return QWizard::nextId();
}

bool CmySheet::validateCurrentPage() { return pressing_ || finishing_ || QWizard::validateCurrentPage(); }

void CmySheet::done(int result) {
    if (result == Accepted && !finishing_) {
        if (CalibrationPage* page = pageAt(currentId()); page && page->onFinish()) finish();
        return;
    }
    // Closed: nothing the module still answers reaches a page.
    stopJobPoll();
    link_.stopReadings();
    if (CalibrationPage* page = pageAt(currentId())) page->onLeave();
    previousId_ = -1;
    QWizard::done(result);
}

void CmySheet::pageChanged(int id) {
    if (CalibrationPage* left = pageAt(previousId_)) left->onLeave();
    previousId_ = id;
    CalibrationPage* page = pageAt(id);
    if (!page) return;
    // A page that sets no buttons of its own gets Back and Next.
    buttons_ = kBack | kNext | kFinish;
    page->onActivate();
    applyButtons();
}

void CmySheet::backPressed() {
    if (CalibrationPage* page = pageAt(currentId()); page && page->onBack()) back();
}

void CmySheet::startJobPoll() {
    ++pollGeneration_;
    jobResult_.restart();
    pollTimer_.start(timing().firstPollMs);
}

void CmySheet::stopJobPoll() {
    ++pollGeneration_;
    pollTimer_.stop();
    pollInFlight_ = false;
}

void CmySheet::pollJob() {
    const int generation = pollGeneration_;
    pollInFlight_ = true;
    auto result = std::make_shared<int>(0);
    link_.post(
        this, [this, result] { *result = document().ReadParameter(resultParameter_); },
        [this, generation, result] {
            if (generation != pollGeneration_) return;
            pollInFlight_ = false;
            judgeJob(*result);
        });
}

void CmySheet::judgeJob(int readResult) {
    const JobPoll poll = jobResult_.judge(readResult, resultParameter_);
    switch (poll.state) {
    case JobPoll::State::Done: pressNext(); break;
    case JobPoll::State::Busy: pollTimer_.start(timing().repeatPollMs); break;
    case JobPoll::State::Failed: showError(poll.errorText); break;
    }
}

}  // namespace vantor::gui
