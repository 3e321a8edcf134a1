#include "params/parameter.h"

namespace vantor {

// Placeholder until the validation rules land in the next commit.
bool Parameter::SetValue(const std::string&, bool) { return false; }

}  // namespace vantor
