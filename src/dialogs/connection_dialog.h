#pragma once
// The connection dialog: the program's serial-port and line settings in a table with
// in-place editors, and the ways on from here — try to connect, scan the baud rates,
// go back to the factory settings and connect, work offline with a model chosen by
// hand, or leave. Shown at start-up when the module did not answer, and later as the
// serial-port settings. The checks run on the connection worker; the dialog ends only
// once the worker has stopped, showing "Terminating..." meanwhile.

#include <QDialog>
#include <QTimer>

#include "dialogs/connection_worker.h"
#include "dialogs/network_settings_model.h"

class QLabel;
class QPushButton;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class SettingsTableView;

class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { StartUp, Settings };

    ConnectionDialog(CPlimoDoc& document, Mode mode, QWidget* parent = nullptr);

    bool exitChosen() const { return exitChosen_; }  // left with Exit (start-up mode)
    // Ended with a module that answered (not offline, not left).
    bool connected() const { return result() == QDialog::Accepted && pending_ == Pending::Connected; }

    // How often the port list is read again.
    void setPortRefreshInterval(std::chrono::milliseconds interval) { portTimer_.setInterval(interval); }

public slots:
    // Exit, Escape and the window's close.
    void reject() override;

private:
    // What the dialog does once the worker has ended.
    enum class Pending { Connected, Exit, WorkOffline };

    void connectNow();
    void scanNetwork();
    void useFactorySettings();
    void workOffline();
    void showStatus(const QString& text, bool error);
    void setBusy(bool busy);
    void requestDone(bool connected);
    void workerFinished();
    // Stops the worker, after which `then` happens.
    void stopWorker(Pending then);
    void refreshPorts();
    void leaveWithExit();

    CPlimoDoc& document_;
    const Mode mode_;
    NetworkSettingsModel model_;
    SettingsTableView* table_;
    QLabel* status_;
    QPushButton* connect_;
    QPushButton* scan_;
    QPushButton* offline_;
    QPushButton* factory_;
    QPushButton* exit_;
    QTimer portTimer_;
    ConnectionWorker worker_;
    Pending pending_ = Pending::Exit;
    bool busy_ = false;
    bool workerEnded_ = false;
    bool exitChosen_ = false;
};

}  // namespace vantor::gui
