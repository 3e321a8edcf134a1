#pragma once
// The network settings of the RS-485 line as an element with a fixed set of
// parameters: baud rate, data bits, parity, stop bits, address length and address,
// with the factory settings as their configuration values.

#include <string>

#include "elements/invisible_element.h"

namespace vantor {

class NetRS485 : public InvisibleElement {
public:
    NetRS485();

    // The six settings, in this order: "bPS", "LEn", "PrtY", "Sbit", "A.Len", "Addr";
    // values "no data".
    void InitParameters() override;

    int GetImage() const override { return 4; }
    int GetSelectedImage() const override { return 4; }
    std::string GetKindName() const override;
};

}  // namespace vantor
