#pragma once
// What the calibration tests share: a document on an in-process virtual module of the
// model at hand, the calibration link with waits of a millisecond, the exchanges the
// procedure made in order, and a module side a test can script for the answers it
// needs exactly.

#include <QTest>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calibration/framework/calibration_link.h"
#include "protocol/name_hash.h"
#include "sim/module_hooks.h"
#include "support/document_bench.h"

namespace vantor::test {

// Catalogue indexes of the calibratable models.
inline constexpr int kKq01 = 0, kKq02 = 1, kKq03 = 2, kKq08 = 7, kKq09 = 8, kKq13 = 12, kKq15 = 13, kKq19 = 17,
                     kKq20 = 18, kKq21 = 19, kKq22 = 20, kKq23 = 21, kKq24 = 22;

// Who answers the calibration: the test's own scripted module side, or the virtual
// module's own calibration firmware.
enum class ModuleSide { Scripted, OwnFirmware };

// Answers chosen reads with scripted data, one answer per read (the last one repeats);
// everything else goes to the module as usual.
class ScriptedReads : public sim::ModuleHooks {
public:
    void script(const std::string& name, std::vector<Bytes> answers) {
        answers_[hash_name(name)] = {answers.begin(), answers.end()};
    }

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable&,
                                              std::int64_t) override {
        const auto it = answers_.find(request.hash);
        if (!request.read || it == answers_.end() || it->second.empty()) return std::nullopt;
        Bytes data = it->second.front();
        if (it->second.size() > 1) it->second.pop_front();
        return sim::ModuleReply{request.hash, data};
    }

private:
    std::map<std::uint16_t, std::deque<Bytes>> answers_;
};

struct CalibrationBench {
    explicit CalibrationBench(int model) : bench(model) {
        if (!bench.doc.OnNewDocument()) throw std::runtime_error("no document");
        bench.recorder.sent.clear();
    }

    // Installs scripted answers in front of the module's own.
    ScriptedReads& scriptReads() {
        auto hooks = std::make_unique<ScriptedReads>();
        ScriptedReads& scripted = *hooks;
        bench.module.setHooks(std::move(hooks));
        return scripted;
    }

    // The exchanges sent so far as "r NAME" / "w NAME", for the names given (others by
    // their hash), attribute frames left out.
    std::vector<std::string> exchanges(const std::vector<std::string>& names) const {
        std::map<std::uint16_t, std::string> byHash;
        for (const std::string& name : names) byHash[hash_name(name)] = name;
        std::vector<std::string> out;
        for (const ReceivedFrame& frame : bench.recorder.frames()) {
            if (frame.hash == hash_name("M.s.t.r.")) continue;
            const auto it = byHash.find(frame.hash);
            char hash[8];
            std::snprintf(hash, sizeof hash, "%04X", frame.hash);
            out.push_back(std::string(frame.requestBit() ? "r " : "w ") + (it != byHash.end() ? it->second : hash));
        }
        return out;
    }

    // Waits on the event loop until `condition` holds.
    template <class Condition>
    static bool eventually(Condition condition) {
        return QTest::qWaitFor(condition, 20000);
    }

    DocumentBench bench;
    gui::CalibrationLink link{bench.doc, gui::CalibrationTiming::quick()};
};

}  // namespace vantor::test
