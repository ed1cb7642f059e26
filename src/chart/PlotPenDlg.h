#pragma once
// Small services of the chart's editors: a yes/no confirmation box placed by its owner, and
// cursor names and numbers, with the chart's own hand cursor "crPlotHand".

#include "chart/PlotHandCursor.h"
#include "framework/ClassesTypes.h"
#include "framework/Controls.h"

namespace fw {
class TCustomComboBox;
}

namespace chart {

using fw::Integer;
using fw::String;

// Yes and No; with an owner the box sits at the owner's client origin plus (20, 30). True for Yes.
bool PlotYesNo(const String& Message, fw::TControl* Owner);
// "Delete <Name> ?"
bool PlotYesNoDelete(const String& Name, fw::TControl* Owner);

bool CursorIdentToValue(const String& Ident, Integer& Value);
bool CursorValueToIdent(Integer Value, String& Ident);
// The cursor named "cr" + Name, else Current.
fw::TCursor CursorFromName(fw::TCursor Current, const String& Name);
// The standard cursor names and "PlotHand", each without "cr"; Current's name selected.
void FillCursorList(fw::TCustomComboBox& Combo, fw::TCursor Current);

}  // namespace chart
