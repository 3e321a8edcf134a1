#pragma once
// The seam between the elements and the device link: what the exchange operations of
// an element need, one parameter at a time, and the counts they return.

#include <string>

namespace vantor {

class Parameter;

// What the comparison of one parameter returns when the module answered with another value.
inline constexpr int kParameterDiffers = 1001;

// Each per-parameter call returns 0 on success and non-zero on a failure or, for the
// comparison, kParameterDiffers for a difference.
class ParameterExchange {
public:
    virtual ~ParameterExchange() = default;
    // The link's cancel event: polled between parameters.
    virtual bool cancelled() const = 0;
    virtual int readParameter(Parameter& parameter) = 0;
    // A negative mode writes the configuration value, any other the value text.
    virtual int writeParameter(Parameter& parameter, int mode) = 0;
    virtual int compareParameter(Parameter& parameter) = 0;
    // One more parameter done, for the progress range of a comparison.
    virtual void progressStep() = 0;
    virtual void progressLog(const std::string& line) = 0;
};

// (handled, failed) of an exchange operation; of the failed ones of a comparison, those
// the module answered with another value are also `differing`.
struct ExchangeCounts {
    constexpr ExchangeCounts(int handledCount = 0, int failedCount = 0, int differingCount = 0)
        : handled(handledCount), failed(failedCount), differing(differingCount) {}
    int handled;
    int failed;
    int differing;
    ExchangeCounts& operator+=(const ExchangeCounts& other) {
        handled += other.handled;
        failed += other.failed;
        differing += other.differing;
        return *this;
    }
    // The parameters the module could not be asked about or did not answer.
    int exchangeFailures() const { return failed - differing; }
    bool operator==(const ExchangeCounts&) const = default;
};

}  // namespace vantor
