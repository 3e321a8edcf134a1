#pragma once
// The device model: what a module model adds to the parameter tree its description
// gives: the content of the I/O status dialog, the decoding of status words into
// texts, the default-settings command, the parameter the APLY command sends, the
// calibration procedure and the switches other parts of the program ask for. One
// object exists at a time, made after every description load for the model at hand.
//
// Most of it is the model's row of the facts table; the classes derived from this one
// are the models whose behaviour is code of their own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/device_model_link.h"
#include "models/io_table.h"
#include "models/menu_insertion.h"
#include "models/model_facts.h"
#include "params/converter.h"

namespace vantor {

class ModelDocument;
class Parameter;

class CBaseDevice : public DeviceModelLink {
public:
    CBaseDevice(Model model, ModelDocument& document);
    ~CBaseDevice() override;
    CBaseDevice(const CBaseDevice&) = delete;
    CBaseDevice& operator=(const CBaseDevice&) = delete;

    // The catalogue index; what the other parts test when they ask for a model kind.
    Model model() const { return model_; }
    const ModelFacts& facts() const { return modelFacts(model_); }

    // The I/O status dialog.
    virtual bool HasInputs() const;
    virtual bool HasOutputs() const;
    virtual std::string InputParameterName() const;
    virtual std::string OutputParameterName() const;
    // The first indicator of a line; none when the model has no such line.
    virtual std::optional<IndicatorRect> InputIndicatorRect() const;
    virtual std::optional<IndicatorRect> OutputIndicatorRect() const;
    virtual int InputIndicatorStep() const;
    virtual int OutputIndicatorStep() const;
    virtual int IndicatorRowStep() const;
    virtual IoTable FillInputsTable() const;
    virtual IoTable FillOutputsTable() const;
    // The state texts of the first `indicatorCount` input indicators, in row order;
    // an empty entry leaves that indicator as it is. `inputs` is the table that
    // FillInputsTable gave. Nothing at all when the model has no inputs or the state
    // could not be read.
    virtual std::vector<std::optional<std::string>> UpdateInputIndicators(const IoTable& inputs, int indicatorCount);
    virtual bool NoStatusDialog() const;
    // The I/O status command's prompt: status-bar text, line break, tooltip.
    virtual std::string StatusCommandText() const;

    // Calibration: the procedure of the model's Calibration fact, run by the program
    // that shows the document (a wizard or dialog in the desktop program); nothing for
    // a model without one. KQ-15/KQ-16 also take a tare weight.
    virtual void RunCalibration();
    virtual bool HasCalibration() const;

    // Main-menu entries to add before sampling starts.
    virtual std::vector<MenuInsertion> AdjustMenu() const { return {}; }

    // DeviceModelLink: what the exchange engine asks.
    bool IsNetworkSettingName(const std::string& name) const override;
    void OnLogParameter(Parameter&) override {}
    bool InitAfterWrite() const override;
    std::string DisplayName() const override;
    // The parameter an edit of a "Log" parameter also changes; null when none.
    virtual Parameter* LogPartner(const Parameter&) const { return nullptr; }

    // The network settings dialogs.
    virtual bool HasDataBitsSetting() const;
    // Whether the module takes `address` with the address length text of "A.Len".
    virtual bool IsValidAddress(int /*address*/, const std::string& /*addressLength*/) const { return true; }

    // The decoding rows under "Rd.St" and "Stat": labels for rows 0, 1, ... up to the
    // first empty one, and the text of a row for the parameter's numeric value.
    virtual std::string StatusRowLabel(int row) const;
    virtual std::string StatusBitText(int row, std::uint32_t value) const;

    // How the float of a 6-byte reading is shown (the model's format fact).
    std::string FormatRealValue(double value) const;
    // What the decoder needs of this model: the reading forms and FormatRealValue. It
    // holds nothing of this object, so it may outlive it.
    CodecContext codecContext() const;

    // The default-settings command.
    virtual void ResetToDefaults();
    // The parameter the APLY command writes; owned here, made on first use.
    virtual Parameter& GetApplyParameter();
    virtual bool ReportApplyError() const;

protected:
    ModelDocument& document() const { return document_; }
    bool hasApplyParameter() const { return apply_ != nullptr; }

private:
    // Writes every configuration value of the tree through the write-defaults task.
    void writeInitValues();
    // Lets the module restore its own defaults with the "S.Def" command.
    void sendDefaultsCommand();

    Model model_;
    ModelDocument& document_;
    std::unique_ptr<Parameter> apply_;
};

}  // namespace vantor
