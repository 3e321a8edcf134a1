#pragma once
// The network settings given on the command line, put into the program's network
// settings element (and, with "aply", into the module's network parameters of the
// tree, so that a write takes them to the module).

#include <string>

#include "elements/net_rs485_prg.h"
#include "elements/object_with_parameters.h"
#include "platform/app_state.h"

namespace vantor {

// Why the command line's network settings cannot be used, empty when they can: a value
// the record could not hold, a value the setting does not take (a baud rate, data bits,
// stop bits or address length that is not one of its choices; an address that is not a
// number from 0 to 255, or 2047 with 11 address bits), or a combination the settings'
// own checks forbid. Asked before the settings are put into the element, which keeps
// them between runs.
std::string CommandLineNetworkRefusal(const CommandLineSettings& settings, const NetRS485prg& program);

// Only when the record says network settings were given; each setting only when given
// (a number not 0, a text not empty; an address in decimal), in the order "Addr", "A.Len", "bPS", "LEn",
// "Sbit", "PrtY", then "Port" on the program's element alone. `networkBranch` (may be
// null) takes the settings only with "aply". True when the program's element took any
// setting: the caller then reopens the port.
bool ApplyCommandLineNetworkSettings(const CommandLineSettings& settings, NetRS485prg& program,
                                     ObjectWithParameters* networkBranch);

// "rs485": "off" lets the adapter switch its direction itself; "auto" and "on" leave
// it to the program (RTS). Not given: the link keeps the mode it has.
void ApplyCommandLineAdapterMode(const CommandLineSettings& settings, NetRS485prg& program);

}  // namespace vantor
