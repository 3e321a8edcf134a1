#pragma once
// A virtual module of a small hand-written table, and the request frames to talk to it.

#include <optional>
#include <string>

#include "params/converter.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "sim/clock.h"
#include "sim/virtual_module.h"

namespace vantor::test {

// A parameter for a table: name, type, limits, and its initial value bytes.
sim::ModuleParameter parameter(const std::string& name, const std::string& type, Bytes value, double low = 0,
                               double high = 0);
sim::ModuleParameter indexedParameter(const std::string& name, const std::string& type, int index, Bytes value);

// A small table: "Addr" and the other network settings come from the module itself;
// "Gain" (float 0..100), "Mode" (three choices), "Cnt" (int 0..1000), "!Ro" (read
// only), "Lvl" indexed 0..3 (int), "Flag" without attributes, and the commands
// "INIT", "S.Def", "U.Apl", "UApl" (APLY the module has of its own).
sim::ParameterTable smallTable();

// A request frame on the line.
std::string request(int address, const std::string& name, bool read, Bytes data = {}, int addressLength = 8);
std::string requestHash(int address, std::uint16_t hash, bool read, Bytes data = {}, int addressLength = 8);

// A reply, parsed: the hash and data, or nothing when the module kept quiet.
struct Reply {
    std::uint16_t hash = 0;
    Bytes data;
    int address = 0;
};
std::optional<Reply> parseReply(const std::optional<std::string>& characters, int addressLength = 8);

struct ModuleFixture {
    explicit ModuleFixture(int address = 16, int addressLength = 8, sim::ParameterTable table = smallTable(),
                           int model = 0);
    std::optional<Reply> ask(const std::string& name, bool read, Bytes data = {});
    std::optional<Reply> askAt(int address, const std::string& name, bool read, Bytes data = {});

    sim::ManualClock clock;
    sim::VirtualModule module;
};

}  // namespace vantor::test
