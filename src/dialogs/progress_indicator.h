#pragma once
// The busy bar the calibration pages show while they wait for the module, in one of
// two looks: a sweep that fills the bar step by step and starts again (after a pause
// while the position climbs from 0 to the lead), or the style's own marquee.

#include <QProgressBar>
#include <QTimer>

namespace vantor::gui {

class ProgressIndicator : public QProgressBar {
    Q_OBJECT
public:
    enum class Look { Sweep, Marquee };

    explicit ProgressIndicator(Look look, QWidget* parent = nullptr);

    // Sweep: the position where the bar starts to fill; the bar stays empty while the
    // position climbs to it, so a larger lead means a longer pause between sweeps.
    void setLead(int lead) { lead_ = lead; }
    int lead() const { return lead_; }
    // A sweep step every `periodMs` milliseconds; the marquee runs at the style's pace.
    void start(int periodMs);
    // Back to an empty bar.
    void stop();
    bool running() const { return running_; }
    // Sweep: the position reached, 0 .. lead + 100.
    int position() const { return position_; }

private:
    void step();

    const Look look_;
    QTimer timer_;
    int lead_ = 0;
    int position_ = 0;
    bool running_ = false;
};

}  // namespace vantor::gui
