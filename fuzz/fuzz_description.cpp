// Feeds arbitrary description texts to the parser and the tree build: bad lines must
// end in a message, never in a crash or a runaway allocation.

#include <cstddef>
#include <cstdint>
#include <string>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "platform/user_interface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantor::SilentUserInterface messages;
    vantor::TreeDescription description(messages);
    description.LoadTreeText(std::string(reinterpret_cast<const char*>(data), size), vantor::kNoModel);
    return 0;
}
