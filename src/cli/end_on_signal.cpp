#include "cli/end_on_signal.h"

#include <atomic>
#include <utility>

#include "platform/app_state.h"

namespace vantor::cli {

namespace {

std::atomic<bool> endedBySignal{false};

}  // namespace

EndOnSignal::EndOnSignal(std::function<void()> stopLink) {
    watch_.start({{}, true}, [stop = std::move(stopLink)](ExitWatchWake wake) {
        if (wake != ExitWatchWake::ExitEvent) return;
        endedBySignal = true;
        stop();
    });
}

bool EndOnSignal::ended() { return endedBySignal; }

int EndOnSignal::status(int status) { return ended() ? 200 + kResultCancelled : status; }

}  // namespace vantor::cli
