#pragma once
// The offset-and-scale procedure of KQ-08 and KQ-19, built on the plain wizard sheet.

namespace vantor::gui {

class CmySheet;

// Code page, offset job, scale job, save, and the error page, in that order.
void addOffsetAndScalePages(CmySheet& sheet);

}  // namespace vantor::gui
