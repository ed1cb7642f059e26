#pragma once
// Dialogs laid out from measured text: check boxes, radio buttons and labels of the control set
// size themselves to their captions in the dialog's font, and these place their neighbours and
// size their parents from those sizes, whatever font the desktop gives.

#include <initializer_list>

#include "framework/ClassesTypes.h"

namespace fw {
class TControl;
class TPageControl;
class TStringGrid;
class TWinControl;
}  // namespace fw

namespace cs {

fw::Integer RightOf(const fw::TControl* Control);
fw::Integer BottomOf(const fw::TControl* Control);
// Puts each control Gap pixels right of the one before it, the first at Left.
void FlowRight(std::initializer_list<fw::TControl*> Controls, fw::Integer Left, fw::Integer Gap);
// Widens and heightens Parent (never shrinks it) so every child shows with Margin to spare at
// the right and the bottom.
void GrowToChildren(fw::TWinControl* Parent, fw::Integer Margin);
// Grows Pages (its active page laid out) so that every page's controls show with Margin to spare,
// and the client area of Pages' parent by as much: the bottom buttons, anchored at the bottom,
// move down with it.
void GrowPagesToChildren(fw::TPageControl* Pages, fw::Integer Margin);
// Widens each column of Grid whose widest cell (headings included) does not fit, to that cell's
// text and the room the grid keeps round it; no column narrows. The columns' total width after.
fw::Integer WidenColumnsToCells(fw::TStringGrid* Grid);

}  // namespace cs
