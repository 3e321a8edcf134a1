// Reviewing a file against the module on the command line: compare --all lists every
// difference, load --only writes exactly the parameters named.

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

using test::runProgram;

// The lines of `out` that hold a tab: the listed differences.
std::vector<std::string> tabbedLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);)
        if (line.find('\t') != std::string::npos) lines.push_back(line);
    return lines;
}

class ReviewCommands : public test::SimSession {
protected:
    ReviewCommands() : file_(test::temporaryPath("review.vantor")) {}
    ~ReviewCommands() override { std::filesystem::remove(file_); }

    // The module saved, then three settings changed in the file.
    void makeFileWithThreeDifferences() {
        test::ProgramRun run = ctl("save", {file_});
        ASSERT_EQ(run.status, 0) << run.err;
        for (const auto& [name, value] : {std::pair{"AdC.r", "80 Hz"}, {"Mains", "60 Hz"}, {"Rs.dL", "25"}}) {
            run = runProgram("vantorctl", {"set", "--file", file_, name, value});
            ASSERT_EQ(run.status, 0) << run.err;
        }
    }
    // The request hashes the module received from the `before`th on, without the
    // identification every command starts with.
    std::vector<std::uint16_t> requestsSince(std::size_t before) const {
        std::vector<std::uint16_t> sent = requestHashes();
        sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(before));
        for (const char* identification : {"dev", "ver", "tdev"}) std::erase(sent, hash_name(identification));
        return sent;
    }

    const std::string file_;
};

TEST_F(ReviewCommands, CompareAllListsEveryDifferenceOnALineOfItsOwn) {
    makeFileWithThreeDifferences();
    test::ProgramRun run = ctl("compare", {"--all", file_});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(tabbedLines(run.out), (std::vector<std::string>{
                                        "Network parameters\tRs.dL\t25\t0\tread/write",
                                        "Conversion\tAdC.r\t80 Hz\t40 Hz\tread/write",
                                        "Conversion\tMains\t60 Hz\t50 Hz\tread/write",
                                    }))
        << run.out;
}

TEST_F(ReviewCommands, LoadOnlyWritesExactlyTheNamedParameters) {
    makeFileWithThreeDifferences();
    std::size_t before = requestHashes().size();
    test::ProgramRun run = ctl("load", {file_, "--only", "Mains", "AdC.r"});
    ASSERT_EQ(run.status, 0) << run.err;
    // In the tree's order, whatever the order named.
    EXPECT_EQ(requestsSince(before), (std::vector<std::uint16_t>{hash_name("AdC.r"), hash_name("Mains")}));

    run = ctl("compare", {"--all", file_});
    EXPECT_EQ(tabbedLines(run.out), std::vector<std::string>{"Network parameters\tRs.dL\t25\t0\tread/write"})
        << run.out;

    // A name the tree does not hold: nothing is written at all.
    before = requestHashes().size();
    run = ctl("load", {file_, "--only", "Rs.dL", "Nope"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vantorctl load: Nope is not a parameter of the tree"), std::string::npos) << run.err;
    EXPECT_EQ(requestsSince(before), std::vector<std::uint16_t>{});

    run = ctl("load", {"--changes", file_, "--only", "Rs.dL"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--only and --changes exclude each other"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace vantor
