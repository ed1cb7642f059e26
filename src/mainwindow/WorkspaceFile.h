#pragma once
// Workspace files: the chart's formatting in the settings file's ini form (section "CHART" and
// the sections it names), and the default workspace beside the program (".def"), loaded at
// start when "SaveGraphSettings" is on. Loading keeps the chart's own title texts unless the
// user chose to take them over from the file as well.

#include "framework/ClassesTypes.h"

namespace chart {
class TCustomChart;
}

namespace workspace {

inline constexpr const char* WorkspaceChartSection = "CHART";

// Which title texts a workspace load takes from the file.
struct TWorkspaceTitles {
  bool Title = false;
  bool SubTitle = false;
  bool Foot = false;
  bool SubFoot = false;
  bool AxisTitles = false;
};

// The default workspace: the program's path with ".def".
fw::String DefaultWorkspaceFileName();

// Writes the chart's formatting to FileName (replacing it); raises on failure.
void SaveWorkspace(const fw::String& FileName, const chart::TCustomChart* Chart);
// Reads the formatting into Chart; false (nothing changed) when the file holds none.
bool LoadWorkspace(const fw::String& FileName, chart::TCustomChart* Chart, const TWorkspaceTitles& Take);

// The workspace-load dialog ("Загрузка"): true and the titles to take over on OK.
bool AskWorkspaceTitles(TWorkspaceTitles& Take);

}  // namespace workspace
