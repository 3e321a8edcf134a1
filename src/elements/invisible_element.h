#pragma once
// A non-visual element with a name and pictures: the base of the tree's branches and of
// the program's fixed-set elements.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "elements/object_with_parameters.h"

namespace vantor {

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
