#pragma once
// Finds what a user sees as a broken dialog with the fonts the dialogs really use: a control
// reaching past its parent's client area (cut), a caption wider than its control or group box,
// two sibling controls on top of each other, a grid cell or a list line wider than its column
// or list, grid columns wider than their grid. Every page of a page control is checked, shown or not.

#include <algorithm>
#include <string>
#include <vector>

#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "framework/Controls.h"
#include "framework/GridsString.h"
#include "framework/PageControl.h"
#include "framework/StdCtrlsList.h"
#include "framework/StdCtrlsText.h"
#include "framework/StringList.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"

namespace layoutcheck {

inline fw::Integer TextWidth(fw::TFont* Font, const std::string& Text) {
  return fw::MeasureControlText(Font, Text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx;
}

inline std::string NameOf(fw::TControl* C) {
  std::string caption = C->Caption();
  if (auto* t = dynamic_cast<cs::TCsTextObject*>(C)) caption = win::WideToUtf8(t->Caption());
  return (C->Name().empty() ? std::string("<unnamed>") : C->Name()) + " \"" + caption + "\"";
}

inline std::string Box(const fw::TRect& R) {
  return "(" + std::to_string(R.left) + "," + std::to_string(R.top) + ")-(" + std::to_string(R.right) + "," +
         std::to_string(R.bottom) + ")";
}

inline bool Intersect(const fw::TRect& A, const fw::TRect& B) {
  return A.left < B.right && B.left < A.right && A.top < B.bottom && B.top < A.bottom;
}

// A check box put over the leading blanks of a sibling group box's caption is meant to sit there,
// as long as it ends before the caption's text begins (the caption starts 8 pixels in).
inline bool OverCaptionBlanks(fw::TControl* A, fw::TControl* B) {
  auto* group = dynamic_cast<cs::TCsGroupBox*>(B);
  if (group == nullptr) return false;
  const std::string caption = win::WideToUtf8(group->Caption());
  const std::size_t blanks = caption.find_first_not_of(' ');
  if (blanks == 0 || blanks == std::string::npos) return false;
  const fw::TRect g = group->BoundsRect(), a = A->BoundsRect();
  const fw::Integer band = fw::MeasureControlText(group->Font(), "Wy", win::DT_SINGLELINE, 0).cy;
  const fw::Integer textLeft = g.left + 8 + TextWidth(group->Font(), caption.substr(0, blanks));
  return a.top >= g.top - 2 && a.bottom <= g.top + band + 6 && a.left >= g.left && a.right <= textLeft;
}

inline void Check(fw::TWinControl* Parent, const fw::TRect& Client, std::vector<std::string>& Faults);

inline void CheckControl(fw::TControl* C, const fw::TRect& Client, std::vector<std::string>& Faults) {
  const fw::TRect r = C->BoundsRect();
  if (r.left < Client.left || r.top < Client.top || r.right > Client.right || r.bottom > Client.bottom)
    Faults.push_back(NameOf(C) + " reaches past its parent " + Box(r) + " in " + Box(Client));
  if (auto* t = dynamic_cast<cs::TCsTextObject*>(C); t != nullptr && !t->Caption().empty()) {
    fw::TRect all{}, text{}, glyph{};
    t->GetTextRects(all, text, glyph);
    if (text.right > C->Width() || text.left < 0 || text.bottom > C->Height())
      Faults.push_back(NameOf(C) + " cuts its caption");
  }
  if (auto* g = dynamic_cast<cs::TCsGroupBox*>(C); g != nullptr && !g->Caption().empty()) {
    if (TextWidth(g->Font(), win::WideToUtf8(g->Caption())) + 16 > g->Width()) Faults.push_back(NameOf(C) + " cuts its caption");
  }
  if (auto* grid = dynamic_cast<fw::TStringGrid*>(C)) {
    // Every cell, headings and values alike, and the columns together within a grid that cannot
    // scroll sideways.
    const bool lines = grid->Options().Contains(fw::goVertLine) || grid->Options().Contains(fw::goFixedVertLine);
    fw::Integer columns = 0;
    for (fw::Integer col = 0; col < grid->ColCount(); ++col)
      columns += grid->ColWidths(col) + (lines ? grid->GridLineWidth() : 0);
    const bool scrolls = grid->ScrollBars() == fw::ssHorizontal || grid->ScrollBars() == fw::ssBoth;
    if (!scrolls && columns > grid->ClientWidth())
      Faults.push_back(NameOf(C) + " cuts its last column (" + std::to_string(columns) + " px in " +
                       std::to_string(grid->ClientWidth()) + ")");
    for (fw::Integer row = 0; row < grid->RowCount(); ++row)
      for (fw::Integer col = 0; col < grid->ColCount(); ++col)
        if (TextWidth(grid->Font(), grid->Cells(col, row)) + 4 > grid->ColWidths(col))
          Faults.push_back(NameOf(C) + " cuts " + (row < grid->FixedRows() ? "heading" : "cell") + " \"" +
                           grid->Cells(col, row) + "\"");
    // A heading shows whole at the grid's first position, scrolling or not: the user reads
    // what each column is for before typing into it.
    fw::Integer left = 0;
    for (fw::Integer col = 0; col < grid->ColCount(); ++col) {
      for (fw::Integer row = 0; row < grid->FixedRows(); ++row)
        if (left + 2 + TextWidth(grid->Font(), grid->Cells(col, row)) > grid->ClientWidth())
          Faults.push_back(NameOf(C) + " cuts heading \"" + grid->Cells(col, row) + "\" at its edge");
      left += grid->ColWidths(col) + (lines ? grid->GridLineWidth() : 0);
    }
  }
  if (auto* list = dynamic_cast<fw::TCustomListBox*>(C)) {
    for (fw::Integer i = 0; i < list->Items()->Count(); ++i)
      if (TextWidth(list->Font(), list->Items()->Strings(i)) + 4 > list->ClientWidth())
        Faults.push_back(NameOf(C) + " cuts line \"" + list->Items()->Strings(i) + "\"");
  }
}

// Client: Parent's client area (a page not shown has the shown page's).
inline void Check(fw::TWinControl* Parent, const fw::TRect& Client, std::vector<std::string>& Faults) {
  if (auto* pages = dynamic_cast<fw::TPageControl*>(Parent)) {
    const fw::TRect shown = pages->ActivePage() ? pages->ActivePage()->ClientRect() : fw::TRect{};
    for (fw::Integer i = 0; i < pages->PageCount(); ++i) Check(pages->Pages(i), shown, Faults);
    return;
  }
  const fw::TRect client = Client;
  std::vector<fw::TControl*> shown;
  for (fw::Integer i = 0; i < Parent->ControlCount(); ++i)
    if (Parent->Controls(i)->Visible()) shown.push_back(Parent->Controls(i));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    CheckControl(shown[i], client, Faults);
    for (std::size_t j = i + 1; j < shown.size(); ++j)
      if (Intersect(shown[i]->BoundsRect(), shown[j]->BoundsRect()) && !OverCaptionBlanks(shown[i], shown[j]) &&
          !OverCaptionBlanks(shown[j], shown[i]))
        Faults.push_back(NameOf(shown[i]) + " " + Box(shown[i]->BoundsRect()) + " overlaps " + NameOf(shown[j]) + " " +
                         Box(shown[j]->BoundsRect()));
    if (auto* w = dynamic_cast<fw::TWinControl*>(shown[i])) Check(w, w->ClientRect(), Faults);
  }
}

// Every fault of Form, as "<what>" lines.
inline std::vector<std::string> Faults(fw::TWinControl* Form) {
  std::vector<std::string> out;
  Check(Form, Form->ClientRect(), out);
  return out;
}

}  // namespace layoutcheck
