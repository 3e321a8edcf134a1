#pragma once
// The checks of a new value for a network setting against the other settings of the
// same element: the view asks them before it accepts an edit of "A.Len", "Addr",
// "Prot" (address) or "PrtY", "LEn", "Sbit" (line format) in any element holding the
// module's network settings.

#include <functional>
#include <string>
#include <string_view>

namespace vantor {

class ObjectWithParameters;

// The device model's answer whether `address` is valid with the address-length text
// `addressLength` ("8", "11"). An empty function accepts every address.
using AddressValidator = std::function<bool(int address, const std::string& addressLength)>;

// Allowed unless the change gives an address above 255 with 8 address bits or with a
// protocol other than the native one ("Prot" not its first choice), or the device
// model refuses the new address. Names other than "Addr", "A.Len", "Prot" (letter case
// ignored) are always allowed.
bool CheckAddressSetting(const ObjectWithParameters& element, std::string_view name, const std::string& newText,
                         const AddressValidator& isValidAddress = {});

// Refuses parity even or odd with 8 data bits and 2 stop bits, and parity none with 7
// data bits and 1 stop bit. Names other than "PrtY", "LEn", "Sbit" (letter case
// ignored) are always allowed, and so is every change in an element without "PrtY".
bool CheckLineSetting(const ObjectWithParameters& element, std::string_view name, const std::string& newText);

}  // namespace vantor
