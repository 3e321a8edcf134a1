#pragma once
// One transmit-then-receive step on the line. The serial port object is the transport
// of a real link; an in-process module or a scripted test line can stand in for it.

#include <string>
#include <string_view>

namespace vantor {

// Statuses of a transaction.
enum TransactStatus : int {
    kTransactDone = 0,       // the reply event was handled (the reply may be empty)
    kTransactFailed = -1,    // port not usable, stopped by the stop event, or the write failed
    kTransactTimeout = 2,    // no reply within the response time-out
    kTransactLineError = 3,  // a break or line error arrived instead of a reply
    // The line was hung up or vanished (pseudo-terminal closed, adapter unplugged): the
    // port has been closed and must be opened anew.
    kTransactDisconnected = 4,
};

class LineTransport {
public:
    virtual ~LineTransport() = default;
    // Sends `request` and collects the reply (at most 31 characters).
    virtual int Transact(std::string_view request, std::string& reply) = 0;
    // Collects one more reply without sending, within what is left of the last
    // Transact's response time-out: the link sets aside a late reply to an earlier
    // request and waits on for its own. A line that answers at once has nothing more
    // to come.
    virtual int Listen(std::string& reply) {
        reply.clear();
        return kTransactTimeout;
    }
};

}  // namespace vantor
