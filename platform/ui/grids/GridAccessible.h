// Accessibility of the grids: the grid's widget answers as a table (rows, columns, cell texts,
// column titles, selected rows) through Qt's table interfaces, fed by TCustomGrid's
// Accessible* operations. The accessible name is the kernel's (label caption, else Name).
#pragma once

class TCustomGrid;

namespace vt {

// Registers the factory that gives every grid widget its table interface; runs once.
void InstallGridAccessibility();
// Tells assistive technology that the focused grid's current cell moved.
void CurrentCellMoved(TCustomGrid* grid);

}  // namespace vt
