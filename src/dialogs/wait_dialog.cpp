#include "dialogs/wait_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "device/device.h"
#include "platform/app_state.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

constexpr std::chrono::milliseconds kCloseDelay{2000};
// The log follows its end every few lines, not at each one, to keep up with a fast task.
constexpr int kScrollEvery = 5;

struct CaptionKey {
    OperationCode code;
    const char* key;
};

constexpr std::array<CaptionKey, 7> kCaptions = {{
    {OperationCode::ReadAll, "IDS_STRING265"},
    {OperationCode::ReadOne, "IDS_STRING266"},
    {OperationCode::WriteAll, "IDS_STRING267"},
    {OperationCode::WriteChanges, "IDS_STRING270"},
    {OperationCode::Compare, "IDS_STRING271"},
    {OperationCode::WriteDefaults, "IDS_STRING272"},
    {OperationCode::WriteOne, "IDS_STRING274"},
}};

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

QLineEdit* readOnlyField(const QString& widest) {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(Qt::AlignCenter);
    field->setMinimumWidth(QFontMetrics(field->font()).horizontalAdvance(widest) + 16);
    return field;
}

}  // namespace

QString TaskCaption(OperationCode code) {
    for (const CaptionKey& caption : kCaptions)
        if (caption.code == code) return QString::fromStdString(Text(caption.key));
    return QString::fromStdString(TextByKey("IDD_WAIT_CAPTION"));
}

WaitDialog::WaitDialog(OperationCode code, Device& device, QWidget* parent)
    : QDialog(parent),
      device_(device),
      log_(new QListWidget),
      elapsed_(readOnlyField("00:00:00")),
      count_(readOnlyField("00000 of 00000")),
      bar_(new QProgressBar),
      cancel_(new QPushButton(keyed("IDD_WAIT_IDOK"))) {
    setModal(true);
    log_->setObjectName("log");
    elapsed_->setObjectName("elapsed");
    count_->setObjectName("count");
    bar_->setObjectName("bar");
    setWindowTitle(TaskCaption(code));
    log_->setUniformItemSizes(true);
    log_->setFocusPolicy(Qt::NoFocus);
    log_->setMinimumSize(480, 180);
    bar_->setRange(0, device_.progressTotal);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    cancel_->setDefault(true);

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(keyed("IDD_WAIT_IDC_STATIC_1")));
    fields->addWidget(elapsed_);
    fields->addSpacing(12);
    fields->addWidget(new QLabel(keyed("IDD_WAIT_IDC_STATIC_2")));
    fields->addWidget(count_);
    fields->addStretch();
    fields->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(log_);
    layout->addLayout(fields);
    layout->addWidget(bar_);

    closeTimer_.setSingleShot(true);
    closeTimer_.setInterval(kCloseDelay);
    connect(&closeTimer_, &QTimer::timeout, this, [this] {
        delayOver_ = true;
        closeWhenDue();
    });
    connect(cancel_, &QPushButton::clicked, this, &WaitDialog::reject);

    clock_.start();
    showElapsed();
    waiter_ = std::thread([this] {
        std::optional<TaskOutcome> outcome = device_.WaitTask();
        QMetaObject::invokeMethod(
            this, [this, outcome] { taskEnded(outcome); }, Qt::QueuedConnection);
    });
}

WaitDialog::~WaitDialog() {
    if (!ended_) device_.cancelEvent().set();
    waiter_.join();
}

void WaitDialog::appendLog(const QString& line, int position) {
    addLine(line);
    showElapsed();
    const int total = device_.progressTotal;
    if (total == 0) return;
    count_->setText(QString::asprintf(Text("IDS_STRING306").c_str(), position, total));
    bar_->setValue(std::min(position, total));
}

void WaitDialog::taskDone(const QString& text) {
    addLine(text);
    log_->scrollToBottom();
    startCloseDelay();
}

void WaitDialog::reject() {
    if (keptOpen_) {  // the task has ended: the button only closes
        accept();
        return;
    }
    if (!cancelPressed_) {
        cancelPressed_ = true;
        device_.CancelTask();
    }
    closeWhenDue();
}

void WaitDialog::addLine(const QString& line) {
    log_->addItem(line);
    if (log_->count() % kScrollEvery == 0) log_->scrollToBottom();
}

void WaitDialog::showElapsed() {
    const qint64 seconds = clock_.elapsed() / 1000;
    elapsed_->setText(QStringLiteral("%1:%2:%3")
                          .arg(seconds / 3600, 2, 10, QChar('0'))
                          .arg(seconds / 60 % 60, 2, 10, QChar('0'))
                          .arg(seconds % 60, 2, 10, QChar('0')));
}

void WaitDialog::taskEnded(std::optional<TaskOutcome> outcome) {
    ended_ = true;
    outcome_ = outcome;
    // A failure is read before the window goes, unless nobody is there to read it.
    const bool unattended = app().commandLine().options & kOptCommandLineMode;
    if (outcome && outcome->failed() && !cancelPressed_ && !unattended) {
        keptOpen_ = true;
        closeTimer_.stop();
        cancel_->setText(keyed("IDD_WAIT_CLOSE"));
        log_->scrollToBottom();
        return;
    }
    // When nobody passed the closing line on, the delay starts at the task's end.
    startCloseDelay();
    closeWhenDue();
}

void WaitDialog::startCloseDelay() {
    if (!closeTimer_.isActive() && !delayOver_ && !keptOpen_) closeTimer_.start();
}

void WaitDialog::closeWhenDue() {
    if (!ended_ || keptOpen_) return;
    // A cancelled task (by the button or by the link after repeated time-outs) closes
    // at once; otherwise the log stays for the delay.
    // Without an outcome no task ran, and there is nothing to read.
    const bool cancelled = cancelPressed_ || (outcome_ && outcome_->cancelled) || !outcome_;
    if (!cancelled && !delayOver_) return;
    closeTimer_.stop();
    accept();
}

}  // namespace vantor::gui
