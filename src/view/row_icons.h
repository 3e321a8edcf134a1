#pragma once
// The icons of the parameter view's rows by the image number the tree gives a row:
// the desktop theme's icon where it has one, else a small painted badge.

#include <QIcon>

namespace vantor::gui {

QIcon RowIcon(int image);

}  // namespace vantor::gui
