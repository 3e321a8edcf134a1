#pragma once
// One module parameter as the configurator holds it: name, type, index, access
// attributes, the value last read or to be written, the configuration value, the error
// or discrepancy found, the description, and the sampling settings of a sampled one.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "params/converter.h"

namespace vantor {

// Row colours as 0x00BBGGRR.
constexpr std::uint32_t kColourDiscrepancy = 0xFF4040;
constexpr std::uint32_t kColourError = 0x0000FF;
constexpr std::uint32_t kColourChanged = 0x00C800;
constexpr std::uint32_t kColourNormal = 0x000000;

// Row images.
constexpr int kImageEditableBuiltIn = 28;
constexpr int kImageEditableEnumeration = 27;
constexpr int kImageOther = 30;

// What the view shows in a parameter's row.
struct ParameterRow {
    std::string name;  // ":index" appended when indexed and indexes are shown
    std::string value;
    std::string editable;  // "read/write" / "read-only", empty without attributes
    std::string owner;     // "Company" / owner text, empty without attributes
    std::string error;
    std::uint32_t colour = kColourNormal;
    int image = kImageOther;
};

// The rows under the code parameter "CodP" and its value rewritten as "0x%02x".
struct CodeParameterRows {
    std::array<std::string, 5> children;
    std::string valueText;
};

class Parameter : public MyConverter {
public:
    Parameter();
    explicit Parameter(std::string name);
    ~Parameter() override;
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;

    // Stores the text as the value text without checks (after reading).
    virtual void SetValueText(const std::string& text);
    // Validates the person's text by type; on acceptance stores it and marks the value
    // as changed. False leaves the parameter as it was.
    virtual bool SetValue(const std::string& text, bool keepFullPrecision = false);

    void ResetState();

    // Access attribute byte: bit 0 editable, bit 1 owned by the user.
    void ReadAttributeByte(std::uint8_t attributes);
    std::uint8_t AttributeByte() const;

    std::uint32_t RowColour() const;
    // The word for the type in range messages: "real number", "integer", ... or empty.
    std::string TypeDescription() const;
    std::string EditableText() const;
    std::string OwnerText() const;
    ParameterRow Row(bool showIndexes) const;
    // "CodP": the five child texts of the value, and the value as "0x%02x".
    CodeParameterRows CodeRows() const;
    // A sampled parameter's second column: the period, empty for "r.oe.s".
    std::string SamplingPeriodText() const;
    // The description followed by ", name:address offset".
    std::string SampledDescription() const;

    // Sampling is state only here; the scheduler that reads sampled parameters keeps
    // its own timers. Prepare moves the data index into the address offset.
    bool PrepareSampling();
    // 1 when sampling was already in the requested state, else 0. The view switches
    // sampling on the user-interface thread while the sampling thread tests it.
    int StartSampling();
    int StopSampling();
    bool SamplingOn() const { return samplingOn_; }
    bool SamplingPrepared() const { return samplingPrepared_; }

    std::string description;
    std::uint8_t indexed = 0;
    std::uint8_t valueChanged = 0;
    std::uint8_t editableChanged = 0;
    std::uint8_t ownerChanged = 0;
    std::string errorText;
    std::uint8_t userEditable = 1;
    std::uint8_t editable = 1;
    std::uint8_t manufacturerOwned = 0;
    std::uint8_t hasAttributes = 0;
    std::int32_t addressOffset = 0;
    std::int32_t dataIndex = 0;
    Parameter** backReference = nullptr;  // cleared when the parameter is destroyed
    std::int32_t tableMode = 0;
    std::int32_t samplingPeriod = 1000;  // milliseconds; changed only while sampling is off
    std::string configurationValue;

private:
    std::atomic<bool> samplingOn_{false};
    bool samplingPrepared_ = false;
};

}  // namespace vantor
