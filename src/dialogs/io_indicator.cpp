#include "dialogs/io_indicator.h"

#include <QPainter>
#include <charconv>

namespace vantor::gui {
namespace {

const QColor kInputOn(255, 176, 98);
const QColor kOutputOn(113, 255, 113);
const QColor kOutputPartlyOn(0, 128, 0);

}  // namespace

IndicatorLook inputIndicatorLook(std::string_view state) {
    return state == "1" ? IndicatorLook::Lit : IndicatorLook::Dark;
}

IndicatorLook outputIndicatorLook(std::string_view state) {
    double value = 0;
    std::from_chars(state.data(), state.data() + state.size(), value);  // no number: 0
    // Compared in whole thousandths, the fraction beyond truncated.
    const long long thousandths = static_cast<long long>(value * 1000);
    if (thousandths == 0) return IndicatorLook::Dark;
    return thousandths == 1000 ? IndicatorLook::Lit : IndicatorLook::PartlyLit;
}

IoIndicator::IoIndicator(Kind kind, int number, QWidget* parent)
    : QLabel(QString::number(number), parent), kind_(kind) {
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
}

void IoIndicator::setStateText(const QString& state) {
    if (state == state_) return;
    state_ = state;
    update();
}

IndicatorLook IoIndicator::look() const {
    const std::string state = state_.toStdString();
    return kind_ == Kind::Input ? inputIndicatorLook(state) : outputIndicatorLook(state);
}

void IoIndicator::paintEvent(QPaintEvent* event) {
    switch (look()) {
    case IndicatorLook::Dark: break;
    case IndicatorLook::Lit: QPainter(this).fillRect(rect(), kind_ == Kind::Input ? kInputOn : kOutputOn); break;
    case IndicatorLook::PartlyLit:
        QPainter(this).fillRect(rect(), QBrush(kOutputPartlyOn, Qt::DiagCrossPattern));
        break;
    }
    QLabel::paintEvent(event);
}

}  // namespace vantor::gui
