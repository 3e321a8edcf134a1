#pragma once
// Branch names that the parser and the build recognise by the keyed texts.

#include <string>

namespace vantor {

// The network settings branch: the text of IDS_NETWORK_PARAMETERS, letter case ignored.
bool isNetworkParametersName(const std::string& name);
// The branch whose repeated instances are numbered from 9: the text of IDS_STRING848,
// compared exactly, with "_" in the name standing for a blank of the text.
bool isAdditionalOutputStatus(const std::string& name);

}  // namespace vantor
