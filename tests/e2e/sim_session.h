#pragma once
// A virtual module on a pseudo-terminal logging its frames, and vantorctl commands on
// its port: what the end-to-end tests of the module commands stand on.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/string_utils.h"
#include "protocol/frame.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor::test {

class SimSession : public ::testing::Test {
protected:
    // `simArgs` go to vantor-sim after its own.
    explicit SimSession(const std::string& model = "KQ-16", const std::vector<std::string>& simArgs = {})
        : log_(temporaryPath("sim-session-" + model + ".log")),
          sim_("vantor-sim", withArgs({"--model", model, "--pty", "--log", log_}, simArgs)),
          port_(sim_.readLine()) {}
    ~SimSession() override { std::filesystem::remove(log_); }

    // vantorctl COMMAND --port <the module's> ARGS...
    ProgramRun ctl(const std::string& command, std::vector<std::string> args = {}) {
        std::vector<std::string> all{command, "--port", port_};
        all.insert(all.end(), args.begin(), args.end());
        return runProgram("vantorctl", all);
    }
    // The frame log's lines: "< " what the module received, "> " what it sent.
    std::vector<std::string> loggedLines() const {
        std::vector<std::string> lines;
        std::string line;
        for (const char c : readWholeFile(log_)) {
            if (c != '\n') {
                line += c;
                continue;
            }
            lines.push_back(line);
            line.clear();
        }
        return lines;
    }
    std::size_t loggedFrames() const { return loggedLines().size(); }
    // The native requests the module received, in order.
    std::vector<ReceivedFrame> requestFrames() const {
        std::vector<ReceivedFrame> frames;
        for (std::string line : loggedLines()) {
            const std::size_t request = line.find(" < ");
            if (request == std::string::npos) continue;
            line = line.substr(request + 3);
            replaceAll(line, "\\r", "\r");
            ReceivedFrame frame;
            if (ParseFrame(line, frame) == FrameCheck::Ok) frames.push_back(frame);
        }
        return frames;
    }
    // Their name hashes.
    std::vector<std::uint16_t> requestHashes() const {
        std::vector<std::uint16_t> hashes;
        for (const ReceivedFrame& frame : requestFrames()) hashes.push_back(frame.hash);
        return hashes;
    }

    static std::vector<std::string> withArgs(std::vector<std::string> args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    std::string log_;
    BackgroundProgram sim_;
    std::string port_;
};

}  // namespace vantor::test
