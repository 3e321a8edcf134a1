// vantorctl init, apply and defaults against vantor-sim: what reaches the module.

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

class ServiceCommands : public test::SimSession {
protected:
    ServiceCommands() : SimSession("KQ-17") {}
    std::size_t requestsOf(const char* name) const {
        const auto hashes = requestHashes();
        return static_cast<std::size_t>(std::count(hashes.begin(), hashes.end(), hash_name(name)));
    }
};

TEST_F(ServiceCommands, InitAndDefaultsRefuseToRunWithoutYes) {
    for (const char* command : {"init", "defaults"}) {
        const test::ProgramRun run = ctl(command);
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_EQ(
            run.err.rfind(std::string("vantorctl ") + command + ": changes the module: give --yes to run it\n", 0), 0u)
            << run.err;
    }
    EXPECT_EQ(loggedFrames(), 0u);
}

TEST_F(ServiceCommands, EachCommandSendsItsRequest) {
    test::ProgramRun run = ctl("init", {"--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(requestsOf("INIT"), 1u);

    run = ctl("apply");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(requestsOf("APLY"), 1u);
    run = ctl("apply", {"--broadcast"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(requestsOf("APLY"), 2u);

    // KQ-17 has no defaults command of its own: every configuration value is written,
    // then INIT follows.
    const std::size_t before = requestHashes().size();
    run = ctl("defaults", {"--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_GT(requestHashes().size(), before + 10);
    EXPECT_EQ(requestsOf("INIT"), 2u);
}

}  // namespace
}  // namespace vantor
