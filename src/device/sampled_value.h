#pragma once
// What one sampling read hands to the view: the view queues it to its own thread, so
// the record carries copies of the texts, not references into the parameter.

#include <functional>
#include <string>

namespace vantor {

class Parameter;

struct SampledValue {
    Parameter* parameter = nullptr;
    int addressOffset = 0;
    std::string valueText;  // empty when the read failed
    std::string errorText;  // empty when it succeeded
};

// Called on the sampling thread after each read.
using SampleSink = std::function<void(const SampledValue&)>;

}  // namespace vantor
