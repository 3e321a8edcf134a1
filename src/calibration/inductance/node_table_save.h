#pragma once
// What Finish of a user table sends: the inductance of each node ("uU.Pn" at its data
// index), the coefficients of the spline through the nodes ("uU.Kf" at data index j,
// printed with "%f"), then the calibration applied. It is made on the window's thread
// from copies of the table's parameters, so the table stays the window's while the
// link sends.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui::CalibrationVI {

class NodeTableSave {
public:
    NodeTableSave(const std::vector<const Parameter*>& nodes, const std::vector<float>& coefficients);
    ~NodeTableSave();

    // On the link's thread: sends everything in order, up to the first write that fails.
    void run(CPlimoDoc& document);

    // After run: the message of the write that failed, empty when everything was written.
    const std::string& failure() const { return failure_; }
    // After run: the module's status once the calibration was applied; none when not read.
    const std::optional<std::uint32_t>& status() const { return status_; }

private:
    using Parameters = std::vector<std::unique_ptr<Parameter>>;
    bool writeAll(CPlimoDoc& document, Parameters& parameters, const char* failureKey);

    Parameters nodes_;
    Parameters coefficients_;
    std::string failure_;
    std::optional<std::uint32_t> status_;
};

}  // namespace vantor::gui::CalibrationVI
