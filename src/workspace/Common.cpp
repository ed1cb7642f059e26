#include "workspace/Common.h"

#include <exception>

#include "chart/PlotChartGrid.h"
#include "framework/Clipbrd.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/GraphicsObjects.h"
#include "framework/GridsString.h"
#include "platform/user/services/Monitor.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace workspace {

void SplitString(std::string_view Text, std::string_view Delimiters, std::vector<String>& Parts) {
  std::size_t start = 0;
  auto isDelimiter = [&](char c) { return c == '\0' || Delimiters.find(c) != std::string_view::npos; };
  for (std::size_t i = 0; i <= Text.size(); ++i) {
    if (i == Text.size() || isDelimiter(Text[i])) {
      if (i > start) Parts.emplace_back(Text.substr(start, i - start));
      start = i + 1;
    }
  }
}

namespace {

template <class CellText>
String SelectionText(const fw::TGridRect& Block, CellText Cell) {
  String text;
  for (fw::Integer row = Block.Top; row <= Block.Bottom; ++row) {
    for (fw::Integer col = Block.Left; col <= Block.Right; ++col) {
      if (col > Block.Left) text += '\t';
      text += Cell(col, row);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

String GridSelectionText(const chart::TCustomChartGrid& Grid) {
  return SelectionText(Grid.Selection(), [&](fw::Integer Col, fw::Integer Row) { return Grid.CellText(Col, Row); });
}

void CopyGridSelection(const chart::TCustomChartGrid& Grid) {
  fw::Clipboard()->SetAsText(GridSelectionText(Grid));
}

String GridSelectionText(const fw::TStringGrid& Grid) {
  return SelectionText(Grid.Selection(), [&](fw::Integer Col, fw::Integer Row) { return Grid.Cells(Col, Row); });
}

void CopyGridSelection(const fw::TStringGrid& Grid) {
  fw::Clipboard()->SetAsText(GridSelectionText(Grid));
}

String FontDescription(const fw::TFont* Font, bool WithStyle, bool WithColor) {
  if (!Font) return {};
  String text = Font->Name() + ", " + std::to_string(Font->Size()) + "pt";
  if (WithStyle) {
    text += ", [";
    if (Font->Style().Contains(fw::fsBold)) text += 'b';
    if (Font->Style().Contains(fw::fsItalic)) text += 'i';
    if (Font->Style().Contains(fw::fsUnderline)) text += 'u';
    if (Font->Style().Contains(fw::fsStrikeOut)) text += 's';
    text += ']';
  }
  if (WithColor) text += ", " + fw::ColorToString(Font->Color());
  return text;
}

fw::TColor SelectColor(fw::TColor Color) {
  fw::TColorDialog dialog(nullptr);
  dialog.SetColor(Color);
  return dialog.Execute() ? dialog.Color() : Color;
}

bool SelectFont(fw::TFont* Font) {
  if (!Font) return false;
  fw::TFontDialog dialog(nullptr);
  dialog.SetFont(Font);
  if (!dialog.Execute()) return false;
  Font->Assign(dialog.Font());
  return true;
}

bool SaveLoadFormPosition(fw::TControl* Form, bool Save) {
  if (!Form) return false;
  if (!Save) {
    const fw::TRect before{Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + Form->Height()};
    // A settings file that cannot be read leaves the position as it is.
    if (!TPropSaver(true).ReadFormPosition(Form)) return false;
    // A place on no monitor (a screen since removed, a damaged value) would hide the window.
    const win::RECT placed{Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + Form->Height()};
    if (win::MonitorFromRect(&placed, win::MONITOR_DEFAULTTONULL)) return true;
    Form->SetBounds(before.left, before.top, before.right - before.left, before.bottom - before.top);
    return false;
  }
  TPropSaver store(true);
  store.WriteFormPosition(Form);
  // The position is not worth stopping for; a settings file that cannot be written is said once.
  KeepSettings(store);
  return true;
}

TPointPickHandler PointPickHandler;

void CancelPointPick() {
  // The handler may disarm itself (or arm another) while it runs: call a copy.
  if (TPointPickHandler handler = PointPickHandler) handler(-1, -1, false);
}

namespace {
TThemeFormColorHandler& FormColorHandler() {
  static TThemeFormColorHandler handler;
  return handler;
}
}  // namespace

fw::TColor GetThemeFormColor() { return FormColorHandler() ? FormColorHandler()() : fw::clBtnFace; }

void SetThemeFormColorHandler(TThemeFormColorHandler Handler) { FormColorHandler() = std::move(Handler); }

namespace {
TBalloonHintHandler& BalloonHandler() {
  static TBalloonHintHandler handler;
  return handler;
}
}  // namespace

void ShowBalloonHint(const String& Title, const String& Text, fw::Integer BalloonType) {
  if (BalloonHandler()) BalloonHandler()(Title, Text, BalloonType);
}

void SetBalloonHintHandler(TBalloonHintHandler Handler) { BalloonHandler() = std::move(Handler); }

namespace {
TInfoWindowHandler& InfoHandler() {
  static TInfoWindowHandler handler;
  return handler;
}
}  // namespace

void ShowInfoWindow(TPropSaver& Info) {
  if (InfoHandler()) InfoHandler()(Info);
}

namespace {
TFillTemplatesMenuHandler& FillHandler() {
  static TFillTemplatesMenuHandler handler;
  return handler;
}
std::function<bool(int)>& EditHandler() {
  static std::function<bool(int)> handler;
  return handler;
}
}  // namespace

void FillTemplatesMenu(int Kind, fw::TComponent* ParentItem, std::function<void()> OnEdit, TTemplateTextEvent OnTemplate) {
  if (FillHandler() && ParentItem) FillHandler()(Kind, ParentItem, std::move(OnEdit), std::move(OnTemplate));
}

bool EditTemplates(int Kind) { return EditHandler() ? EditHandler()(Kind) : false; }

void SetTemplatesHandlers(TFillTemplatesMenuHandler Fill, std::function<bool(int Kind)> Edit) {
  FillHandler() = std::move(Fill);
  EditHandler() = std::move(Edit);
}

void SetInfoWindowHandler(TInfoWindowHandler Handler) { InfoHandler() = std::move(Handler); }

}  // namespace workspace
