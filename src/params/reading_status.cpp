#include "params/reading_status.h"

#include "text/texts.h"

namespace vantor {

std::string readingStatusText(std::uint8_t status) {
    // Keys of the statuses 0xF0, 0xF6..0xFF; the rest of the range has no status.
    struct Status {
        std::uint8_t code;
        const char* key;
    };
    static const Status kStatuses[] = {
        {0xF0, "IDS_STRING473"}, {0xF6, "IDS_STRING474"}, {0xF7, "IDS_STRING476"}, {0xF8, "IDS_STRING477"},
        {0xF9, "IDS_STRING478"}, {0xFA, "IDS_STRING368"}, {0xFB, "IDS_STRING369"}, {0xFC, "IDS_STRING479"},
        {0xFD, "IDS_STRING480"}, {0xFE, "IDS_STRING483"}, {0xFF, "IDS_STRING481"},
    };
    for (const Status& entry : kStatuses)
        if (entry.code == status) return Text(entry.key);
    return Text("IDS_STRING484");
}

}  // namespace vantor
