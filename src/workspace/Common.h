#pragma once
// Small routines the dialogs and windows of the whole program share: splitting text at
// delimiters, copying a grid's selection, describing a font, picking a colour or a font, form
// positions, the dialogs' form colour and the main window's information balloon.

#include <functional>
#include <string_view>
#include <vector>

#include "framework/Colors.h"
#include "framework/ClassesTypes.h"

namespace fw {
class TComponent;
class TFont;
class TControl;
class TStringGrid;
}  // namespace fw

namespace chart {
class TCustomChartGrid;
}  // namespace chart

namespace workspace {

class TPropSaver;
using fw::String;

// Appends to Parts each non-empty run of characters between delimiters. A NUL character is a
// delimiter as well, so a text ending in NUL yields its last field too.
void SplitString(std::string_view Text, std::string_view Delimiters, std::vector<String>& Parts);

// "Name, 10pt", then ", [biu s]" style letters when WithStyle (bold, italic, underline,
// strike-out, only those set), then ", " and the colour's name when WithColor.
String FontDescription(const fw::TFont* Font, bool WithStyle, bool WithColor);

// The selected cell block of Grid as its cells show it: cells separated by TAB, each row ended
// by CR LF. CopyGridSelection puts that text on the clipboard.
String GridSelectionText(const chart::TCustomChartGrid& Grid);
void CopyGridSelection(const chart::TCustomChartGrid& Grid);
String GridSelectionText(const fw::TStringGrid& Grid);
void CopyGridSelection(const fw::TStringGrid& Grid);

// The colour dialog: the chosen colour, or Color when cancelled.
fw::TColor SelectColor(fw::TColor Color);
// The font dialog on Font: true (and Font changed) on OK.
bool SelectFont(fw::TFont* Font);

// Reads (Save false) or writes (Save true) the form's position in the settings file's section
// "PREFERENCES", under the form's name followed by "Position"; writing saves the file. Reading
// is true when the form took a stored place; a place on no monitor is not taken.
bool SaveLoadFormPosition(fw::TControl* Form, bool Save);

// The background colour for dialogs from the current toolbar theme (clBtnFace while no theme
// of its own is active).
fw::TColor GetThemeFormColor();
// Upward seam (workspace -> main window): the main window installs the current theme's colour;
// without a handler dialogs take clBtnFace.
using TThemeFormColorHandler = std::function<fw::TColor()>;
void SetThemeFormColorHandler(TThemeFormColorHandler Handler);

// Upward seam (workspace -> analysis windows): the windows of the analysis library arm this
// handler; the workspace calls it when all graphs are deleted, the main window on a press or Esc.
// The armed point pick, or none. While one is armed, a left press on the main chart goes to it
// (with Accept true) instead of to the chart; Esc in the main window and deleting all graphs
// cancel it with (-1, -1, false). A window arming a pick cancels any armed one first, and its
// handler disarms itself after one pick.
using TPointPickHandler = std::function<void(fw::Integer X, fw::Integer Y, bool Accept)>;
extern TPointPickHandler PointPickHandler;
// Calls the armed handler with (-1, -1, false), if there is one.
void CancelPointPick();

// Upward seam (workspace -> main window): the main window installs the handler at start-up.
// Shows the main window's information balloon when balloon tips are on. The main window
// installs the handler; without one the call does nothing.
void ShowBalloonHint(const String& Title, const String& Text, fw::Integer BalloonType);
using TBalloonHintHandler = std::function<void(const String& Title, const String& Text, fw::Integer BalloonType)>;
void SetBalloonHintHandler(TBalloonHintHandler Handler);

// Upward seam (workspace -> analysis windows): the title template menus, kind 1 axis titles and
// kind 2 chart titles. ParentItem is a toolbar item whose submenu gets one item per template
// (OnTemplate gets its text) and a last item that calls OnEdit; EditTemplates edits the kind's
// templates and is true when they were saved. The main window installs the analysis library's
// menus; without them the menu stays empty and editing does nothing.
using TTemplateTextEvent = std::function<void(const String& Text)>;
using TFillTemplatesMenuHandler =
    std::function<void(int Kind, fw::TComponent* ParentItem, std::function<void()> OnEdit, TTemplateTextEvent OnTemplate)>;
void FillTemplatesMenu(int Kind, fw::TComponent* ParentItem, std::function<void()> OnEdit, TTemplateTextEvent OnTemplate);
bool EditTemplates(int Kind);
void SetTemplatesHandlers(TFillTemplatesMenuHandler Fill, std::function<bool(int Kind)> Edit);

// Upward seam (workspace -> main window): the main window installs the window at start-up.
// Shows the modal information window with every section of Info as name = value rows. The
// main window installs the window; without one the call does nothing.
void ShowInfoWindow(TPropSaver& Info);
using TInfoWindowHandler = std::function<void(TPropSaver& Info)>;
void SetInfoWindowHandler(TInfoWindowHandler Handler);

}  // namespace workspace
