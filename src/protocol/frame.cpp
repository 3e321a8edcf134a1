#include "protocol/frame.h"

#include "protocol/frame_codec.h"

namespace vantor {

std::optional<std::vector<std::uint8_t>> BuildBinaryFrame(const FrameFields& fields) {
    if (fields.data.size() > kMaxFrameData) return std::nullopt;
    std::uint8_t addressByte = static_cast<std::uint8_t>(fields.address);
    std::uint8_t control = static_cast<std::uint8_t>(fields.data.size());
    if (isElevenBitAddressing(fields.addressLength)) {
        addressByte = static_cast<std::uint8_t>(fields.address >> 3);
        control |= static_cast<std::uint8_t>((fields.address & 0x07) << 5);
    }
    if (fields.requestBit) control |= 0x10;

    std::vector<std::uint8_t> frame{addressByte, control, static_cast<std::uint8_t>(fields.hash >> 8),
                                    static_cast<std::uint8_t>(fields.hash & 0xFF)};
    frame.insert(frame.end(), fields.data.begin(), fields.data.end());
    const std::uint16_t checksum = hash_buffer(frame);
    frame.push_back(static_cast<std::uint8_t>(checksum >> 8));
    frame.push_back(static_cast<std::uint8_t>(checksum & 0xFF));
    return frame;
}

std::optional<std::string> BuildFrame(const FrameFields& fields) {
    const auto binary = BuildBinaryFrame(fields);
    if (!binary) return std::nullopt;
    return kFrameStart + encode_buffer(*binary) + kFrameEnd;
}

int ReceivedFrame::address(int addressLength) const {
    if (isElevenBitAddressing(addressLength)) return addressByte << 3 | controlByte >> 5;
    return addressByte;
}

FrameCheck ParseFrame(std::string_view characters, ReceivedFrame& frame) {
    if (characters.size() < 2 || characters.front() != kFrameStart) return FrameCheck::NoHeader;
    const std::vector<std::uint8_t> bytes = decode_buffer(characters.substr(1, characters.size() - 2));
    if (bytes.size() < kMinFrameBytes) return FrameCheck::BadLength;
    const std::size_t count = bytes[1] & 0x0F;
    if (kMinFrameBytes + count != bytes.size()) return FrameCheck::BadLength;

    const std::size_t checksumAt = 4 + count;
    const std::uint16_t received = static_cast<std::uint16_t>(bytes[checksumAt] << 8 | bytes[checksumAt + 1]);
    if (hash_buffer(std::span(bytes).first(checksumAt)) != received) return FrameCheck::BadChecksum;

    frame.addressByte = bytes[0];
    frame.controlByte = bytes[1];
    frame.hash = static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]);
    frame.data.assign(bytes.begin() + 4, bytes.begin() + static_cast<std::ptrdiff_t>(checksumAt));
    return FrameCheck::Ok;
}

}  // namespace vantor
