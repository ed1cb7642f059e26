#pragma once
// Graphs computed from formulas: y = f(x) over a range of x (kind 1) and x(t), y(t) over a
// range of t (kind 2), the dialogs that make them and re-compute them in place.

#include <string>
#include <utility>
#include <vector>

#include "analysis/ParamGrid.h"
#include "framework/Forms.h"

namespace workspace {
class TGraph;
}
namespace tx {
class TTxSubmenuItem;
}
namespace cs {
class TCsButton;
class TCsEdit;
class TCsMemo;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

class TMathParser;

inline constexpr const char* FuncTooFewPointsMsg = "Слишком мало точек для построения";
inline constexpr const char* FuncParamBadMsg = "Значение параметра \"%s\" задано некорректно";
inline constexpr const char* FuncParamNameBadMsg =
    "Имя параметра \"%s\" не может встретиться в формуле: имя начинается с буквы (латинской или "
    "русской) или \"_\" и состоит из букв, цифр и \"_\"";
inline constexpr const char* FuncBadStepMsg = "Шаг построения должен быть больше нуля";
inline constexpr const char* FuncTooManyPointsMsg = "Шаг слишком мал: точек было бы больше 10000000";
inline constexpr const char* ParamSourceBadMsg = "График не создан по параметрической функции";
inline constexpr double FuncMaxPoints = 1e7;

struct TFuncPoints {
  std::vector<double> X, Y;
};

// Refuses a step that does not advance (zero, negative, not a number, lost in the start's
// precision) or that would make more than FuncMaxPoints points; a reversed range passes.
void CheckFuncRange(double Start, double Stop, double Step);
// Turns "name=value" lines (rows with an empty name or value skipped) into variables of Parser;
// a value that is no number or a name no formula can hold raises the parameter message.
void SetFuncParams(TMathParser& Parser, const std::vector<std::pair<std::string, std::string>>& Params);
// x := Start, Start + Step, ... (by repeated addition) while x <= Stop, y = the parsed formula
// at x; the first failing point raises its error.
TFuncPoints ComputeFunction(TMathParser& Parser, double Start, double Stop, double Step);
// t := Start ... while t < Stop, then t := Stop exactly; points in the order made.
TFuncPoints ComputeParametric(TMathParser& ParserX, TMathParser& ParserY, double Start, double Stop, double Step);

// "name=value;" pairs as lines and back; the name/value split of one line.
std::string ParamsToLines(const std::string& AuxParams);
std::string LinesToParams(const std::string& Lines);
std::vector<std::pair<std::string, std::string>> SplitParamLines(const std::string& Lines);
// The text without its CR and LF characters.
std::string WithoutLineBreaks(std::string Text);

class TwndFuncGraph : public fw::TForm {
 public:
  explicit TwndFuncGraph(fw::TComponent* AOwner);
  ~TwndFuncGraph() override;

  cs::TCsEdit* edTitle = nullptr;
  cs::TLxCsFloatEdit* fedX1 = nullptr;
  cs::TLxCsFloatEdit* fedX2 = nullptr;
  cs::TLxCsFloatEdit* fedStep = nullptr;
  cs::TCsMemo* Memo1 = nullptr;
  TParamGrid* ParamGrid = nullptr;
  cs::TCsButton* butWindow = nullptr;
  cs::TCsButton* butClearAll = nullptr;
  // The "Заготовки" submenu on its toolbar: the templates, then the editor.
  tx::TTxSubmenuItem* butTemplates = nullptr;

  // Rebuilds the "Заготовки" submenu from the settings file.
  void FillExpressionTemplatesMenu();
  // Template N: its parameters appended to the grid's lines, its formula put in at the caret.
  void TemplateClick(int N);

  TFuncPoints Points;
  std::string ExprText;
  std::string GraphTitle;
  bool Accepted = false;

 private:
  void butOkClick();
};

class TwndFuncGraph1 : public fw::TForm {
 public:
  explicit TwndFuncGraph1(fw::TComponent* AOwner);
  ~TwndFuncGraph1() override;

  cs::TCsMemo* Memo1 = nullptr;
  cs::TCsMemo* Memo2 = nullptr;
  cs::TLxCsFloatEdit* fedX1 = nullptr;
  cs::TLxCsFloatEdit* fedX2 = nullptr;
  cs::TLxCsFloatEdit* fedStep = nullptr;
  cs::TCsEdit* edTitle = nullptr;

  TFuncPoints Points;
  std::string ExprX, ExprY;
  std::string GraphTitle;
  bool Accepted = false;

 private:
  void butOkClick();
};

// Runs the y = f(x) dialog: with a graph of kind 1 re-computes it in place, without adds a new
// graph. The parametric dialog likewise for kind 2.
void EditFuncGraph(workspace::TGraph* Graph);
void EditParamFuncGraph(workspace::TGraph* Graph);

}  // namespace analysis
