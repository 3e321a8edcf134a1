#include "sim/module_fixture.h"

namespace vantor::test {

sim::ModuleParameter parameter(const std::string& name, const std::string& type, Bytes value, double low, double high) {
    sim::ModuleParameter p;
    p.name = name;
    p.type = type;
    p.value = p.defaultValue = std::move(value);
    p.lowLimit = low;
    p.highLimit = high;
    return p;
}

sim::ModuleParameter indexedParameter(const std::string& name, const std::string& type, int index, Bytes value) {
    sim::ModuleParameter p = parameter(name, type, std::move(value));
    p.indexed = true;
    p.dataIndex = index;
    return p;
}

sim::ParameterTable smallTable() {
    sim::ParameterTable table;
    table.add(parameter("Gain", "float", {0x41, 0x20, 0x00, 0x00}, 0, 100));
    table.add(parameter("Mode", "off:slow:fast", {0x01}));
    table.add(parameter("Cnt", "int", {0x00, 0x05}, 0, 1000));
    auto readOnly = parameter("Ro", "int", {0x07});
    readOnly.readOnly = true;
    readOnly.attributes = readOnly.defaultAttributes = 0;
    table.add(readOnly);
    for (int i = 0; i < 4; ++i) table.add(indexedParameter("Lvl", "int", i, {static_cast<std::uint8_t>(10 + i)}));
    auto flag = parameter("Flag", "int", {0x01});
    flag.hasAttributes = false;
    table.add(flag);
    for (const char* command : {"INIT", "S.Def", "U.Apl", "UApl"}) {
        auto declared = parameter(command, "void", {});
        declared.hasAttributes = false;
        table.add(declared);
    }
    return table;
}

std::string requestHash(int address, std::uint16_t hash, bool read, Bytes data, int addressLength) {
    FrameFields fields;
    fields.address = address;
    fields.addressLength = addressLength;
    fields.requestBit = read;
    fields.hash = hash;
    fields.data = std::move(data);
    return BuildFrame(fields).value();
}

std::string request(int address, const std::string& name, bool read, Bytes data, int addressLength) {
    return requestHash(address, hash_name(name), read, std::move(data), addressLength);
}

std::optional<Reply> parseReply(const std::optional<std::string>& characters, int addressLength) {
    if (!characters) return std::nullopt;
    ReceivedFrame frame;
    if (ParseFrame(*characters, frame) != FrameCheck::Ok) return Reply{0xFFFF, {}, -1};
    return Reply{frame.hash, frame.data, frame.address(addressLength)};
}

ModuleFixture::ModuleFixture(int address, int addressLength, sim::ParameterTable table, int model)
    : module(model, std::move(table), sim::NetworkSettings{address, addressLength, {}}, "1.0", clock) {}

std::optional<Reply> ModuleFixture::ask(const std::string& name, bool read, Bytes data) {
    return askAt(module.settings().address, name, read, std::move(data));
}

std::optional<Reply> ModuleFixture::askAt(int address, const std::string& name, bool read, Bytes data) {
    const int length = module.settings().addressLength;
    return parseReply(module.answer(request(address, name, read, std::move(data), length)), length);
}

}  // namespace vantor::test
