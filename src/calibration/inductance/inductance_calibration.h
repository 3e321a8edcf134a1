#pragma once
// The calibration of the mutual-inductance module KQ-13 on the plain wizard sheet: the
// access code and the method; for the factory method the lower limit, the upper limit
// and the save; for the user method a table of nodes, typed or measured.

namespace vantor::gui {

class CmySheet;

// The pages in their order: first page, lower limit, upper limit, save, typed table,
// measured table.
void addInductancePages(CmySheet& sheet);

}  // namespace vantor::gui
