#pragma once
// A line that passes every exchange on and notes whether it ran on the window's thread:
// no module exchange the window starts may run there.

#include <QCoreApplication>
#include <QThread>
#include <mutex>

#include "support/module_bench.h"

namespace vantor::test {

class ThreadNotingLine : public LineTransport, public LinePort {
public:
    explicit ThreadNotingLine(RecordingLine& line) : line_(line) {}
    int Transact(std::string_view request, std::string& reply) override {
        {
            std::lock_guard lock(mutex_);
            ++exchanges_;
            if (QThread::currentThread() == qApp->thread()) ++onWindowThread_;
        }
        return line_.Transact(request, reply);
    }
    int Open() override { return line_.Open(); }
    int Close() override { return line_.Close(); }
    bool Usable() const override { return line_.Usable(); }

    int exchanges() const {
        std::lock_guard lock(mutex_);
        return exchanges_;
    }
    int onWindowThread() const {
        std::lock_guard lock(mutex_);
        return onWindowThread_;
    }

private:
    RecordingLine& line_;
    mutable std::mutex mutex_;
    int exchanges_ = 0;
    int onWindowThread_ = 0;
};

}  // namespace vantor::test
