// The confirmation box and the cursor name table.
#include "chart/PlotPenDlg.h"

#include <array>
#include <utility>

#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/Hooks.h"
#include "platform/user/windows/Window.h"
#include "platform/user/windows/WinUserTypes.h"

namespace chart {

namespace {

const std::array<std::pair<fw::TCursor, const char*>, 23> kCursorNames{{
    {fw::crDefault, "crDefault"},     {fw::crNone, "crNone"},         {fw::crArrow, "crArrow"},
    {fw::crCross, "crCross"},         {fw::crIBeam, "crIBeam"},       {fw::crSizeNESW, "crSizeNESW"},
    {fw::crSizeNS, "crSizeNS"},       {fw::crSizeNWSE, "crSizeNWSE"}, {fw::crSizeWE, "crSizeWE"},
    {fw::crUpArrow, "crUpArrow"},     {fw::crHourGlass, "crHourGlass"}, {fw::crDrag, "crDrag"},
    {fw::crNoDrop, "crNoDrop"},       {fw::crHSplit, "crHSplit"},     {fw::crVSplit, "crVSplit"},
    {fw::crMultiDrag, "crMultiDrag"}, {fw::crSQLWait, "crSQLWait"},   {fw::crNo, "crNo"},
    {fw::crAppStart, "crAppStart"},   {fw::crHelp, "crHelp"},         {fw::crHandPoint, "crHandPoint"},
    {fw::crSizeAll, "crSizeAll"},     {crPlotHand, "crPlotHand"},
}};

// Where the next message box of this thread goes (a CBT hook moves it there when it activates).
win::POINT g_boxPlace{};
win::HHOOK g_boxHook = nullptr;

win::LRESULT PlaceBox(int Code, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code == win::HCBT_ACTIVATE) {
    win::SetWindowPos(win::HWND(WParam), nullptr, g_boxPlace.x, g_boxPlace.y, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    win::UnhookWindowsHookEx(g_boxHook);
    g_boxHook = nullptr;
    return 0;
  }
  return win::CallNextHookEx(g_boxHook, Code, WParam, LParam);
}

}  // namespace

bool PlotYesNo(const String& Message, fw::TControl* Owner) {
  if (fw::Screen) fw::Screen->SetCursor(fw::crDefault);
  if (Owner) {
    g_boxPlace = Owner->ClientToScreen(fw::TPoint{20, 30});
    g_boxHook = win::SetWindowsHookExW(win::WH_CBT, PlaceBox, nullptr, win::GetCurrentThreadId());
  }
  const bool yes = fw::AppMessageBox(Message, win::MB_YESNO | win::MB_ICONQUESTION) == win::IDYES;
  if (g_boxHook) {
    win::UnhookWindowsHookEx(g_boxHook);
    g_boxHook = nullptr;
  }
  return yes;
}

bool PlotYesNoDelete(const String& Name, fw::TControl* Owner) { return PlotYesNo("Delete " + Name + " ?", Owner); }

bool CursorIdentToValue(const String& Ident, Integer& Value) {
  for (const auto& [cursor, name] : kCursorNames)
    if (fw::SameText(Ident, name)) {
      Value = cursor;
      return true;
    }
  return false;
}

bool CursorValueToIdent(Integer Value, String& Ident) {
  for (const auto& [cursor, name] : kCursorNames)
    if (cursor == Value) {
      Ident = name;
      return true;
    }
  return false;
}

fw::TCursor CursorFromName(fw::TCursor Current, const String& Name) {
  Integer value = 0;
  return CursorIdentToValue("cr" + Name, value) ? value : Current;
}

void FillCursorList(fw::TCustomComboBox& Combo, fw::TCursor Current) {
  fw::TStrings* items = Combo.Items();
  items->BeginUpdate();
  for (const auto& entry : kCursorNames) items->Add(String(entry.second).substr(2));
  items->EndUpdate();
  String ident;
  Combo.SetItemIndex(CursorValueToIdent(Current, ident) ? items->IndexOf(ident.substr(2)) : -1);
}

}  // namespace chart
