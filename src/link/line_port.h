#pragma once
// Opening, closing and testing the line the exchanges run on. The serial port is the
// line of a real link; an in-process module stands in for it in tests and
// demonstrations.

namespace vantor {

class LinePort {
public:
    virtual ~LinePort() = default;
    // 0, or what the serial port's Open answers: -1 cannot open, -2 state unreadable
    // or settings refused, -3 data bits refused.
    virtual int Open() = 0;
    virtual int Close() = 0;
    // The line is open and its state can be read.
    virtual bool Usable() const = 0;
};

}  // namespace vantor
