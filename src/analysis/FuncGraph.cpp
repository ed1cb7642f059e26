#include "analysis/FuncGraph.h"

#include <cmath>

#include "analysis/MathPars.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Exceptions.h"

namespace analysis {

void CheckFuncRange(double Start, double Stop, double Step) {
  if (!(Step > 0) || !std::isfinite(Step) || !std::isfinite(Start) || !std::isfinite(Stop) || Start + Step == Start)
    throw win::Exception(FuncBadStepMsg);
  if (Stop >= Start && (Stop - Start) / Step + 1 > FuncMaxPoints) throw win::Exception(FuncTooManyPointsMsg);
}

void SetFuncParams(TMathParser& Parser, const std::vector<std::pair<std::string, std::string>>& Params) {
  for (const auto& [name, text] : Params) {
    if (name.empty() || text.empty()) continue;
    if (!TMathParser::IsName(name)) throw win::Exception(fw::Format(FuncParamNameBadMsg, name));
    double value = 0;
    if (!fw::TryStrToFloat(text, value)) throw win::Exception(fw::Format(FuncParamBadMsg, name));
    Parser.SetVariable(name, value);
  }
}

namespace {

// About how many steps from Start reach Stop, one or two over (the sum of the steps rounds).
std::size_t PointsBetween(double Start, double Stop, double Step) {
  return Stop >= Start ? std::size_t((Stop - Start) / Step) + 2 : 1;
}

}  // namespace

TFuncPoints ComputeFunction(TMathParser& Parser, double Start, double Stop, double Step) {
  CheckFuncRange(Start, Stop, Step);
  TFuncPoints p;
  // Room for every point at once (the range check bounds the count): the arrays never move.
  p.X.reserve(PointsBetween(Start, Stop, Step));
  for (double x = Start; Stop >= x; x += Step) p.X.push_back(x);
  p.Y.resize(p.X.size());
  if (!p.X.empty()) Parser.EvaluateBlock("x", p.X.data(), p.Y.data(), p.X.size());
  return p;
}

TFuncPoints ComputeParametric(TMathParser& ParserX, TMathParser& ParserY, double Start, double Stop, double Step) {
  CheckFuncRange(Start, Stop, Step);
  TFuncPoints p;
  std::vector<double> t;
  t.reserve(PointsBetween(Start, Stop, Step));
  for (double v = Start; Stop > v; v += Step) t.push_back(v);
  t.push_back(Stop);
  p.X.resize(t.size());
  p.Y.resize(t.size());
  ParserX.EvaluateBlock("t", t.data(), p.X.data(), t.size());
  ParserY.EvaluateBlock("t", t.data(), p.Y.data(), t.size());
  return p;
}

std::string ParamsToLines(const std::string& AuxParams) {
  std::string lines;
  for (char c : AuxParams) {
    if (c == ';')
      lines += "\r\n";
    else
      lines += c;
  }
  return lines;
}

std::string LinesToParams(const std::string& Lines) {
  std::string params;
  std::size_t start = 0;
  while (start < Lines.size()) {
    std::size_t end = Lines.find_first_of("\r\n", start);
    if (end == std::string::npos) end = Lines.size();
    params += Lines.substr(start, end - start) + ";";
    if (end < Lines.size() && Lines[end] == '\r' && end + 1 < Lines.size() && Lines[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return params;
}

std::vector<std::pair<std::string, std::string>> SplitParamLines(const std::string& Lines) {
  std::vector<std::pair<std::string, std::string>> rows;
  const std::string params = LinesToParams(Lines);
  std::size_t start = 0;
  while (start < params.size()) {
    const std::size_t end = params.find(';', start);
    const std::string row = params.substr(start, end - start);
    const std::size_t eq = row.find('=');
    if (eq == std::string::npos)
      rows.emplace_back(row, std::string());
    else
      rows.emplace_back(row.substr(0, eq), row.substr(eq + 1));
    start = end + 1;
  }
  return rows;
}

std::string WithoutLineBreaks(std::string Text) {
  std::erase_if(Text, [](char c) { return c == '\r' || c == '\n'; });
  return Text;
}

}  // namespace analysis
