#pragma once
// A numbered indicator of the I/O status dialog: a small framed box with its channel
// number that lights up after the state text the polling hands it. An input is lit
// exactly for the state "1"; an output is lit for 1, hatched for anything between (a
// level, or a relay that pulses) and dark for 0 or a state that is no number.

#include <QLabel>
#include <QString>
#include <string_view>

namespace vantor::gui {

enum class IndicatorLook { Dark, Lit, PartlyLit };

IndicatorLook inputIndicatorLook(std::string_view state);
IndicatorLook outputIndicatorLook(std::string_view state);

class IoIndicator : public QLabel {
    Q_OBJECT
public:
    enum class Kind { Input, Output };

    IoIndicator(Kind kind, int number, QWidget* parent = nullptr);

    const QString& stateText() const { return state_; }
    // Repaints only when the state changes.
    void setStateText(const QString& state);
    IndicatorLook look() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    QString state_;
};

}  // namespace vantor::gui
