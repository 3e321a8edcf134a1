#pragma once
// The core's UserInterface on Qt, callable from any thread. Messages are shown on the
// user-interface thread: a question from another thread waits there for its answer, a
// plain message is queued and the thread goes on. The running task's log lines, its
// end and the link's requests go out as signals, which a receiver on the
// user-interface thread gets queued. The option switches are readable from any
// thread; the main window keeps its check marks in step through optionChanged.

#include <QObject>
#include <QString>
#include <array>
#include <atomic>

#include "platform/user_interface.h"

namespace vantor::gui {

class GuiUserInterface : public QObject, public UserInterface {
    Q_OBJECT
public:
    explicit GuiUserInterface(QObject* parent = nullptr);

    MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    void waitCursor(bool on) override;
    void progressLog(const std::string& line, int position) override;
    void taskDone(const std::string& text) override;
    void requestApplyNetworkSettings() override { emit applyNetworkSettingsRequested(); }
    void requestSaveAfterRead() override { emit saveAfterReadRequested(); }
    bool option(OptionSwitch which) const override;
    void setOption(OptionSwitch which, bool on) override;

signals:
    void progressLogged(const QString& line, int position);
    void taskFinished(const QString& text);
    void applyNetworkSettingsRequested();
    void saveAfterReadRequested();
    void optionChanged(vantor::OptionSwitch which, bool on);

private:
    // On the user-interface thread.
    MessageAnswer showMessage(const QString& text, const QString& caption, MessageIcon icon, MessageButtons buttons);

    std::array<std::atomic<bool>, 4> options_{};
};

}  // namespace vantor::gui
