#pragma once
// The single-parameter exchanges a device model makes with its module: the device
// link's read and write of one parameter, handed over by the document (the link sits
// below this layer). Model operations call it on the user-interface thread, so the link
// keeps frames apart with its frame lock alone.

namespace vantor {

class Parameter;

class ModelExchange {
public:
    virtual ~ModelExchange() = default;
    // One read into the parameter's value text (time-outs not counted); 0 on success,
    // else the reason is in the parameter's error text.
    virtual int ReadParameter(Parameter& parameter) = 0;
    // One write: a negative source writes the configuration value, any other the value
    // text. 0 on success, else the reason is in the parameter's error text.
    virtual int WriteParameter(Parameter& parameter, int source) = 0;
};

}  // namespace vantor
