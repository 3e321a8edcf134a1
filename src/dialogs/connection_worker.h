#pragma once
// The connection dialog's worker: a thread of its own that runs the connection check
// and the baud-rate scan one request at a time, so the dialog never waits on the line.
// It reports through signals, which reach the dialog queued. While a request runs the
// worker owns the program network settings (the scan tries rates in "bPS", the check
// opens the port with them); the dialog reads and edits them only between requests.
// The worker ends after a check that found the module, or when asked to stop: the
// link's cancel event ends a scan after the check in progress.

#include <QObject>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace vantor {
class Device;
class ObjectWithParameters;
}  // namespace vantor

namespace vantor::gui {

class ConnectionWorker : public QObject {
    Q_OBJECT
public:
    enum class Request { Connect, Scan };

    ConnectionWorker(Device& device, ObjectWithParameters& settings, QObject* parent = nullptr);
    // Stops the worker and waits for the check in progress.
    ~ConnectionWorker() override;
    ConnectionWorker(const ConnectionWorker&) = delete;
    ConnectionWorker& operator=(const ConnectionWorker&) = delete;

    // Ignored while a request runs or after stop().
    void request(Request what);
    // Sets the link's cancel event; `finished` follows once the worker has ended.
    void stop();

signals:
    // A status line; `error` marks a failure.
    void status(const QString& text, bool error);
    // The rate the scan tries now.
    void rateTried(const QString& rate);
    // The request has ended and the settings are the dialog's again.
    void requestDone(bool connected);
    void finished();

private:
    void run();

    Device& device_;
    ObjectWithParameters& settings_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Request> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace vantor::gui
