#pragma once
// The program-wide preferences record, kept in section "PREFERENCES" of the settings file.

#include "framework/ClassesTypes.h"

namespace workspace {

class TPropSaver;

using fw::Integer;
using fw::String;

enum TCopyFormat : Integer { cfWMF = 0, cfBMP = 1, cfEMF = 2 };

struct TPreferences {
  // Current folders and filter indexes of the file dialogs (1-based; a stored index outside
  // 1..MaxFilterIndex reads as the first filter).
  static constexpr Integer MaxFilterIndex = 64;
  String OpenDir;
  String SaveDir;
  String WorkspaceDir;
  Integer OpenFilterIndex = 1;
  Integer OpenTableFilterIndex = 1;
  Integer SaveFilterIndex = 1;

  // Text import: the X column read as time, the field delimiters, lines skipped at the top.
  bool TimeAxis = false;
  String Delimiters = "\t ;";
  Integer SkipLines = 0;
  // "." when set, else ","; the separator of every number shown or read as text.
  bool PointDecimalSeparator = false;
  char DecimalSeparator() const { return PointDecimalSeparator ? '.' : ','; }

  // Copying to the clipboard.
  bool CopyX = true;
  bool CopyY = true;
  bool CopyVisible = false;
  bool CopyProperties = true;
  Integer CopyFormat = cfEMF;

  // Factors the axis labels are multiplied by.
  double AxisFactorX = 1.0;
  double AxisFactorY = 1.0;
  // Steps per interval of the resampled arithmetic, at least 1.
  Integer SplitInterval = 10;

  bool ShowBalloonTips = true;
  bool ConfirmDelete = true;
  bool ConfirmClose = true;
  bool AxisDblClickShowLimits = false;
  bool SaveGraphSettings = false;

  // Reads and writes every field in section "PREFERENCES" of Store, whatever section is current;
  // a missing or unreadable key leaves the field at its default.
  void Load(TPropSaver& Store);
  void Save(TPropSaver& Store) const;
};

// The one record every unit reads.
extern TPreferences Preferences;

}  // namespace workspace
