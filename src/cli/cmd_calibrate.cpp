// vantorctl calibrate: one step of the offset-and-scale calibration of KQ-08 and KQ-19,
// run as the desktop wizard runs it.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "description/catalogue.h"
#include "models/calibration_job.h"
#include "models/model_facts.h"
#include "params/parameter.h"
#include "platform/string_utils.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kCalibrateUsage[] =
    "usage: vantorctl calibrate [LINK OPTIONS] --code CODE [--sensor NAME]\n"
    "                           [--first-poll-ms MS] [--poll-ms MS] offset|scale|save\n"
    "Runs one step of the offset-and-scale calibration of a KQ-08 or KQ-19:\n"
    "  offset  with the sensor's zero signal applied, the module finds the offset\n"
    "  scale   with its maximal signal applied, the module finds the scaling\n"
    "  save    the module stores the coefficients permanently and applies them\n"
    "--code is the calibration's access code; with a wrong one nothing is sent.\n"
    "--sensor sets the input type first, one of the choices of \"in-t\" that can be\n"
    "calibrated; it is written only when the module holds another type. The job's\n"
    "result is read 2000 ms after the start (--first-poll-ms), then every 1000 ms\n"
    "(--poll-ms) while the module is busy. The outcome goes to stdout; a failed step\n"
    "exits with status 1.\n";

namespace {

constexpr int kLongestWaitMs = 60000;

enum class Step { Offset, Scale, Save };

struct Request {
    std::string code;
    std::string sensor;
    int firstPollMs = 2000;
    int pollMs = 1000;
    Step step = Step::Offset;
};

std::string usage() { return std::string(kCalibrateUsage) + kLinkOptionsUsage; }

int badUsage(const std::string& reason) { return usageError("calibrate", reason, usage().c_str()); }

bool calibratable(int model) {
    return model == static_cast<int>(Model::KQ08) || model == static_cast<int>(Model::KQ19);
}

// Waits `ms`, or less when SIGTERM or Ctrl+C stops the link.
void wait(ModuleSession& session, int ms) { session.device().sio().stopEvent().waitFor(ms); }

// Sets and writes the input type as the wizard does: a failed write is told, and the
// job that follows shows what the module made of it. 0, or the bad-usage status.
int writeSensor(ModuleSession& session, const std::string& sensor) {
    Parameter* inputType = session.root()->FindParameters("in-t", nullptr, nullptr, nullptr, 0);
    if (!inputType) {
        std::fprintf(stderr, "vantorctl calibrate: the description holds no in-t\n");
        return 1;
    }
    const std::vector<std::string> sensors = calibratableSensors(*inputType, static_cast<Model>(session.model()));
    std::string offered, chosen;
    for (const std::string& choice : sensors) {
        offered += (offered.empty() ? "" : ", ") + choice;
        if (equalsIgnoringCase(choice, sensor)) chosen = choice;
    }
    if (chosen.empty()) return badUsage("--sensor takes one of: " + offered);
    // Each step is a run of its own: a module may discard the offset found when the
    // type is written again between offset and scale, so only another type is written.
    if (session.document().ReadParameter(*inputType) != 0) {
        std::fprintf(stderr, "vantorctl calibrate: in-t: %s\n", inputType->errorText.c_str());
        return 1;
    }
    if (equalsIgnoringCase(inputType->valueText, chosen)) return 0;
    inputType->valueText = chosen;
    if (session.document().WriteParameter(*inputType, 0) != 0)
        std::fprintf(stderr, "%s\n", Text("IDS_STRING655").c_str());
    return 0;
}

// Starts the job and polls its result until the module is done or refuses.
int runJob(ModuleSession& session, const Request& request) {
    const bool offset = request.step == Step::Offset;
    Parameter start;
    makeTemporaryParameter(start, offset ? kJobOffsetStart : kJobScaleStart, "int", "0");
    // What the module made of a failed start the poll tells.
    if (session.document().WriteParameter(start, 0) != 0) std::fprintf(stderr, "%s\n", start.errorText.c_str());

    Parameter result;
    makeTemporaryParameter(result, kJobResult, "int");
    JobResultPoll poll;
    wait(session, request.firstPollMs);
    for (;;) {
        const JobPoll judged = poll.judge(session.document().ReadParameter(result), result);
        switch (judged.state) {
        case JobPoll::State::Busy:
            if (EndOnSignal::ended()) return 1;
            wait(session, request.pollMs);
            continue;
        case JobPoll::State::Done: std::printf("%s calibration done\n", offset ? "Offset" : "Scale"); return 0;
        case JobPoll::State::Failed:
            // A result that is no number leaves the error page without a reason.
            std::printf("%s\n", judged.errorText.empty() ? Text("IDS_STRING653").c_str() : judged.errorText.c_str());
            return 1;
        }
    }
}

// Stores the coefficients, then applies them (that result is not looked at).
int save(ModuleSession& session) {
    Parameter store, apply;
    makeTemporaryParameter(store, kJobStore, "int", "0");
    makeTemporaryParameter(apply, kJobApply, "int");
    const bool stored = session.document().WriteParameter(store, 0) == 0;
    session.document().WriteParameter(apply, 0);
    if (!stored) {
        std::printf("%s\n", store.errorText.c_str());
        return 1;
    }
    std::printf("Calibration coefficients saved\n");
    return 0;
}

}  // namespace

int runCalibrate(const Arguments& args) {
    Request request;
    ModuleSession session;
    cmdline::Scanner scanner;
    scanner.value("--code", [&request](const std::string& value) {
        request.code = value;
        return std::string();
    });
    scanner.value("--sensor", [&request](const std::string& value) {
        request.sensor = value;
        return value.empty() ? std::string("--sensor needs a name") : std::string();
    });
    scanner.number("--first-poll-ms", 0, kLongestWaitMs, [&request](int ms) { request.firstPollMs = ms; });
    scanner.number("--poll-ms", 0, kLongestWaitMs, [&request](int ms) { request.pollMs = ms; });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("calibrate", kCalibrateUsage, args, scanner, session, words, true))
        return status;
    if (words.size() != 1 || (words[0] != "offset" && words[0] != "scale" && words[0] != "save"))
        return badUsage("name one step: offset, scale or save");
    request.step = words[0] == "offset" ? Step::Offset : words[0] == "scale" ? Step::Scale : Step::Save;

    // The code is checked before anything goes to the module.
    if (request.code != kJobAccessCode) {
        std::fprintf(stderr, "%s\n", Text("IDS_STRING657").c_str());
        return 1;
    }
    if (!session.open() || !session.chooseModel(false)) return 1;
    if (!calibratable(session.model())) {
        std::fprintf(stderr, "vantorctl calibrate: %s has no offset-and-scale calibration (KQ-08 and KQ-19 have)\n",
                     modelDisplayName(session.model()).c_str());
        return 1;
    }
    if (!session.loadTree()) return 1;
    if (!request.sensor.empty())
        if (const int status = writeSensor(session, request.sensor)) return status;
    return request.step == Step::Save ? save(session) : runJob(session, request);
}

}  // namespace vantor::cli
