// The y = f(x) and parametric graph dialogs and the routines that run them.

#include <exception>
#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "analysis/ExpressionTemplates.h"
#include "analysis/TemplatesMenu.h"
#include "analysis/WinTemplateEdit.h"
#include "analysis/FuncGraph.h"
#include "analysis/MathPars.h"
#include "analysis/ParamGrid.h"
#include "analysis/WinEnterText.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/FloatEdit.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/kernel/TextConvert.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"
#include "workspace/Common.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

namespace {

// A formula memo: one line, Enter pressing OK, "." and "," typed as the user's separator.
cs::TCsMemo* MakeFormulaMemo(fw::TWinControl* Parent, const char* Name, TUnits At) {
  auto* memo = MakeAt<cs::TCsMemo>(Parent, Name, At);
  memo->SetText("");
  memo->SetWantReturns(false);
  memo->OnKeyPress = [](fw::TObject*, char16_t& Key) {
    Key = TypedSeparator(Key);
  };
  return memo;
}

void ShowError(const std::exception& e) { fw::AppMessageBox(e.what(), win::MB_ICONERROR); }

// The OK button of these dialogs closes only once the points are made.
void MakeButtons(fw::TForm* Form, int Width, int Height, std::function<void()> Ok) {
  auto* ok = MakeButton(Form, "butOk", u"OK", fw::mrNone, {Width - 112, Height - 18, 52, 14});
  ok->SetDefault(true);
  ok->OnClick = [Ok](fw::TObject*) { Ok(); };
  MakeButton(Form, "butCancel", u"Отмена", fw::mrCancel, {Width - 56, Height - 18, 52, 14})->SetCancel(true);
}

std::unique_ptr<chart::TLineSeries> SeriesOf(TFuncPoints& Points, bool Ordered) {
  auto series = std::make_unique<chart::TLineSeries>(nullptr);
  if (!Ordered) series->XValues()->SetOrder(chart::loNone);
  series->AdoptPoints(std::move(Points.X), std::move(Points.Y));
  return series;
}

// The graph takes the new points in place (a parametric curve keeps its points' order).
void Recompute(workspace::TGraph& Graph, TFuncPoints& Points, bool Ordered) {
  if (auto* undo = workspace::GraphCollection->Operations()) undo->AddRebuild(Graph);
  chart::TChartSeries* series = Graph.Series();
  if (!Ordered) series->XValues()->SetOrder(chart::loNone);
  series->AdoptPoints(std::move(Points.X), std::move(Points.Y));
}

}  // namespace

TwndFuncGraph::TwndFuncGraph(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndFuncGraph", "График функции", 260, 196);
  MakeLabel(this, u"y(x)=", {4, 6, 24, 10});
  Memo1 = MakeFormulaMemo(this, "Memo1", {30, 4, 226, 14});
  butWindow = MakeButton(this, "butWindow", u"Править...", fw::mrNone, {148, 20, 52, 14});
  butWindow->SetHint(u"Редактировать формулу в отдельном окне");
  butWindow->OnClick = [this](fw::TObject*) {
    fw::String text = Memo1->Text();
    if (EnterText("Функция", text, 2, 0)) Memo1->SetText(text);
  };
  butClearAll = MakeButton(this, "butClearAll", u"Очистить", fw::mrNone, {204, 20, 52, 14});
  butClearAll->SetHint(u"Очистить функцию и параметры");
  butClearAll->OnClick = [this](fw::TObject*) {
    Memo1->SetText("");
    ParamGrid->SetText("");
  };
  butTemplates = MakeSubmenuBar(this, "butTemplates", "Заготовки", {60, 19, 84, 15});
  butTemplates->SetHint("Вставить заготовку формулы");
  FillExpressionTemplatesMenu();
  MakeLabel(this, u"PARAMS:", {4, 24, 56, 10});
  ParamGrid = MakeParamGrid(this, {4, 36, 252, 70});
  ParamGrid->OnReturn = [this] { butOkClick(); };
  MakeLabel(this, u"Строить от", {4, 114, 44, 10});
  fedX1 = MakeFloatEdit(this, "fedX1", {50, 112, 56, 12});
  MakeLabel(this, u"до", {110, 114, 12, 10});
  fedX2 = MakeFloatEdit(this, "fedX2", {124, 112, 56, 12});
  MakeLabel(this, u"шаг", {184, 114, 16, 10});
  fedStep = MakeFloatEdit(this, "fedStep", {200, 112, 56, 12});
  MakeLabel(this, u"Заголовок", {4, 134, 44, 10});
  edTitle = MakeAt<cs::TCsEdit>(this, "edTitle", {50, 132, 206, 12});
  edTitle->SetText(u"");
  MakeButtons(this, 260, 196, [this] { butOkClick(); });
}

TwndFuncGraph::~TwndFuncGraph() = default;

void TwndFuncGraph::FillExpressionTemplatesMenu() {
  std::vector<TTemplateMenuEntry> entries;
  try {
    for (const TExpressionTemplate& t : ReadExpressionTemplates(workspace::TPropSaver(ExpressionTemplatesSection, true)))
      entries.push_back({t.Name, t.N});
  } catch (const std::exception&) {
    // A settings file that cannot be read offers no templates; it was said at start.
  }
  FillTemplateItems(butTemplates, entries, "Редактировать заготовки....", [this] {
    if (EditExpressionTemplates()) FillExpressionTemplatesMenu();
  }, [this](int N) { TemplateClick(N); });
}

void TwndFuncGraph::TemplateClick(int N) {
  std::vector<TExpressionTemplate> templates;
  try {
    templates = ReadExpressionTemplates(workspace::TPropSaver(ExpressionTemplatesSection, true));
  } catch (const std::exception& e) {
    ShowError(e);
    return;
  }
  for (const TExpressionTemplate& t : templates) {
    if (t.N != N) continue;
    std::string lines = ParamGrid->Text();
    if (!lines.empty() && lines.back() != '\n') lines += "\r\n";
    ParamGrid->SetText(lines + ParamsToLines(t.Params));
    Memo1->SetSelText(t.Formula);
    return;
  }
}

void TwndFuncGraph::butOkClick() {
  try {
    ExprText = WithoutLineBreaks(Memo1->Text());
    TMathParser parser;
    parser.SetExpression(ExprText);
    parser.SetVariable("x", 0);
    SetFuncParams(parser, SplitParamLines(ParamGrid->Text()));
    parser.Parse();
    Points = ComputeFunction(parser, double(fedX1->Value()), double(fedX2->Value()), double(fedStep->Value()));
  } catch (const std::exception& e) {
    ShowError(e);
    return;
  }
  GraphTitle = edTitle->Text().empty() ? ExprText : win::WideToUtf8(edTitle->Text());
  Accepted = true;
  SetModalResult(fw::mrOk);
}

TwndFuncGraph1::TwndFuncGraph1(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndFuncGraph1", "Параметрический график", 260, 104);
  MakeLabel(this, u"x(t)=", {4, 6, 24, 10});
  Memo1 = MakeFormulaMemo(this, "Memo1", {30, 4, 226, 14});
  Memo1->SetText("sin(t)");
  MakeLabel(this, u"y(t)=", {4, 24, 24, 10});
  Memo2 = MakeFormulaMemo(this, "Memo2", {30, 22, 226, 14});
  Memo2->SetText("cos(t)");
  MakeLabel(this, u"Строить от", {4, 44, 44, 10});
  fedX1 = MakeFloatEdit(this, "fedX1", {50, 42, 56, 12});
  MakeLabel(this, u"до", {110, 44, 12, 10});
  fedX2 = MakeFloatEdit(this, "fedX2", {124, 42, 56, 12});
  MakeLabel(this, u"шаг", {184, 44, 16, 10});
  fedStep = MakeFloatEdit(this, "fedStep", {200, 42, 56, 12});
  MakeLabel(this, u"Заголовок", {4, 64, 44, 10});
  edTitle = MakeAt<cs::TCsEdit>(this, "edTitle", {50, 62, 206, 12});
  edTitle->SetText(u"");
  MakeButtons(this, 260, 104, [this] { butOkClick(); });
}

TwndFuncGraph1::~TwndFuncGraph1() = default;

void TwndFuncGraph1::butOkClick() {
  // Any error keeps the dialog open: a curve cut short at a failing t is no graph to add.
  try {
    ExprX = WithoutLineBreaks(Memo1->Text());
    ExprY = WithoutLineBreaks(Memo2->Text());
    TMathParser parserX, parserY;
    parserX.SetExpression(ExprX);
    parserX.SetVariable("t", 0);
    parserX.Parse();
    parserY.SetExpression(ExprY);
    parserY.SetVariable("t", 0);
    parserY.Parse();
    Points = ComputeParametric(parserX, parserY, double(fedX1->Value()), double(fedX2->Value()),
                               double(fedStep->Value()));
  } catch (const std::exception& e) {
    ShowError(e);
    return;
  }
  GraphTitle = edTitle->Text().empty() ? ExprX + ";" + ExprY : win::WideToUtf8(edTitle->Text());
  Accepted = true;
  SetModalResult(fw::mrOk);
}

void EditFuncGraph(workspace::TGraph* Graph) {
  if (!workspace::GraphCollection) return;
  auto window = std::make_unique<TwndFuncGraph>(fw::Application);
  workspace::TPropSaver store("EXPRESSION_EDIT", true);
  if (Graph) {
    window->Memo1->SetText(Graph->Source);
    window->ParamGrid->SetText(ParamsToLines(Graph->AuxParams));
    window->fedX1->SetValue(Graph->LimStart);
    window->fedX2->SetValue(Graph->LimStop);
    window->fedStep->SetValue(Graph->LimStep);
    window->edTitle->SetText(win::Utf8ToWide(Graph->Series()->Title()));
  } else {
    window->Memo1->SetText(store.ReadString("Function", "sin(x)"));
    window->ParamGrid->SetText(ParamsToLines(store.ReadString("Params", "")));
    window->fedX1->SetValue(store.ReadFloat("Start", workspace::DefaultLimStart));
    window->fedX2->SetValue(store.ReadFloat("Stop", workspace::DefaultLimStop));
    window->fedStep->SetValue(store.ReadFloat("Step", workspace::DefaultLimStep));
  }
  window->ShowModal();
  if (!window->Accepted) return;
  const std::string params = LinesToParams(window->ParamGrid->Text());
  const double start = double(window->fedX1->Value()), stop = double(window->fedX2->Value()),
               step = double(window->fedStep->Value());
  store.WriteString("Function", window->Memo1->Text());
  store.WriteString("Params", params);
  store.WriteFloat("Start", start);
  store.WriteFloat("Stop", stop);
  store.WriteFloat("Step", step);
  workspace::KeepSettings(store);
  if (window->Points.X.size() < 2) {
    fw::AppMessageBox(FuncTooFewPointsMsg, win::MB_ICONERROR);
    return;
  }
  auto& graphs = *workspace::GraphCollection;
  if (Graph && graphs.IndexOf(Graph) >= 0) {
    Recompute(*Graph, window->Points, true);
    Graph->Source = window->ExprText;
    Graph->LimStart = start;
    Graph->LimStop = stop;
    Graph->LimStep = step;
    Graph->AuxParams = params;
    Graph->Series()->SetTitle(win::WideToUtf8(window->edTitle->Text()));
    graphs.Changed();
    return;
  }
  auto series = SeriesOf(window->Points, true);
  graphs.AddGraph(series.get(), window->ExprText,
                  {std::int64_t(workspace::gkExpression), start, stop, step, fw::String(params)}, window->GraphTitle);
  chart::TChartSeries* added = series.release();
  graphs.SelectBySeries(added);
}

void EditParamFuncGraph(workspace::TGraph* Graph) {
  if (!workspace::GraphCollection) return;
  auto window = std::make_unique<TwndFuncGraph1>(fw::Application);
  workspace::TPropSaver store("EXPRESSION1_EDIT", true);
  if (Graph) {
    std::vector<fw::String> fields;
    workspace::SplitString(Graph->Source + std::string(1, '\0'), std::string_view(";\0", 2), fields);
    if (fields.size() < 2) throw win::Exception(ParamSourceBadMsg);
    window->Memo1->SetText(fields[0]);
    window->Memo2->SetText(fields[1]);
    window->fedX1->SetValue(Graph->LimStart);
    window->fedX2->SetValue(Graph->LimStop);
    window->fedStep->SetValue(Graph->LimStep);
    window->edTitle->SetText(win::Utf8ToWide(Graph->Series()->Title()));
  } else {
    window->Memo1->SetText(store.ReadString("FunctionX", "sin(t)"));
    window->Memo2->SetText(store.ReadString("FunctionY", "cos(t)"));
    window->fedX1->SetValue(store.ReadFloat("Start", workspace::DefaultLimStart));
    window->fedX2->SetValue(store.ReadFloat("Stop", workspace::DefaultLimStop));
    window->fedStep->SetValue(store.ReadFloat("Step", workspace::DefaultLimStep));
  }
  window->ShowModal();
  if (!window->Accepted) return;
  const double start = double(window->fedX1->Value()), stop = double(window->fedX2->Value()),
               step = double(window->fedStep->Value());
  store.WriteString("FunctionX", window->Memo1->Text());
  store.WriteString("FunctionY", window->Memo2->Text());
  store.WriteFloat("Start", start);
  store.WriteFloat("Stop", stop);
  store.WriteFloat("Step", step);
  workspace::KeepSettings(store);
  if (window->Points.X.size() < 2) {
    fw::AppMessageBox(FuncTooFewPointsMsg, win::MB_ICONERROR);
    return;
  }
  const fw::String source = window->ExprX + ";" + window->ExprY;
  auto& graphs = *workspace::GraphCollection;
  if (Graph && graphs.IndexOf(Graph) >= 0) {
    Recompute(*Graph, window->Points, false);
    Graph->Source = source;
    Graph->LimStart = start;
    Graph->LimStop = stop;
    Graph->LimStep = step;
    Graph->Series()->SetTitle(win::WideToUtf8(window->edTitle->Text()));
    graphs.Changed();
    return;
  }
  auto series = SeriesOf(window->Points, false);
  graphs.AddGraph(series.get(), source, {std::int64_t(workspace::gkParametric), start, stop, step},
                  window->GraphTitle);
  chart::TChartSeries* added = series.release();
  graphs.SelectBySeries(added);
}

}  // namespace analysis
