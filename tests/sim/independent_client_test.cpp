// A client that knows nothing of our protocol code: it builds and checks frames by the
// protocol rules alone (its own checksum, name hash and character form) and asks every
// model's virtual module for its identification and for a value it has just written.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "description/catalogue.h"
#include "sim/clock.h"
#include "sim/description_table.h"
#include "sim/virtual_module.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t feed(std::uint16_t crc, std::uint8_t value, int bits) {
    for (int i = 0; i < bits; ++i) {
        const bool top = ((crc >> 15) ^ (value >> 7)) & 1;
        crc = static_cast<std::uint16_t>(crc << 1);
        if (top) crc ^= 0x8F57;
        value = static_cast<std::uint8_t>(value << 1);
    }
    return crc;
}

std::uint16_t checksum(const Bytes& bytes) {
    std::uint16_t crc = 0;
    for (auto b : bytes) crc = feed(crc, b, 8);
    return crc;
}

int code(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= '0' && c <= '9') return 2 * (c - '0');
    if (c >= 'A' && c <= 'Z') return 2 * (c - 'A' + 10);
    if (c == '-') return 72;
    if (c == '_') return 74;
    if (c == ' ') return 78;
    return -1;
}

std::uint16_t nameHash(const std::string& name) {
    int codes[5] = {78, 78, 78, 78, 78};
    int stored = 0;
    for (std::size_t i = 0; i < name.size() && i < 8 && stored <= 4; ++i) {
        if (name[i] == '.') {
            if (stored > 0) ++codes[stored - 1];
        } else if (code(name[i]) >= 0) {
            codes[stored++] = code(name[i]);
        }
    }
    std::uint16_t crc = 0;
    for (int i = 0; i < 4; ++i) crc = feed(crc, static_cast<std::uint8_t>(2 * codes[i]), 7);
    return crc;
}

std::string frame(int address, bool read, const std::string& name, const Bytes& data) {
    Bytes bytes{static_cast<std::uint8_t>(address), static_cast<std::uint8_t>((read ? 0x10 : 0) | data.size())};
    const std::uint16_t hash = nameHash(name);
    bytes.push_back(static_cast<std::uint8_t>(hash >> 8));
    bytes.push_back(static_cast<std::uint8_t>(hash));
    bytes.insert(bytes.end(), data.begin(), data.end());
    const std::uint16_t sum = checksum(bytes);
    bytes.push_back(static_cast<std::uint8_t>(sum >> 8));
    bytes.push_back(static_cast<std::uint8_t>(sum));
    std::string line = "#";
    for (auto b : bytes) {
        line.push_back(static_cast<char>('G' + (b >> 4)));
        line.push_back(static_cast<char>('G' + (b & 15)));
    }
    return line + '\r';
}

struct Answer {
    int address;
    std::uint16_t hash;
    Bytes data;
};

// The reply's fields, or nothing when it is not a sound frame.
std::optional<Answer> unpack(const std::string& line) {
    if (line.size() < 14 || line.front() != '#' || line.back() != '\r' || line.size() % 2) return std::nullopt;
    Bytes bytes;
    for (std::size_t i = 1; i + 1 < line.size() - 1; i += 2) {
        const int high = line[i] - 'G', low = line[i + 1] - 'G';
        if (high < 0 || high > 15 || low < 0 || low > 15) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    const std::size_t n = bytes[1] & 15;
    if (bytes.size() != n + 6) return std::nullopt;
    const Bytes covered(bytes.begin(), bytes.end() - 2);
    if (checksum(covered) != (bytes[n + 4] << 8 | bytes[n + 5])) return std::nullopt;
    return Answer{bytes[0], static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]),
                  Bytes(bytes.begin() + 4, bytes.end() - 2)};
}

TEST(IndependentClient, HashesAgreeWithTheKnownNames) {
    EXPECT_EQ(nameHash("Addr"), 0x9F62);
    EXPECT_EQ(nameHash("n.Err"), 0x0233);
    EXPECT_EQ(nameHash("M.s.t.r."), 0x5EA0);
    EXPECT_EQ(frame(16, true, "Addr", {}), "#HGHGPVMIRPTK\r");
}

TEST(IndependentClient, EveryModelIdentifiesItselfAndKeepsAWrittenValue) {
    // What each model answers to "dev", by model index: the first three in capitals,
    // and both strain-gauge variants as "kq-15".
    const char* const identifications[] = {"KQ-01", "KQ-02", "KQ-03", "kq-04", "kq-05", "kq-06", "kq-07", "kq-08",
                                           "kq-09", "kq-10", "kq-11", "kq-12", "kq-13", "kq-15", "kq-15", "kq-17",
                                           "kq-18", "kq-19", "kq-20", "kq-21", "kq-22", "kq-23", "kq-24"};
    static_assert(std::size(identifications) == kModelCount);
    const std::string container = std::string(VANTOR_BIN_DIR) + "/vantor.dat";
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        std::string error;
        auto table = sim::tableFromDescription(model, container, "1.0", error);
        ASSERT_TRUE(table) << error;
        sim::ManualClock clock;
        sim::VirtualModule module(model, std::move(*table), {16, 8, {}}, "1.0", clock);
        const auto ask = [&](bool read, const std::string& name, const Bytes& data) {
            const auto reply = module.answer(frame(16, read, name, data));
            EXPECT_TRUE(reply);
            return reply ? unpack(*reply) : std::nullopt;
        };

        const auto dev = ask(true, "dev", {});
        ASSERT_TRUE(dev);
        EXPECT_EQ(dev->address, 16);
        EXPECT_EQ(dev->hash, nameHash("dev"));
        const std::string name(dev->data.rbegin(), dev->data.rend());  // sent last character first
        EXPECT_EQ(name, identifications[model]);

        const auto written = ask(false, "Addr", {0x00, 0x2A});
        ASSERT_TRUE(written);
        EXPECT_EQ(written->hash, nameHash("Addr"));
        const auto read = ask(true, "Addr", {});
        ASSERT_TRUE(read);
        EXPECT_EQ(read->data, (Bytes{0x00, 0x2A}));
    }
}

}  // namespace
}  // namespace vantor
