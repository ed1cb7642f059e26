#pragma once
// What the normalise, offset and trim dialogs do, apart from the dialogs: their settings as
// plain records (read from and written to the settings store under the dialogs' sections) and
// the changes they make to the graphs chosen on the chart, each recorded on the undo stack
// where the stack has an entry for it.

#include "framework/ClassesTypes.h"
#include "workspace/GraphCollection.h"

namespace workspace {
class TOperationCollection;
class TPropSaver;
}  // namespace workspace

namespace analysis {

// Section "NORM". Along X the graphs are divided by Factor; along Y by Factor or, with ByMax,
// by each graph's highest Y.
struct TNormParams {
  bool AlongX = false;
  bool ByMax = false;
  double Factor = 1;
  void Load(const workspace::TPropSaver& Store);
  void Save(workspace::TPropSaver& Store) const;
};

// Section "OFFSET": the point brought to 0 (highest, lowest, middle) or a user value added.
enum TOffsetKind { okMax, okMin, okAvg, okUser };
struct TOffsetParams {
  bool Horizontal = true;
  TOffsetKind Kind = okMax;
  double Value = 0;
  void Load(const workspace::TPropSaver& Store);
  void Save(workspace::TPropSaver& Store) const;
};

// Section "TRIM".
struct TTrimParams {
  bool Left = true;
  bool Right = true;
  double LeftValue = 0;
  double RightValue = 0;
  void Load(const workspace::TPropSaver& Store);
  void Save(workspace::TPropSaver& Store) const;
};

// The graphs selected on the chart, in selection order; with none selected the current graph is
// selected first and is the one operand (empty without graphs).
workspace::TGraphArray OperandGraphs(workspace::TGraphCollection& Graphs);

// Each records one undo entry per graph on Undo (when given): the divisor or the offset.
void ApplyNormalize(const TNormParams& Params, workspace::TGraphCollection& Graphs,
                    workspace::TOperationCollection* Undo);
void ApplyOffset(const TOffsetParams& Params, workspace::TGraphCollection& Graphs,
                 workspace::TOperationCollection* Undo);
// One undo entry per graph that lost points, which puts them back.
void ApplyTrim(const TTrimParams& Params, workspace::TGraphCollection& Graphs);

}  // namespace analysis
