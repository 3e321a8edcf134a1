#include "dialogs/progress_indicator.h"

#include <algorithm>

namespace vantor::gui {

namespace {

constexpr int kStep = 2;
constexpr int kSweepWidth = 100;  // per cent of the bar

}  // namespace

ProgressIndicator::ProgressIndicator(Look look, QWidget* parent) : QProgressBar(parent), look_(look) {
    setRange(0, kSweepWidth);
    setValue(0);
    setTextVisible(false);
    connect(&timer_, &QTimer::timeout, this, &ProgressIndicator::step);
}

void ProgressIndicator::start(int periodMs) {
    running_ = true;
    if (look_ == Look::Marquee) {
        setRange(0, 0);  // the style animates a range without an end on its own
        return;
    }
    position_ = 0;
    setValue(0);
    timer_.start(periodMs);
}

void ProgressIndicator::stop() {
    running_ = false;
    timer_.stop();
    position_ = 0;
    setRange(0, kSweepWidth);
    setValue(0);
}

void ProgressIndicator::step() {
    position_ = position_ < lead_ + kSweepWidth ? position_ + kStep : 0;
    setValue(std::clamp(position_ - lead_, 0, kSweepWidth));
}

}  // namespace vantor::gui
