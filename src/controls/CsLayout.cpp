#include "controls/CsLayout.h"

#include <algorithm>

#include "framework/Controls.h"
#include "framework/GridsString.h"
#include "framework/PageControl.h"
#include "framework/StdCtrlsText.h"
#include "platform/gdi/GdiText.h"

namespace cs {

fw::Integer RightOf(const fw::TControl* Control) { return Control->Left() + Control->Width(); }

fw::Integer BottomOf(const fw::TControl* Control) { return Control->Top() + Control->Height(); }

void FlowRight(std::initializer_list<fw::TControl*> Controls, fw::Integer Left, fw::Integer Gap) {
  for (fw::TControl* control : Controls) {
    control->SetLeft(Left);
    Left = RightOf(control) + Gap;
  }
}

void GrowToChildren(fw::TWinControl* Parent, fw::Integer Margin) {
  fw::Integer right = 0, bottom = 0;
  for (fw::Integer i = 0; i < Parent->ControlCount(); ++i) {
    const fw::TControl* child = Parent->Controls(i);
    if (!child->Visible()) continue;
    right = std::max(right, RightOf(child));
    bottom = std::max(bottom, BottomOf(child));
  }
  // The client area may be smaller than the control (a group box's frame and caption).
  const fw::Integer extraX = Parent->Width() - Parent->ClientWidth(), extraY = Parent->Height() - Parent->ClientHeight();
  if (right + Margin > Parent->ClientWidth()) Parent->SetWidth(right + Margin + extraX);
  if (bottom + Margin > Parent->ClientHeight()) Parent->SetHeight(bottom + Margin + extraY);
}

void GrowPagesToChildren(fw::TPageControl* Pages, fw::Integer Margin) {
  fw::TTabSheet* shown = Pages->ActivePage();
  if (shown == nullptr) return;
  fw::Integer right = 0, bottom = 0;
  for (fw::Integer p = 0; p < Pages->PageCount(); ++p) {
    const fw::TTabSheet* page = Pages->Pages(p);
    for (fw::Integer i = 0; i < page->ControlCount(); ++i) {
      const fw::TControl* child = page->Controls(i);
      if (!child->Visible()) continue;
      right = std::max(right, RightOf(child));
      bottom = std::max(bottom, BottomOf(child));
    }
  }
  const fw::Integer dx = std::max<fw::Integer>(0, right + Margin - shown->ClientWidth());
  const fw::Integer dy = std::max<fw::Integer>(0, bottom + Margin - shown->ClientHeight());
  if (dx == 0 && dy == 0) return;
  fw::TWinControl* form = Pages->Parent();
  Pages->SetBounds(Pages->Left(), Pages->Top(), Pages->Width() + dx, Pages->Height() + dy);
  if (form != nullptr) {
    form->SetClientWidth(form->ClientWidth() + dx);
    form->SetClientHeight(form->ClientHeight() + dy);
  }
}

fw::Integer WidenColumnsToCells(fw::TStringGrid* Grid) {
  constexpr fw::Integer kCellPadding = 6;  // a grid draws a cell's text 2 px in
  const bool lines = Grid->Options().Contains(fw::goVertLine) || Grid->Options().Contains(fw::goFixedVertLine);
  fw::Integer total = 0;
  for (fw::Integer col = 0; col < Grid->ColCount(); ++col) {
    fw::Integer widest = Grid->ColWidths(col);
    for (fw::Integer row = 0; row < Grid->RowCount(); ++row) {
      const fw::String text = Grid->Cells(col, row);
      if (text.empty()) continue;
      widest = std::max(widest, fw::MeasureControlText(Grid->Font(), text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx +
                                    kCellPadding);
    }
    if (widest != Grid->ColWidths(col)) Grid->SetColWidths(col, widest);
    total += widest + (lines ? Grid->GridLineWidth() : 0);
  }
  return total;
}

}  // namespace cs
