#pragma once
// What a comparison of the document with the module found: the number of parameters
// whose value or owner differs, the entries of the first ten, and the report the person
// sees at the end. The communication thread adds the differences while the task runs;
// the report is read after the task has ended.

#include <string>

namespace vantor {

class Parameter;

class CompareReport {
public:
    // Entries beyond this number are counted but not listed.
    static constexpr int kListedDifferences = 10;

    void Reset();
    // `configured` differs from the module's value in `module`: counted, listed while
    // fewer than ten are, and its error text becomes the discrepancy note (empty from
    // the eleventh difference on).
    void AddDifference(Parameter& configured, const Parameter& module);

    int differences() const { return differences_; }
    // "No difference found", or the count with the listed entries.
    std::string Report() const;

private:
    int differences_ = 0;
    std::string entries_;
};

}  // namespace vantor
