#pragma once
// The program's product name, version and legal notice: what the About box and the
// service parameters show and the installation record keeps.

#include <string>

namespace vantor {

std::string ProgramProductName();
// The version of the build ("0.1.0"), the project version the build was made with.
std::string ProgramVersion();
std::string ProgramLegalNotice();

}  // namespace vantor
