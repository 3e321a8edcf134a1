#pragma once
// The program's pictures: our own SVG set compiled into the program, one per command
// picture and one for the program itself.

#include <QIcon>
#include <string_view>

namespace vantor::gui {

// The picture `name` of resources/icons (without ".svg"); a null icon for an empty name.
QIcon commandIcon(std::string_view name);
QIcon programIcon();

}  // namespace vantor::gui
