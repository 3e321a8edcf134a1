#pragma once
// What the single parameter dialog does, without its widgets: what a typed name stands
// for (hash, type, description, the values offered for a write), and one read or write
// of a temporary parameter with the frame report of the request and the reply and the
// outcome in words. The tree is never touched.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/parameter.h"

namespace vantor {

class ParameterLink;
struct DescParameter;

// The code of a hash typed as "0x" and one to four hex digits; none for a name.
std::optional<std::uint16_t> typedHashCode(std::string_view typed);

// The first description parameter the typed text names: by name, ignoring case, or by
// its hash code when the text is one. Null when the description has none.
const DescParameter* findDescribedParameter(const std::vector<DescParameter>& described, std::string_view typed);

// What the dialog shows while the name is typed.
struct ParameterSummary {
    std::string hashText;  // "0x%X"
    std::string details;   // the description, " (", the type definition, ")"
    // For an enumeration: its elements as shown ("_" as blanks), without "<hide>" ones.
    std::vector<std::string> writeChoices;
};
ParameterSummary summarizeParameter(const std::vector<DescParameter>& described, const std::string& typed);

enum class IndexKind { Data, Address };

struct SingleRequest {
    std::string name;  // as typed: a name or a hash code
    bool write = false;
    std::string writeText;
    bool useIndex = false;
    IndexKind indexKind = IndexKind::Data;
    int index = 0;
};

// One exchange of a temporary parameter made from the description. Prepared where the
// description is safe to read; run on any thread (the frame exchange takes the link's
// frame lock and nothing else of the link's state).
class SingleExchange {
public:
    // Null when the request names no description parameter.
    static std::unique_ptr<SingleExchange> prepare(const std::vector<DescParameter>& described,
                                                   const SingleRequest& request);

    // Sends the request and adds the frame lines and the outcome to the report.
    void run(ParameterLink& link);

    const std::vector<std::string>& report() const { return report_; }
    const Parameter& parameter() const { return parameter_; }

private:
    SingleExchange(const DescParameter& entry, const SingleRequest& request);

    Parameter parameter_;
    const bool write_;
    std::vector<std::string> report_;
};

}  // namespace vantor
