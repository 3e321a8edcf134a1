#pragma once
// "Previous/Next troubled parameter": the nearest parameter row with an error or a
// discrepancy note, first among the siblings of the start row, then branch by branch
// in the order each branch follows all the branches below it. No wrapping: past the
// last (or before the first) there is none.

#include "view/parameter_rows.h"

namespace vantor::gui {

enum class SearchDirection { Backward, Forward };

// The row found from `start` (null: from the device branch row); null when there is
// none. Rows of the scanners branch start the search at the device branch row too.
const RowNode* FindTroubled(const RowNode* start, const RowNode* deviceBranch, SearchDirection direction);

// The troubled row that comes first in the tree as it is shown, top to bottom; null
// when there is none.
const RowNode* FirstTroubled(const RowNode* deviceBranch);

}  // namespace vantor::gui
