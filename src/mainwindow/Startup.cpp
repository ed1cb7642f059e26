#include "mainwindow/Startup.h"

#include <memory>

#include "analysis/AnalysisRegistration.h"
#include "chart/PlotToolsRegistration.h"
#include "chart/PlotHandCursor.h"
#include "chart/Series.h"
#include "controls/CsThemeNexus.h"
#include "controls/UniApplication.h"
#include "controls/UniRegistration.h"
#include "export/PlotStoreCharts.h"
#include "framework/Clipbrd.h"
#include "framework/Forms.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "workspace/DataModule.h"
#include "mainwindow/DragCursors.h"
#include "mainwindow/RusClipboard.h"
#include "mainwindow/SessionEnd.h"
#include "mainwindow/WinMain.h"

namespace workspace {

namespace {
fw::TClipboard* g_previousClipboard = nullptr;
bool g_started = false;
}  // namespace

void StartProgram() {
  if (g_started) return;
  g_started = true;
  // The toolbar themes: "Default" comes with the engine, the rest in the theme menu's order.
  tx::InitTx();
  cs::StartControlSet();
  themes::RegisterThemes();
  // The wide classes and the spin edit with their stream properties.
  cs::RegisterUnicodeControls();
  // The wide application title and hint, and wide characters through the message loop.
  cs::StartUniApplication();
  chart::RegisterLineSeriesClasses();
  chart::RegisterChartTools();
  chart::RegisterPlotHandCursor();
  LoadDragCursors();
  analysis::RegisterAnalysis();
  kvexport::RegisterPlotStoreClasses();
  g_previousClipboard = fw::SetClipboard(new TRusClipboard);
  fw::Application->SetTitle(ApplicationTitle);
}

void FinishProgram() {
  if (!g_started) return;
  g_started = false;
  delete fw::SetClipboard(g_previousClipboard);
  g_previousClipboard = nullptr;
  kvexport::UnRegisterPlotStoreClasses();
  analysis::UnRegisterAnalysis();
  chart::UnRegisterChartTools();
  cs::StopUniApplication();
  cs::StopControlSet();
  tx::DoneTx();
}

int RunKorvalin() {
  StartProgram();
  fw::Application->Initialize();
  // A session's end (SIGTERM, SIGHUP, SIGINT) is answered from the message loop from now on.
  auto sessionEnd = std::make_unique<TSessionEndWatch>();
  // The shared images come first: the main window's menus and actions link to them.
  new TDataModule1(fw::Application);
  auto* mainForm = fw::Application->CreateForm<TwndKorvalinMain>();
  fw::Application->Run();
  // The main form closed: it saved the settings and let its graphs go. Ended by a session's end
  // instead, it closes now, without its question.
  mainForm->CloseWithoutQuestions();
  sessionEnd.reset();
  delete fw::Application->MainForm();
  FinishProgram();
  return 0;
}

}  // namespace workspace
