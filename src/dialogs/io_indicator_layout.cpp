#include "dialogs/io_indicator_layout.h"

#include <algorithm>

namespace vantor::gui {

std::vector<IndicatorPlacement> layoutIndicators(int rowCount, const IndicatorRect& first, int columnStep,
                                                 int lineStep) {
    std::vector<IndicatorPlacement> placements;
    const int columns = std::min(rowCount / 2, kMaxIndicatorColumns);
    if (columns <= 0) return placements;
    const int lines = rowCount / columns;
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < columns; ++column) {
            const int dx = column * columnStep;
            const int dy = line * lineStep;
            placements.push_back({line * columns + column,
                                  column,
                                  line,
                                  {first.left + dx, first.top + dy, first.right + dx, first.bottom + dy}});
        }
    }
    return placements;
}

}  // namespace vantor::gui
