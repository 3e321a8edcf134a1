#include "protocol/foreign.h"

#include <cstdio>
#include <optional>

namespace vantor {

namespace {

std::string hexByte(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02hX", static_cast<unsigned short>(value));
    return text;
}

std::optional<std::uint8_t> parseHexByte(std::string_view text) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    if (text.size() != 2) return std::nullopt;
    const int high = digit(text[0]), low = digit(text[1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<std::uint8_t>(high << 4 | low);
}

std::uint8_t characterSum(std::string_view text) {
    std::uint8_t sum = 0;
    for (char c : text) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
    return sum;
}

char dconLead(ForeignDirection direction) { return direction == ForeignDirection::Request ? '%' : '!'; }

int unwrapRtu(std::string_view line, std::vector<std::uint8_t>& bytes) {
    if (line.size() < 3) return kForeignIncorrect;
    const std::vector<std::uint8_t> all(line.begin(), line.end());
    const std::size_t body = all.size() - 2;
    const std::uint16_t crc = modbusCrc(std::span(all).first(body));
    if (all[body] != (crc & 0xFF) || all[body + 1] != (crc >> 8)) return kForeignChecksum;
    bytes.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(body));
    return kForeignOk;
}

int unwrapAscii(std::string_view line, std::vector<std::uint8_t>& bytes) {
    const std::size_t colon = line.find(':');
    const std::size_t cr = line.find('\r', colon == std::string_view::npos ? 0 : colon);
    if (colon == std::string_view::npos || cr == std::string_view::npos || cr < colon + 5) return kForeignIncorrect;
    const std::string_view pairs = line.substr(colon + 1, cr - 2 - (colon + 1));
    const auto lrc = parseHexByte(line.substr(cr - 2, 2));
    if (!lrc || pairs.size() % 2) return kForeignIncorrect;
    std::vector<std::uint8_t> decoded;
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        const auto b = parseHexByte(pairs.substr(i, 2));
        if (!b) return kForeignIncorrect;
        decoded.push_back(*b);
    }
    if (modbusLrc(decoded) != *lrc) return kForeignChecksum;
    bytes = std::move(decoded);
    return kForeignOk;
}

int unwrapDcon(std::string_view line, std::vector<std::uint8_t>& bytes, ForeignDirection direction) {
    // Lead character, two address digits, two sum digits, final character.
    if (line.size() < 6) return kForeignIncorrect;
    const std::string_view summed = line.substr(0, line.size() - 3);
    const auto sum = parseHexByte(line.substr(line.size() - 3, 2));
    if (!sum || characterSum(summed) != *sum) return kForeignChecksum;
    if (summed.front() != dconLead(direction)) return kForeignIncorrect;
    const auto address = parseHexByte(summed.substr(1, 2));
    if (!address) return kForeignIncorrect;
    bytes.assign(1, *address);
    bytes.insert(bytes.end(), summed.begin() + 3, summed.end());
    return kForeignOk;
}

}  // namespace

std::uint16_t modbusCrc(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

std::uint8_t modbusLrc(std::span<const std::uint8_t> bytes) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
    return static_cast<std::uint8_t>(-sum);
}

std::string WrapForeign(ProtocolMode mode, std::span<const std::uint8_t> bytes, ForeignDirection direction) {
    std::string line;
    switch (mode) {
    case ProtocolMode::Native: break;
    case ProtocolMode::ModbusRtu: {
        line.assign(bytes.begin(), bytes.end());
        const std::uint16_t crc = modbusCrc(bytes);
        line.push_back(static_cast<char>(crc & 0xFF));
        line.push_back(static_cast<char>(crc >> 8));
        break;
    }
    case ProtocolMode::ModbusAscii:
        line = ":";
        for (std::uint8_t b : bytes) line += hexByte(b);
        line += hexByte(modbusLrc(bytes)) + "\r\n";
        break;
    case ProtocolMode::Dcon:
        line = dconLead(direction);
        if (!bytes.empty()) {
            line += hexByte(bytes.front());
            line.append(bytes.begin() + 1, bytes.end());
        }
        line += hexByte(characterSum(line)) + "\r";
        break;
    }
    return line;
}

int UnwrapForeign(ProtocolMode mode, std::string_view line, std::vector<std::uint8_t>& bytes,
                  ForeignDirection direction) {
    switch (mode) {
    case ProtocolMode::ModbusRtu: return unwrapRtu(line, bytes);
    case ProtocolMode::ModbusAscii: return unwrapAscii(line, bytes);
    case ProtocolMode::Dcon: return unwrapDcon(line, bytes, direction);
    case ProtocolMode::Native: break;
    }
    return kForeignIncorrect;
}

std::vector<std::uint8_t> NativeModeRequest(ProtocolMode mode) {
    switch (mode) {
    case ProtocolMode::ModbusRtu:
    case ProtocolMode::ModbusAscii: return {0x05, 0xF0, 0xF0, 0xFF, 0x00};
    case ProtocolMode::Dcon: return {'T', 'A', 'V', 'R'};
    case ProtocolMode::Native: break;
    }
    return {};
}

}  // namespace vantor
