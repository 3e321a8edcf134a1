#pragma once
// The error codes a module puts into its "n.Err" reply.

#include <cstdint>

namespace vantor::sim {

enum DeviceError : std::uint8_t {
    kErrReadOnly = 0x03,           // the parameter cannot be written at all
    kErrRealOutOfRange = 0x06,     // a real value outside its limits (also a reference a
                                   // calibration cannot take)
    kErrAttributeChange = 0x07,    // the attributes may not be changed that way
    kErrNoAttributes = 0x08,       // the parameter carries no attributes
    kErrUnknownName = 0x28,        // no parameter with that hash
    kErrDataLength = 0x31,         // wrong number of data bytes for the request
    kErrRequestBit = 0x32,         // a function read that is only written, or the other way
    kErrAttributeReadOnly = 0x33,  // the access attribute says read-only
    kErrAttributeIndex = 0x34,     // "M.s.t.r." names an index the parameter lacks
    kErrParameterIndex = 0x35,     // a read or write names an index the parameter lacks
    kErrBusy = 0x41,               // another task runs (what injected errors answer)
    kErrValueForbidden = 0x47,     // a whole-number or choice value outside its range
};

}  // namespace vantor::sim
