#pragma once
// The progress line of long module commands on a terminal (stderr): the count and
// what is being done, rewritten in place; nothing when stderr is no terminal. Also
// takes Ctrl+C: the first SIGINT asks the running work to stop.

#include <string>

#include "elements/parameter_exchange.h"
#include "link/parameter_link.h"

namespace vantor::cli {

class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(int done, int total, const std::string& what);
    // True once SIGINT came.
    static bool interrupted();

private:
    bool terminal_;
    bool shown_ = false;
};

// The engine as the element operations' ParameterExchange, with a progress line per
// parameter and Ctrl+C turned into the engine's cancel event.
class ProgressExchange : public ParameterExchange {
public:
    ProgressExchange(ParameterLink& link, int total) : link_(link), total_(total) {}

    bool cancelled() const override;
    int readParameter(Parameter& parameter) override;
    int writeParameter(Parameter& parameter, int mode) override;
    int compareParameter(Parameter& parameter) override;
    void progressStep() override { link_.progressStep(); }
    void progressLog(const std::string& line) override { link_.progressLog(line); }

private:
    void step(const Parameter& parameter);

    ParameterLink& link_;
    int total_;
    int done_ = 0;
    ProgressLine line_;
};

}  // namespace vantor::cli
