#include "elements/program_info.h"

#include "text/texts.h"

#ifndef VANTOR_VERSION
#error "VANTOR_VERSION is given by the build (the project version)"
#endif

namespace vantor {

std::string ProgramProductName() { return Text("ION_INFO_ProductName"); }

std::string ProgramVersion() { return VANTOR_VERSION; }

std::string ProgramLegalNotice() { return Text("ION_INFO_LegalCopyright"); }

}  // namespace vantor
