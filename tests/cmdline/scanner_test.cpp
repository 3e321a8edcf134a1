#include "cmdline/scanner.h"

#include <gtest/gtest.h>

namespace vantor::cmdline {
namespace {

// A scanner with one value option, one number option and one switch, recording what
// it was handed.
struct Recorded {
    std::vector<std::string> calls;
    std::vector<std::string> words;
    std::string error;
};

Recorded scanWith(const Arguments& args) {
    Recorded recorded;
    Scanner scanner;
    scanner.value("--name", [&](const std::string& v) {
        recorded.calls.push_back("name=" + v);
        return v == "bad" ? std::string("bad name") : std::string();
    });
    scanner.number("--count", -1, 9, [&](int v) { recorded.calls.push_back("count=" + std::to_string(v)); });
    scanner.flag("--on", [&] { recorded.calls.push_back("on"); });
    recorded.error = scanner.scan(args, recorded.words);
    return recorded;
}

TEST(Scanner, OptionsInOrderAndTheWordsBetween) {
    const Recorded r = scanWith({"a", "--on", "--count", "-1", "-5", "--name", "x", "-", "--", "--on", "--"});
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.calls, (std::vector<std::string>{"on", "count=-1", "name=x"}));
    EXPECT_EQ(r.words, (std::vector<std::string>{"a", "-5", "-", "--on", "--"}));
}

TEST(Scanner, StopsAtTheFirstProblem) {
    struct Case {
        Arguments args;
        std::string error;
        std::size_t calls;  // handlers run before it
    };
    const Case cases[] = {
        {{"--on", "--other"}, "unknown option '--other'", 1},
        {{"--on", "--name"}, "--name needs a value", 1},
        {{"--name", "bad", "--on"}, "bad name", 1},
        {{"--count", "10", "--on"}, "--count takes a whole number from -1 to 9, not '10'", 0},
        {{"--count", "4294967296"}, "--count takes a whole number from -1 to 9, not '4294967296'", 0},
    };
    for (const Case& c : cases) {
        const Recorded r = scanWith(c.args);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.calls.size(), c.calls) << c.error;
    }
}

TEST(Scanner, HelpIsAskedAnywhere) {
    EXPECT_TRUE(asksForHelp({"--model", "0", "-h"}));
    EXPECT_TRUE(asksForHelp({"--help"}));
    EXPECT_FALSE(asksForHelp({"--helpful", "-hh", "help"}));
}

}  // namespace
}  // namespace vantor::cmdline
