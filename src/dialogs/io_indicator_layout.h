#pragma once
// Where the numbered indicators above a table of the I/O status dialog stand: one per
// table row, numbered row by row from the left, at most eight to a line. It is worked
// out from the device model's first indicator and steps alone, without any widget.

#include <vector>

#include "models/model_facts.h"

namespace vantor::gui {

struct IndicatorPlacement {
    int tableRow = 0;  // the indicator's number is tableRow + 1
    int column = 0;
    int line = 0;
    IndicatorRect rect;  // dialog units: the first rectangle moved by the steps

    bool operator==(const IndicatorPlacement&) const = default;
};

inline constexpr int kMaxIndicatorColumns = 8;

// The indicators of a table of `rowCount` rows. The columns are half the rows, at most
// eight; the lines as many as fill up completely, so the rows that would start an
// incomplete line get no indicator. A table of fewer than two rows gets none.
std::vector<IndicatorPlacement> layoutIndicators(int rowCount, const IndicatorRect& first, int columnStep,
                                                 int lineStep);

}  // namespace vantor::gui
