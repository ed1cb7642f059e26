#pragma once
// The common dialogs as components: choosing files to open or a name to save under, a colour, a
// font or a folder. Execute shows the dialog modally through the desktop's dialog service and
// returns true with the chosen values in the properties, or false when cancelled (or when the
// desktop has no dialogs to show), leaving every property as it was. Also the program's message
// box, captioned with the application's title.

#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Sets.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TFont;
class TStrings;

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;

 protected:
  // The window the dialog is modal to: the active form's, or none.
  static win::HWND ParentWindow();
};

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  // Pairs "description|patterns", the patterns separated by ";": "Текст|*.txt;*.dat|Все|*.*".
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // 1-based; after Execute the filter the user chose last.
  Integer FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  // The chosen file (the first one with ofAllowMultiSelect).
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // Every chosen file, full names.
  TStrings* Files() const { return FFiles.get(); }
  // Without the dot; added to a chosen name that has no extension.
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value);
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  // Empty: "Открыть" (or "Сохранить как" for the save dialog).
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

  // Names the options forbid (a missing file or folder, an existing file the user will not
  // replace) are reported in a message box and the dialog is shown again.
  bool Execute() override;

 protected:
  virtual bool IsSaveDialog() const { return false; }

 private:
  String DefaultTitle() const;
  String WithDefaultExt(const String& Name) const;
  // False (after saying why) when the options forbid the name.
  bool Acceptable(const String& Name);

  String FFilter;
  Integer FFilterIndex = 1;
  String FInitialDir;
  String FFileName;
  std::unique_ptr<TStrings> FFiles;
  String FDefaultExt;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  String FTitle;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  bool IsSaveDialog() const override { return true; }
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The 16 custom colours as lines "ColorA=RRGGBB" .. "ColorP=RRGGBB" (hexadecimal, red first);
  // missing or unreadable entries are white. Execute writes all 16 back.
  TStrings* CustomColors() const { return FCustomColors.get(); }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

  bool Execute() override;

 private:
  TColor FColor = clBlack;
  std::unique_ptr<TStrings> FCustomColors;
  TColorDialogOptions FOptions;
};

enum TFontDialogOption {
  fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel,
  fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp,
  fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton
};
using TFontDialogOptions = TSet<TFontDialogOption>;

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  // Points; they bound the choice only with fdLimitSize (0 = no bound).
  Integer MinFontSize() const { return FMinFontSize; }
  void SetMinFontSize(Integer Value) { FMinFontSize = Value; }
  Integer MaxFontSize() const { return FMaxFontSize; }
  void SetMaxFontSize(Integer Value) { FMaxFontSize = Value; }
  // Without fdEffects the dialog offers no colour, underline or strike-out, and those of Font stay.
  TFontDialogOptions Options() const { return FOptions; }
  void SetOptions(TFontDialogOptions Value) { FOptions = Value; }

  // A size outside the limits is reported and the dialog shown again.
  bool Execute() override;

 private:
  std::unique_ptr<TFont> FFont;
  Integer FMinFontSize = 0;
  Integer FMaxFontSize = 0;
  TFontDialogOptions FOptions{fdEffects};
};

class TPrinter;

// A paper the printer set-up offers, portrait, in millimetres.
struct TPaperSize {
  const char* Name;
  double WidthMM, HeightMM;
};
// A4 first, then A3, A5, B5, Letter, Legal.
const std::vector<TPaperSize>& PaperSizes();

// The printer set-up: a modal window choosing Printer's queue, paper size and orientation.
// Execute is true on OK, with the three written to Printer; Cancel (or no Printer) leaves it as
// it was. A paper size the list does not hold is shown as "Другой" and kept.
class TPrinterSetupDialog : public TCommonDialog {
 public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  TPrinter* Printer = nullptr;  // not owned
  bool Execute() override;
};

// The folder dialog, starting at Directory and offering what lies under Root (everything when
// Root is empty); true with the
// chosen folder in Directory, false leaving it as it was.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);

// The question asked before files already there are replaced, naming them without their folders:
// the one file, or the first three of several and how many more.
String ReplaceExistingFilesQuestion(const std::vector<String>& FileNames);

// The platform's message box captioned with the application's title and owned by the active
// form; Flags are MB_ values (16 error icon, 48 warning icon, buttons). Returns the button pressed
// (6 for Yes).
Integer AppMessageBox(const String& Text, Integer Flags);

}  // namespace fw
