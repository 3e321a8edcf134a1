#pragma once
// Non-visual elements: objects that own an ordered set of parameters and offer the
// uniform operations on them (find, get and set by name, exchange with the module,
// reset, insertion into the view). The branches of the parameter tree are elements.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "description/row_sink.h"
#include "params/parameter.h"
#include "platform/user_interface.h"

namespace vantor {

// What the exchange operations need from the device link, one parameter at a time.
// Each per-parameter call returns 0 on success and non-zero on a failure or, for the
// comparison, a difference.
class ParameterExchange {
public:
    virtual ~ParameterExchange() = default;
    // The link's cancel event: polled between parameters.
    virtual bool cancelled() const = 0;
    virtual int readParameter(Parameter& parameter) = 0;
    // A negative mode writes the configuration value, any other the value text.
    virtual int writeParameter(Parameter& parameter, int mode) = 0;
    virtual int compareParameter(Parameter& parameter) = 0;
    // One more parameter done, for the progress range of a comparison.
    virtual void progressStep() = 0;
    virtual void progressLog(const std::string& line) = 0;
};

// (handled, failed) of an exchange operation.
struct ExchangeCounts {
    int handled = 0;
    int failed = 0;
    ExchangeCounts& operator+=(const ExchangeCounts& other) {
        handled += other.handled;
        failed += other.failed;
        return *this;
    }
    bool operator==(const ExchangeCounts&) const = default;
};

class ObjectWithParameters {
public:
    ObjectWithParameters() = default;
    virtual ~ObjectWithParameters() = default;
    ObjectWithParameters(const ObjectWithParameters&) = delete;
    ObjectWithParameters& operator=(const ObjectWithParameters&) = delete;

    const std::vector<std::unique_ptr<Parameter>>& parameters() const { return parameters_; }
    void appendParameter(std::unique_ptr<Parameter> parameter);

    // Destroys every parameter; elements with a fixed set create theirs again.
    virtual void InitParameters();

    // The first parameter with this name (ASCII letter case ignored), or null.
    Parameter* FindParameter(std::string_view name) const;
    // A copy of the value text; "no data" when there is no such parameter.
    virtual std::string GetParameterText(std::string_view name) const;
    // 1 when the parameter exists (its value-changed flag set when the text differs
    // other than in letter case), 0 when not.
    virtual int SetParameterText(std::string_view name, const std::string& text);

    virtual ExchangeCounts CompareValues(ParameterExchange& link);
    virtual ExchangeCounts ReadValues(ParameterExchange& link);
    // mode > 0: every user-editable parameter; 0: the changed ones; < 0: those with a
    // configuration value.
    virtual ExchangeCounts WriteValues(ParameterExchange& link, int mode);
    virtual void ResetValues();

    // Inserts the first `count` parameter rows (all when `count` is negative) under
    // `parent`; returns the row the element's content went under.
    virtual RowId InsertRows(RowSink& sink, RowId parent, int count, bool showIndexes);
    int shownCount() const { return shownCount_; }

    // The common data index of the indexed parameters, fixed on first use; an indexed
    // parameter with another index is reported to `ui` each time the number is asked for.
    virtual int GetElementNumber(UserInterface& ui);
    virtual void SetElementNumber(int number);

    // 2 when any parameter has a changed flag set, else 0.
    virtual int HasChanges() const;
    void ClearChanged();
    // True when a parameter has an error text that is not a discrepancy note, or any
    // error text when `countDiscrepancies`.
    bool HasErrors(bool countDiscrepancies) const;

    // Whether a parameter takes part in a write under `mode`.
    static bool TakesPartInWrite(const Parameter& parameter, int mode);

protected:
    // The parameter row with the parameter's own image.
    static RowId InsertParameterRow(RowSink& sink, RowId parent, Parameter& parameter, bool showIndexes);

    std::vector<std::unique_ptr<Parameter>> parameters_;
    std::int32_t elementNumber_ = -1;
    std::int32_t shownCount_ = 0;
};

// A named element with pictures.
class InvisibleElement : public ObjectWithParameters {
public:
    InvisibleElement();

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // "Name" renames the element (result 3) before any parameter is looked at.
    int SetParameterText(std::string_view name, const std::string& text) override;

    // A progress line with the branch name, then the parameters.
    ExchangeCounts CompareValues(ParameterExchange& link) override;
    ExchangeCounts ReadValues(ParameterExchange& link) override;
    ExchangeCounts WriteValues(ParameterExchange& link, int mode) override;

    // The element's own row first, the parameters under it.
    RowId InsertRows(RowSink& sink, RowId parent, int count, bool showIndexes) override;

    virtual std::array<std::int32_t, 4> EmptyRecord() const { return {0, 0, 0, 0}; }
    virtual int GetImage() const { return 0; }
    virtual int GetSelectedImage() const { return 0; }
    virtual std::string GetKindName() const;
    virtual int GetFixedCode() const { return -999; }
    // name + " (" + kind name + ")"
    virtual std::string GetTitle() const;

protected:
    RowId InsertOwnRow(RowSink& sink, RowId parent, bool showIndexes);

    std::string name_;
};

}  // namespace vantor
