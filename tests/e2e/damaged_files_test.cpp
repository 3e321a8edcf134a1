// Files that cannot be read to their end, as show, diff and vantor-dat list meet them:
// the reason on stderr and a status a script can tell from success (and, for diff,
// from "the files differ"); nothing half-read on stdout.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;

class DamagedFiles : public test::SimSession {
protected:
    DamagedFiles() : folder_(test::temporaryPath("damaged-files")) { fs::create_directories(folder_); }
    ~DamagedFiles() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

    const fs::path folder_;
};

// The document header's schema is the third byte of a file: 5 today, 1 the first
// format, anything else no format the program knows.
std::string withSchema(std::string bytes, char schema) {
    bytes[2] = schema;
    return bytes;
}

std::string withBytesFlipped(std::string bytes) {
    for (std::size_t i = 200; i < bytes.size(); i += 97) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    return bytes;
}

TEST_F(DamagedFiles, ShowAndDiffRefuseWhatTheyCannotReadToItsEnd) {
    const std::string good = path("good.vantor");
    ASSERT_EQ(ctl("save", {good}).status, 0);
    const std::string bytes = readWholeFile(good);

    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"old.vantor", withSchema(bytes, 1), "Cannot load the configuration file due to the old file version"},
        {"unknown.vantor", withSchema(bytes, 9), "Configuration file damage"},
        {"two.vantor", withSchema(bytes, 2), "Configuration file damage"},
        {"short.vantor", bytes.substr(0, bytes.size() / 2), "the file ends before its last record"},
        {"damaged.vantor", withBytesFlipped(bytes), "Invalid file format. Eventually due to the old file version."},
    };
    for (const auto& c : cases) {
        const std::string file = write(c.name, c.bytes);
        ProgramRun run = runProgram("vantorctl", {"show", file});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
        // Cannot read (2) is not "the files differ" (1).
        run = runProgram("vantorctl", {"diff", good, file});
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(runProgram("vantorctl", {"diff", file, good}).status, 2) << c.name;
    }
    EXPECT_EQ(runProgram("vantorctl", {"diff", good, good}).status, 0);
}

TEST_F(DamagedFiles, WhatNoConfigurationCanBeIsRefusedBeforeItIsRead) {
    // Larger than any configuration, and an endless device.
    const std::string large = path("large.vantor");
    { std::ofstream(large) << "x"; }
    fs::resize_file(large, std::uintmax_t{64} << 20);
    const struct {
        std::string file;
        const char* reason;
    } cases[] = {
        {large, "more than 16777216 bytes"},
        {"/dev/zero", "Not a regular file"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram("vantorctl", {"show", c.file});
        EXPECT_EQ(run.status, 1) << c.file;
        EXPECT_EQ(run.err, "vantorctl: " + c.file + ": " + c.reason + "\n");
        EXPECT_EQ(ctl("load", {c.file}).status, 1) << c.file;
    }
}

TEST_F(DamagedFiles, ReadRefusesAnEmptyBranchName) {
    const ProgramRun run = ctl("read", {"--branch", ""});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vantorctl read: --branch needs the name of a branch\n", 0), 0u) << run.err;
    EXPECT_EQ(loggedFrames(), 0u);
}

// A description container whose entries cannot all be followed: list names what it
// found and fails.
TEST(DamagedContainer, ListFailsOnEntriesItCannotFollow) {
    const std::string shipped = std::string(VANTOR_BIN_DIR) + "/vantor.dat";
    ProgramRun run = runProgram("vantor-dat", {"list", shipped});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bytes = readWholeFile(shipped);
    // The header names the first sector of the directory (at 0x30) and of the small
    // streams' allocation table (at 0x3C); sectors of 512 bytes follow the 512-byte header.
    const auto sectorAt = [&bytes](std::size_t field) {
        std::uint32_t sector = 0;
        for (std::size_t i = 4; i-- > 0;) sector = sector << 8 | static_cast<unsigned char>(bytes[field + i]);
        return (std::size_t{sector} + 1) * 512;
    };
    const std::size_t directory = sectorAt(0x30), smallStreamTable = sectorAt(0x3C);
    ASSERT_LT(std::max(directory, smallStreamTable) + 256, bytes.size());

    const struct {
        const char* name;
        std::size_t from;  // 64 bytes from here are spoilt
    } cases[] = {
        {"the small streams' allocation table", smallStreamTable},         // entries that lead nowhere
        {"the links of the first entry after the root", directory + 192},  // no stream found at all
    };
    const std::string damaged = test::temporaryPath("damaged.dat");
    for (const auto& c : cases) {
        std::string spoilt = bytes;
        for (std::size_t i = c.from; i < c.from + 64; ++i) spoilt[i] = static_cast<char>(spoilt[i] ^ 0xA5);
        std::ofstream(damaged, std::ios::binary) << spoilt;
        run = runProgram("vantor-dat", {"list", damaged});
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.out;
        EXPECT_NE(run.err, "") << c.name;
    }
    fs::remove(damaged);
}

}  // namespace
}  // namespace vantor
