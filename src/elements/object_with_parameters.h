#pragma once
// Non-visual elements: objects that own an ordered set of parameters and offer the
// uniform operations on them (find, get and set by name, exchange with the module,
// reset, insertion into the view). The branches of the parameter tree are elements, and
// so are the program's own fixed sets (service parameters, network settings).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/parameter_exchange.h"
#include "elements/row_sink.h"
#include "params/parameter.h"
#include "platform/user_interface.h"

namespace vantor {

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

}  // namespace vantor
