#pragma once
// A branch of the parameter tree: first the template that a branch statement of the
// description creates (its members copied at parse time), then, once built, the
// element that owns the live parameters of that branch.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "description/description_values.h"
#include "elements/invisible_element.h"

namespace vantor {

// The device model's label of status decoding row `row`; empty ends the rows.
using StatusRowLabels = std::function<std::string(int row)>;

// What the insertion into the view needs besides the sink.
struct ViewInsertion {
    RowSink& sink;
    bool showIndexes = false;
    StatusRowLabels statusRowLabel{};  // may be empty: no status rows
};

class DescBranch : public InvisibleElement {
public:
    DescBranch(std::string name, int count, int index, int image, int selectedImage);

    // A deep copy of the template: members, sub-branches (new objects) and member
    // order; the copy has no live parameters. When `watched` is this branch or one of
    // its sub-branches at any depth, `*copyOfWatched` receives the matching copy.
    std::unique_ptr<DescBranch> Clone(const DescBranch* watched = nullptr, DescBranch** copyOfWatched = nullptr) const;

    // Members, in statement order.
    void addParameterMember(const DescParameter& parameter);
    void addBranchMember(std::unique_ptr<DescBranch> branch);

    int count() const { return count_; }
    int index() const { return index_; }
    // A loaded configuration replaces the values of the build.
    void setCount(int count) { count_ = count; }
    void setIndex(int index) { index_ = index; }
    int image() const { return image_; }
    int selectedImage() const { return selectedImage_; }
    const std::vector<DescParameter>& parameterMembers() const { return members_; }
    const std::vector<std::unique_ptr<DescBranch>>& subBranches() const { return subBranches_; }
    const std::vector<bool>& memberOrder() const { return memberOrder_; }
    // Made by a statement for the network settings branch (kept by copies).
    bool isNetworkParameters() const { return networkParameters_; }
    void markNetworkParameters() { networkParameters_ = true; }

    void InitParameters() override {}
    ExchangeCounts CompareValues(ParameterExchange& link) override;
    ExchangeCounts ReadValues(ParameterExchange& link) override;
    ExchangeCounts WriteValues(ParameterExchange& link, int mode) override;
    void ResetValues() override;
    int GetImage() const override { return image_; }
    int GetSelectedImage() const override { return selectedImage_; }

    // Numbers the branch and its sub-branches and creates the parameters (one that
    // cannot be made is left out after a message to `ui`); returns the numbering
    // stride of the branch (count × the largest stride below it).
    int Build(bool indexed, int base, UserInterface& ui);
    // For the hidden tree of sampled parameters: each parameter is addressed by the
    // module address plus its data index instead of an indexed frame.
    void PrepareScanning();

    // What a copy of this template holds: (branches, parameter members), this branch
    // and all branches below it.
    std::pair<std::size_t, std::size_t> TemplateSize() const;

    bool IsSingleParameterBranch() const;
    std::variant<Parameter*, DescBranch*> SingleParameterOrSelf();

    // Collecting mode (`map` or `largestIndex` given): enters every parameter named
    // `name` (the first one per branch) under the low 16 bits of its data index, and
    // tracks the largest index and the step; returns null. Search mode: the first
    // such parameter whose data index is `wantedIndex`, or null.
    Parameter* FindParameters(std::string_view name, std::map<int, Parameter*>* map, int* largestIndex, int* step,
                              int wantedIndex);

    RowId InsertIntoView(const ViewInsertion& view, RowId parent);

    // Visits the built parameters and the sub-branches in statement order.
    void ForEachMember(const std::function<void(Parameter&)>& onParameter,
                       const std::function<void(DescBranch&)>& onBranch) const;

private:
    // The branch's own parameters, then every sub-branch, counts added up.
    template <typename Own, typename Sub>
    ExchangeCounts extended(ParameterExchange& link, Own own, Sub sub);
    void createParameter(const DescParameter& member, bool indexed, int dataIndex, UserInterface& ui);
    void insertDecodingRows(const ViewInsertion& view, RowId parent, Parameter& parameter);

    int count_;
    int index_;
    int image_;
    int selectedImage_;
    std::vector<DescParameter> members_;
    std::vector<std::unique_ptr<DescBranch>> subBranches_;
    std::vector<bool> memberOrder_;
    bool networkParameters_ = false;
};

}  // namespace vantor
