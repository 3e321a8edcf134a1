// vantorctl check against a module that answers the native protocol only after the
// wake-up request of a foreign one: the connection recovery finds it, and it stays
// awake for the commands after.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::BackgroundProgram;
using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;
using test::temporaryPath;

TEST(ForeignWakeup, CheckWakesTheModuleAndItStaysAwake) {
    // The wake-up request and the module's answer to it, as the frame log shows them:
    // the coil write F0F0 := FF00 to address 16 (Modbus echoes it), and DCON's command
    // with its checksum, acknowledged with the address alone.
    const struct {
        const char* foreign;
        const char* request;
        const char* reply;
    } cases[] = {
        {"rtu", "\\x10\\x05\\xF0\\xF0\\xFF\\x00\\xBCH", "\\x10\\x05\\xF0\\xF0\\xFF\\x00\\xBCH"},
        {"ascii", ":1005F0F0FF000C\\r\\n", ":1005F0F0FF000C\\r\\n"},
        {"dcon", "%10TAVRC3\\r", "!1082\\r"},
    };
    const std::string log = temporaryPath("foreign-wakeup.log");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.foreign);
        std::filesystem::remove(log);
        BackgroundProgram sim("vantor-sim", {"--model", "KQ-16", "--pty", "--foreign", c.foreign, "--log", log});
        const std::string port = sim.readLine();
        ASSERT_FALSE(port.empty());

        // Asleep, the module does not answer the native identification.
        ProgramRun run = runProgram("vantorctl", {"identify", "--port", port});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");

        run = runProgram("vantorctl", {"check", "--port", port});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "Connection established\nModel: KQ-16 (14)\n");
        EXPECT_EQ(run.err, "");
        const std::string frames = readWholeFile(log);
        EXPECT_NE(frames.find(std::string(" < ") + c.request + "\n"), std::string::npos) << frames;
        EXPECT_NE(frames.find(std::string(" > ") + c.reply + "\n"), std::string::npos) << frames;

        run = runProgram("vantorctl", {"identify", "--port", port});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "Device  kq-15\nFirmware  1.0\nModel: KQ-16 (14)\n");
        EXPECT_EQ(sim.stop(), 0);
    }
    std::filesystem::remove(log);
}

}  // namespace
}  // namespace vantor
