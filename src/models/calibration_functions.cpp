#include "models/calibration_functions.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <initializer_list>

#include "models/calibration_job.h"
#include "params/parameter.h"
#include "platform/string_utils.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

struct StatusText {
    int status;
    const char* key;
};
constexpr StatusText kStatusTexts[] = {
    {0, "IDS_STRING817"},  {1, "IDS_STRING818"},  {2, "IDS_STRING819"},  {3, "IDS_STRING820"},  {4, "IDS_STRING821"},
    {5, "IDS_STRING822"},  {6, "IDS_STRING823"},  {7, "IDS_STRING824"},  {8, "IDS_STRING825"},  {9, "IDS_STRING826"},
    {10, "IDS_STRING827"}, {11, "IDS_STRING828"}, {12, "IDS_STRING829"}, {13, "IDS_STRING830"}, {14, "IDS_STRING831"},
    {15, "IDS_STRING832"}, {32, "IDS_STRING833"}, {33, "IDS_STRING834"}, {34, "IDS_STRING835"}, {36, "IDS_STRING836"},
};
constexpr const char* kUnknownStatusKey = "IDS_STRING837";

constexpr Sensor kCharacteristicSensors[] = {
    {"IDS_STRING393", 2},  {"IDS_STRING394", 5},  {"IDS_STRING395", 10}, {"IDS_STRING396", 6},  {"IDS_STRING397", 8},
    {"IDS_STRING398", 17}, {"IDS_STRING399", 9},  {"IDS_STRING400", 18}, {"IDS_STRING401", 1},  {"IDS_STRING402", 19},
    {"IDS_STRING403", 15}, {"IDS_STRING404", 20}, {"IDS_STRING405", 3},  {"IDS_STRING406", 21}, {"IDS_STRING407", 4},
    {"IDS_STRING408", 22}, {"IDS_STRING409", 16}, {"IDS_STRING410", 23}, {"IDS_STRING411", 24}, {"IDS_STRING412", 25},
    {"IDS_STRING413", 11}, {"IDS_STRING414", 12}, {"IDS_STRING415", 13}, {"IDS_STRING416", 7},  {"IDS_STRING417", 14},
    {"IDS_STRING418", 30}, {"IDS_STRING419", 31}, {"IDS_STRING420", 32}, {"IDS_STRING421", 33}, {"IDS_STRING422", 34},
    {"IDS_STRING423", 35}, {"IDS_STRING424", 36}, {"IDS_STRING425", 37}, {"IDS_STRING426", 38}, {"IDS_STRING427", 39},
    {"IDS_STRING428", 40},
};
constexpr Sensor kThermocouples[] = {
    {"IDS_STRING429", 5},  {"IDS_STRING430", 21}, {"IDS_STRING431", 6},  {"IDS_STRING432", 22},
    {"IDS_STRING433", 17}, {"IDS_STRING434", 23}, {"IDS_STRING435", 18}, {"IDS_STRING436", 24},
    {"IDS_STRING437", 19}, {"IDS_STRING438", 25}, {"IDS_STRING439", 20},
};
constexpr Sensor kPositionTransmitters[] = {
    {"IDS_STRING441", 26},
    {"IDS_STRING442", 41},
    {"IDS_STRING443", 27},
    {"IDS_STRING444", 28},
};

constexpr InputCalibrationType kTypes[] = {
    {1, "IDS_STRING385", "IDS_STRING389", kCharacteristicSensors, false, nullptr, "IDS_STRING748"},
    {2, "IDS_STRING386", "IDS_STRING390", kThermocouples, false, "IDS_STRING741", "IDS_STRING749"},
    {3, "IDS_STRING387", "IDS_STRING391", {}, false, "IDS_STRING742", "IDS_STRING750"},
    {4, "IDS_STRING388", "IDS_STRING392", kPositionTransmitters, true, "IDS_STRING743", "IDS_STRING751"},
};

// Ours to choose: one small number per type.
constexpr int kAccessCodes[] = {11, 22, 33, 44};

struct Instruction {
    std::initializer_list<int> codes;
    const char* key;
};
const Instruction kInstructions[] = {
    {{2, 8, 9, 10}, "IDS_STRING446"},
    {{16}, "IDS_STRING447"},
    {{1, 3, 4, 15, 30}, "IDS_STRING448"},
    {{5, 6, 7, 20, 21}, "IDS_STRING508"},
    {{18, 19, 22, 23, 24, 25}, "IDS_STRING720"},
    {{17}, "IDS_STRING721"},
    {{11, 12}, "IDS_STRING722"},
    {{13}, "IDS_STRING723"},
    {{14}, "IDS_STRING724"},
    {{31, 32, 33, 34, 35}, "IDS_STRING725"},
    {{36, 37, 38, 39, 40}, "IDS_STRING726"},
};
constexpr const char* kDefaultInstructionKey = "IDS_STRING446";

// How the coefficients of a type are shown: a format of "%s" texts and "%f" values,
// the texts in order, and the text appended after it.
struct CoefficientReport {
    int count;
    const char* failedReadLabelKey;
    const char* format;
    std::initializer_list<const char*> textKeys;
    const char* appendedKey;
};
const CoefficientReport kReports[] = {
    {1, "IDS_STRING762", "%s %f\n\n%s\n\n", {"IDS_STRING763", "IDS_STRING764"}, "IDS_STRING765"},
    {2,
     "IDS_STRING766",
     "%s %f \n %s %f\n\n%s\n\n",
     {"IDS_STRING767", "IDS_STRING768", "IDS_STRING769"},
     "IDS_STRING770"},
    {4,
     "IDS_STRING771",
     "%s %f\n%s %f\n%s %f\n%s %f\n\n%s\n\n",
     {"IDS_STRING772", "IDS_STRING773", "IDS_STRING774", "IDS_STRING775", "IDS_STRING776"},
     "IDS_STRING777"},
    {1, "IDS_STRING778", "%s %f %s\n", {"IDS_STRING779", "IDS_STRING780"}, nullptr},
};

const CoefficientReport& reportOf(int type) { return kReports[std::clamp(type, 1, 4) - 1]; }

// Fills a format's "%s" with `texts` and its "%f" with `values`, each in order.
std::string fillFormat(std::string_view format, const std::vector<std::string>& texts,
                       const std::vector<float>& values) {
    std::string out;
    std::size_t text = 0;
    std::size_t value = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'f')) {
            if (format[++i] == 's')
                out += text < texts.size() ? texts[text++] : std::string();
            else
                out += FormatTextArgs("%f", static_cast<double>(value < values.size() ? values[value++] : 0.0F));
        } else {
            out += format[i];
        }
    }
    return out;
}

int& wrongAccessCodes() {
    static int count = 0;  // for the whole program run
    return count;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::optional<CalibrationState> DecodeCalibrationState(const Bytes& reply, std::size_t offset) {
    if (reply.size() < offset + 2) return std::nullopt;
    return CalibrationState{reply[offset], reply[offset + 1]};
}

std::string CalibrationStatusText(int status) {
    for (const StatusText& entry : kStatusTexts)
        if (entry.status == status) return Text(entry.key);
    return Text(kUnknownStatusKey);
}

float CoefficientRecord::value() const {
    const std::uint32_t bits = (std::uint32_t{valueBytes[0]} << 24) | (std::uint32_t{valueBytes[1]} << 16) |
                               (std::uint32_t{valueBytes[2]} << 8) | std::uint32_t{valueBytes[3]};
    return std::bit_cast<float>(bits);
}

bool DecodeCoefficient(const Bytes& reply, CoefficientRecord& record) {
    if (reply.size() != 2 && reply.size() != 5) return false;
    record.firstByte = reply[0];
    record.valuePresent = reply.size() == 5;
    if (record.valuePresent) std::copy(reply.begin() + 1, reply.end(), record.valueBytes.begin());
    return true;
}

std::span<const InputCalibrationType> inputCalibrationTypes() { return kTypes; }

const InputCalibrationType* inputCalibrationType(int type) {
    for (const InputCalibrationType& entry : kTypes)
        if (entry.type == type) return &entry;
    return nullptr;
}

Bytes CalibrationStartData(int type, ValvePosition position, int channel) {
    if (type != 4) return {static_cast<std::uint8_t>(type)};
    return {static_cast<std::uint8_t>(static_cast<int>(position) * 128 + channel), static_cast<std::uint8_t>(type)};
}

Bytes InputTypeData(int sensorCode, int channel) {
    return {static_cast<std::uint8_t>(sensorCode), 0, static_cast<std::uint8_t>(channel)};
}

std::string SensorInstructionText(int sensorCode) {
    for (const Instruction& instruction : kInstructions)
        if (std::ranges::find(instruction.codes, sensorCode) != instruction.codes.end()) return Text(instruction.key);
    return Text(kDefaultInstructionKey);
}

int InputCalibrationAccessCode(int type) { return kAccessCodes[std::clamp(type, 1, 4) - 1]; }

AccessVerdict CheckAccessCode(int type, int typed) {
    if (inputCalibrationType(type) && typed == InputCalibrationAccessCode(type)) {
        wrongAccessCodes() = 0;
        return AccessVerdict::Granted;
    }
    return ++wrongAccessCodes() % 4 == 0 ? AccessVerdict::RefusedAndClose : AccessVerdict::Refused;
}

int CoefficientCount(int type) { return reportOf(type).count; }

std::string CoefficientReadLabel(int type) { return Text(reportOf(type).failedReadLabelKey); }

std::string CoefficientReportText(int type, const std::vector<float>& values) {
    const CoefficientReport& report = reportOf(type);
    std::vector<std::string> texts;
    for (const char* key : report.textKeys) texts.push_back(Text(key));
    std::string text = fillFormat(report.format, texts, values);
    if (report.appendedKey) text += Text(report.appendedKey);
    return text;
}

std::string InvalidCoefficientText(int type, float value) {
    return fillFormat("%s %f %s\n\n", {Text("IDS_STRING756"), Text("IDS_STRING757")}, {value}) + Text("IDS_STRING758") +
           Text(type == 2 ? "IDS_STRING759" : "IDS_STRING760");
}

std::string BeforeCalibrationText(Model model) {
    return Text(model == Model::KQ09 ? "IDS_STRING734" : "IDS_STRING731");
}

std::string AfterCalibrationText(Model model, int type, const std::string& displayName) {
    if (model == Model::KQ09) return Text("IDS_STRING735");
    if (type == 2 || type == 4) return Text("IDS_STRING732");
    return FormatText(Text("IDS_STRING733"), displayName);
}

int CalibratedOutputCount(Model model) { return model == Model::KQ03 ? 6 : 8; }

std::vector<OutputCoefficient> OutputCoefficientList(const std::vector<std::optional<std::string>>& outputTypes) {
    const std::string digital = Text("IDS_STRING509");
    std::vector<OutputCoefficient> list;
    for (std::size_t i = 0; i < outputTypes.size(); ++i) {
        if (!outputTypes[i] || equalsIgnoringCase(*outputTypes[i], digital)) continue;
        const int output = static_cast<int>(i) + 1;
        list.push_back({FormatText(Text("IDS_STRING510"), output), 2 * (output - 1)});
        list.push_back({FormatText(Text("IDS_STRING511"), output), 2 * (output - 1) + 1});
    }
    std::ranges::stable_sort(list, lessIgnoringCase, &OutputCoefficient::text);
    return list;
}

std::optional<int> SteppedCoefficient(int value, int amount) {
    const int stepped = value + amount;
    if (stepped < kLowestOutputCoefficient || stepped > kHighestOutputCoefficient) return std::nullopt;
    return stepped;
}

void MakeOutputCoefficientParameter(Parameter& parameter, int number) {
    parameter.name = kOutputCoefficient;
    parameter.type = "int";
    parameter.indexed = 1;
    parameter.hasAttributes = 1;
    parameter.dataIndex = number;
}

void MakeDriveOutputParameter(Parameter& parameter, int number) {
    makeTemporaryParameter(parameter, kCalibrationStart, "int", FormatText("%1i", number));
}

void MakeLeaveCalibrationParameter(Parameter& parameter) {
    makeTemporaryParameter(parameter, kCalibrationLeave, "void");
}

}  // namespace vantor
