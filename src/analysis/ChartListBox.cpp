#include "analysis/ChartListBox.h"

#include <vector>

#include "chart/Chart.h"
#include "chart/PlotHandCursor.h"
#include "chart/PlotPenDlg.h"
#include "chart/PlotProcs.h"
#include "framework/Colors.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StringList.h"
#include "platform/user/services/Beep.h"
#include "platform/user/windows/WinUserTypes.h"

namespace analysis {

using chart::TChartSeries;

TChartListBox::TChartListBox(fw::TComponent* AOwner) : fw::TCustomListBox(AOwner) {
  SetStyle(fw::lbOwnerDrawFixed);
  SetItemHeight(24);
  SetSorted(false);
}

TChartListBox::~TChartListBox() {
  SetChart(nullptr);
  // The edit is owned by this list box and freed with it.
}

void TChartListBox::SetChart(chart::TCustomAxisPanel* Value) {
  if (FChart == Value) return;
  if (FChart) {
    FChart->RemoveListener(this);
    FChart->RemoveFreeNotification(this);
  }
  FChart = Value;
  if (FChart) {
    FChart->FreeNotification(this);
    FChart->AddListener(this);
    FillSeries(nullptr);
  } else if (!ComponentState().Contains(fw::csDestroying)) {
    Clear();
    CopyRowsToOtherItems();
  }
}

void TChartListBox::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TCustomListBox::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FChart) {
    // The chart is going: it no longer needs to be told we stop listening.
    FChart = nullptr;
    if (!ComponentState().Contains(fw::csDestroying)) {
      Clear();
      CopyRowsToOtherItems();
    }
  }
}

void TChartListBox::SetParent(fw::TWinControl* AParent) {
  fw::TCustomListBox::SetParent(AParent);
  if (AParent && Items()->Count() == 0 && fw::TCustomListBox::ItemIndex() != -1) SetItemIndex(-1);
}

Integer TChartListBox::ItemIndex() {
  return Items()->Count() == 0 ? -1 : fw::TCustomListBox::ItemIndex();
}

void TChartListBox::SelectAll() {
  if (!MultiSelect()) return;
  fw::TCustomListBox::SelectAll();
  DoRefresh();
}

void TChartListBox::SetCheckStyle(TCheckBoxesStyle Value) {
  if (FCheckStyle == Value) return;
  FCheckStyle = Value;
  if (FCheckStyle == cbsRadio && FChart) {
    bool seen = false;
    for (TChartSeries* s : FChart->SeriesList()) {
      if (s->Active() && seen) s->SetActive(false);
      if (s->Active()) seen = true;
    }
  }
  Invalidate();
}

void TChartListBox::SetColumnVisible(Integer Column, bool Value) {
  if (FColumns[Column].Visible == Value) return;
  FColumns[Column].Visible = Value;
  Invalidate();
}

Integer TChartListBox::SectionLeft(Integer Column) const {
  Integer left = 0;
  for (Integer c = 0; c < Column; ++c)
    if (FColumns[c].Visible) left += FColumns[c].Width;
  return left;
}

bool TChartListBox::PointInSection(const fw::TPoint& P, Integer Column) const {
  if (!FColumns[Column].Visible) return false;
  const Integer left = SectionLeft(Column);
  return P.x > left && P.x < left + FColumns[Column].Width;
}

TChartSeries* TChartListBox::SeriesAt(Integer Row) {
  if (Row < 0 || Row >= Items()->Count()) return nullptr;
  return static_cast<TChartSeries*>(Items()->Objects(Row));
}

TChartSeries* TChartListBox::SelectedSeries() { return SeriesAt(ItemIndex()); }

void TChartListBox::DoRefresh() {
  if (OnRefresh) OnRefresh(this);
}

void TChartListBox::OtherItemsChanged() {
  if (OnOtherItemsChange) OnOtherItemsChange(this);
}

void TChartListBox::CopyRowsToOtherItems() {
  if (!FOtherItems) return;
  FOtherItems->BeginUpdate();
  FOtherItems->Clear();
  for (Integer i = 0; i < Items()->Count(); ++i) FOtherItems->AddObject(Items()->Strings(i), Items()->Objects(i));
  FOtherItems->EndUpdate();
}

void TChartListBox::SetOtherItems(fw::TStrings* Value) {
  if (FOtherItems == Value) return;
  FOtherItems = Value;
  if (!FOtherItems) return;
  CopyRowsToOtherItems();
  OtherItemsChanged();
}

void TChartListBox::FillSeries(TChartSeries* Series) {
  Items()->BeginUpdate();
  Clear();
  if (FChart) chart::ListSeriesInStrings(Items(), FChart->SeriesList());
  Items()->EndUpdate();
  CopyRowsToOtherItems();
  ++FFills;
  if (Items()->Count() > 0) {
    Integer row = Series ? Items()->IndexOfObject(Series) : -1;
    if (row < 0) row = 0;
    if (MultiSelect())
      SetSelected(row, true);
    else
      SetItemIndex(row);
  }
  OtherItemsChanged();
  DoRefresh();
}

void TChartListBox::UpdateSeries() { FillSeries(SelectedSeries()); }

bool TChartListBox::AppendRow(TChartSeries* Series) {
  // A refill would also drop a multiple selection.
  if (!FChart || MultiSelect()) return false;
  const chart::TChartSeriesList& list = FChart->SeriesList();
  const Integer n = Items()->Count();
  // The rows must be the chart's series before it, the new one last.
  if (list.Count() != n + 1 || list.Items(n) != Series) return false;
  if (n > 0 && Items()->Objects(n - 1) != list.Items(n - 1)) return false;
  TChartSeries* selected = SelectedSeries();
  const String name = chart::SeriesDisplayName(Series, &list);
  Items()->AddObject(name, Series);
  if (FOtherItems) FOtherItems->AddObject(name, Series);
  if (!selected) SetItemIndex(0);
  OtherItemsChanged();
  DoRefresh();
  return true;
}

void TChartListBox::MoveSeries(Integer From, Integer To) {
  TChartSeries* from = SeriesAt(From);
  TChartSeries* to = SeriesAt(To);
  if (!from || !to || From == To) return;
  // The rows change first so that the chart's swap event refills them in the same order.
  Items()->Exchange(From, To);
  if (FOtherItems && From < FOtherItems->Count() && To < FOtherItems->Count()) FOtherItems->Exchange(From, To);
  const unsigned fills = FFills;
  if (OnExchangeSeries)
    OnExchangeSeries(from, to);
  else if (FChart)
    FChart->ExchangeSeries(from, to);
  // The chart's swap event refilled the rows and said so; without one the exchange is told here.
  if (FFills == fills) OtherItemsChanged();
  if (OnChangeOrder) OnChangeOrder(this, from, to);
  if (CanFocus()) SetFocus();
  SetItemIndex(Items()->IndexOfObject(from));
  DoRefresh();
}

void TChartListBox::RenameSeries() {
  TChartSeries* s = SelectedSeries();
  if (!s || !ShowSeriesTitle()) return;
  if (!FEdit) {
    FEdit = new fw::TEdit(this);
    FEdit->SetVisible(false);
    FEdit->SetParent(this);
    FEdit->OnKeyDown = [this](fw::TObject* Sender, fw::Word& Key, fw::TShiftState Shift) {
      EditKeyDown(Sender, Key, Shift);
    };
    FEdit->OnKeyPress = [this](fw::TObject* Sender, char16_t& Key) { EditKeyPress(Sender, Key); };
  }
  const fw::TRect r = ItemRect(ItemIndex());
  FEdit->SetBounds(SectionLeft(clbTitle) - 2, r.top, FColumns[clbTitle].Width, r.bottom - r.top);
  FEdit->SetText(chart::SeriesDisplayName(s));
  FEdit->SetVisible(true);
  if (FEdit->CanFocus()) FEdit->SetFocus();
  FEdit->SelectAll();
}

void TChartListBox::EditKeyDown(fw::TObject*, fw::Word& Key, fw::TShiftState) {
  switch (Key) {
    case win::VK_RETURN:
    case win::VK_UP:
    case win::VK_DOWN:
    case win::VK_F2:
      CloseEdit(true);
      if (Key == win::VK_RETURN) Key = 0;
      break;
    case win::VK_ESCAPE:
      CloseEdit(false);
      Key = 0;
      break;
    default: break;
  }
}

void TChartListBox::EditKeyPress(fw::TObject*, char16_t& Key) {
  // The characters of Enter and Esc would only beep in a single-line edit.
  if (Key == u'\r' || Key == u'\x1b') Key = 0;
}

void TChartListBox::CloseEdit(bool Store) {
  if (!FEdit || !FEdit->Visible()) return;
  TChartSeries* s = SelectedSeries();
  const String title = FEdit->Text();
  FEdit->SetVisible(false);
  if (Store && s) {
    if (title.find_first_not_of(' ') == String::npos) {
      // A series without a title would show its component name instead: keep the old one.
      win::MessageBeep(0);
    } else if (title != chart::SeriesDisplayName(s)) {
      if (OnSetSeriesTitle)
        OnSetSeriesTitle(s, title);
      else
        s->SetTitle(title);
    }
  }
  if (CanFocus()) SetFocus();
  Invalidate();
}

void TChartListBox::DeleteSeries() {
  if (ItemIndex() < 0) return;
  std::vector<TChartSeries*> doomed;
  if (MultiSelect()) {
    for (Integer i = 0; i < Items()->Count(); ++i)
      if (Selected(i)) doomed.push_back(SeriesAt(i));
  } else {
    doomed.push_back(SelectedSeries());
  }
  if (doomed.empty()) return;
  if (FAskDelete) {
    const String name = doomed.size() > 1 ? String("(Selected Series)") : chart::SeriesDisplayName(doomed[0]);
    if (!chart::PlotYesNoDelete(name, this)) return;
  }
  // Freeing a series takes it off the chart, whose removal event deletes its row.
  for (TChartSeries* s : doomed) delete s;
  if (Items()->Count() > 0) SetItemIndex(0);
  DoRefresh();
}

void TChartListBox::ToggleActive(TChartSeries* Series) {
  if (FCheckStyle == cbsRadio && FChart) {
    for (TChartSeries* s : FChart->SeriesList()) s->SetActive(s == Series);
  } else {
    Series->SetActive(!Series->Active());
  }
  if (!Series->ParentChart()) Invalidate();
  if (OnChangeActive) OnChangeActive(this, Series);
}

void TChartListBox::ChangeColor(TChartSeries* Series) {
  fw::TColor color = Series->SeriesColor();
  if (!chart::EditColorDialog(this, color)) return;
  Series->SetSeriesColor(color);
  Series->SetColorEachPoint(false);
  if (OnChangeColor) OnChangeColor(this, Series);
}

void TChartListBox::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  CloseEdit(true);
  fw::TCustomListBox::MouseDown(Button, Shift, X, Y);
  FPress = fw::TPoint{X, Y};
  FDragRow = -1;
  const Integer row = ItemAtPos(FPress, true);
  TChartSeries* s = SeriesAt(row);
  if (s && PointInSection(FPress, clbActive)) {
    ToggleActive(s);
  } else if (s && FEnableDragSeries && PointInSection(FPress, clbTitle) && Button == fw::mbLeft &&
             !Shift.Contains(fw::ssShift) && !Shift.Contains(fw::ssCtrl) && !Shift.Contains(fw::ssDouble) &&
             !FDblClicked) {
    FDragRow = row;
  }
  FDblClicked = false;
  OtherItemsChanged();
}

void TChartListBox::MouseMove(fw::TShiftState Shift, Integer X, Integer Y) {
  fw::TCustomListBox::MouseMove(Shift, X, Y);
  const fw::TPoint p{X, Y};
  if (FDragRow >= 0)
    SetCursor(fw::crDrag);
  else if ((FEnableChangeType && PointInSection(p, clbIcon)) || (FEnableChangeColor && PointInSection(p, clbColor)))
    SetCursor(chart::crPlotHand);
  else
    SetCursor(fw::crDefault);
}

void TChartListBox::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  fw::TCustomListBox::MouseUp(Button, Shift, X, Y);
  const Integer from = FDragRow;
  FDragRow = -1;
  if (from < 0) return;
  SetCursor(fw::crDefault);
  const Integer to = ItemAtPos(fw::TPoint{X, Y}, true);
  if (to >= 0 && to != from) MoveSeries(from, to);
}

void TChartListBox::DblClick() {
  fw::TCustomListBox::DblClick();
  FDblClicked = true;
  FDragRow = -1;
  const Integer row = ItemIndex();
  TChartSeries* s = SeriesAt(row);
  if (!s) return;
  if (FEnableChangeType && PointInSection(FPress, clbIcon)) {
    ChangeTypeSeries();
  } else if (FEnableChangeColor && PointInSection(FPress, clbColor)) {
    ChangeColor(s);
  } else if (PointInSection(FPress, clbTitle)) {
    if (OnDblClickSeries) OnDblClickSeries(this, row);
  }
}

void TChartListBox::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  fw::TCustomListBox::KeyDown(Key, Shift);
  switch (Key) {
    case win::VK_INSERT:
      if (FAllowAddSeries) AddSeries();
      break;
    case win::VK_DELETE:
      if (FAllowDeleteSeries) DeleteSeries();
      break;
    case win::VK_F2:
      if (SelectedSeries()) RenameSeries();
      break;
    default: break;
  }
}

void TChartListBox::DrawItem(Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
  fw::TCanvas& canvas = *Canvas();
  TChartSeries* s = SeriesAt(Index);
  const bool highlighted = State.Contains(fw::odSelected) || (!Focused() && Index == ItemIndex());
  canvas.Brush()->SetStyle(fw::bsSolid);
  canvas.Brush()->SetColor(highlighted ? fw::clHighlight : Color());
  canvas.FillRect(Rect);
  if (!s) return;
  const Integer rowHeight = Rect.bottom - Rect.top;
  if (ShowSeriesIcon()) {
    const Integer left = SectionLeft(clbIcon);
    chart::PlotDrawClassBitmap(canvas, win::RECT{Rect.left + left + 2, Rect.top + 2, Rect.left + left + 24, Rect.bottom - 2},
                               s);
  }
  if (ShowActiveCheck()) {
    chart::DrawCheckBox(canvas, Rect.left + SectionLeft(clbActive) + 2, Rect.top + (rowHeight - 13) / 2, s->Active(),
                        FCheckStyle == cbsRadio);
  }
  if (ShowSeriesColor()) {
    const Integer left = SectionLeft(clbColor);
    chart::DrawSeriesSymbolInRect(s, canvas,
                                  win::RECT{Rect.left + left + 2, Rect.top + 2, Rect.left + left + 24, Rect.bottom - 2});
  }
  if (ShowSeriesTitle()) {
    canvas.Font()->Assign(Font());
    canvas.Font()->SetColor(highlighted ? fw::clHighlightText : Font()->Color());
    canvas.Brush()->SetStyle(fw::bsClear);
    const Integer textHeight = canvas.TextHeight("W");
    canvas.TextOut(Rect.left + SectionLeft(clbTitle) + 1, Rect.top + (rowHeight - textHeight) / 2, Items()->Strings(Index));
    canvas.Brush()->SetStyle(fw::bsSolid);
  }
}

void TChartListBox::SeriesEvent(TChartSeries* Series, chart::TChartSeriesEvent Event) {
  if (ComponentState().Contains(fw::csDestroying)) return;
  switch (Event) {
    case chart::seAdd:
      if (!AppendRow(Series)) UpdateSeries();
      break;
    case chart::seSwap: UpdateSeries(); break;
    case chart::seRemove: {
      const Integer row = Items()->IndexOfObject(Series);
      if (row >= 0) Items()->Delete(row);
      const Integer other = FOtherItems ? FOtherItems->IndexOfObject(Series) : -1;
      if (other >= 0) FOtherItems->Delete(other);
      if (OnRemovedSeries) OnRemovedSeries(this, Series);
      if (row >= 0 || other >= 0) OtherItemsChanged();
      break;
    }
    case chart::seChangeTitle: {
      const Integer row = Items()->IndexOfObject(Series);
      if (row < 0) break;
      // The platform list replaces a row's text by deleting and inserting it, which drops its
      // selection.
      const bool selected = MultiSelect() ? Selected(row) : ItemIndex() == row;
      const String name = chart::SeriesDisplayName(Series, FChart ? &FChart->SeriesList() : nullptr);
      Items()->SetStrings(row, name);
      const Integer other = FOtherItems ? FOtherItems->IndexOfObject(Series) : -1;
      if (other >= 0) FOtherItems->SetStrings(other, name);
      if (selected && MultiSelect())
        SetSelected(row, true);
      else if (selected)
        SetItemIndex(row);
      OtherItemsChanged();
      break;
    }
    case chart::seChangeColor:
    case chart::seChangeActive: Invalidate(); break;
    case chart::seDataChanged: break;
  }
}

}  // namespace analysis
