#pragma once
// The edit item: a menu or toolbar item showing a text box, optionally with a caption on its left
// (menus only). Clicking the box or choosing it by keyboard runs an in-place edit: a real edit
// control over the box and a private message loop until the edit ends; Enter accepts and closes
// the menu, Tab accepts and moves on, Esc drops the text.

#include "framework/ActnList.h"
#include "framework/StdCtrlsTypes.h"
#include "toolbars/TBItemViewer.h"

namespace fw {
class TEdit;
}

namespace toolbars {

class TTBEditItemViewer;

enum TTBEditItemOption { tboUseEditWhenVertical };
using TTBEditItemOptions = fw::TSet<TTBEditItemOption>;

// Why the text changed.
enum TTBEditItemChangeReason { tcrSetProperty, tcrActionLink, tcrEditControl };

using TTBAcceptTextEvent = std::function<void(TObject* Sender, String& NewText, bool& Accept)>;
using TTBBeginEditEvent =
    std::function<void(class TTBEditItem* Item, TTBEditItemViewer* Viewer, fw::TEdit* EditControl)>;

// An action carrying what an edit item shows.
class TTBEditAction : public fw::TAction {
 public:
  explicit TTBEditAction(TComponent* AOwner);
  const String& EditCaption() const { return FEditCaption; }
  void SetEditCaption(const String& Value);
  TTBEditItemOptions EditOptions() const { return FEditOptions; }
  void SetEditOptions(TTBEditItemOptions Value);
  Integer EditWidth() const { return FEditWidth; }
  void SetEditWidth(Integer Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  TTBAcceptTextEvent OnAcceptText;

 private:
  template <typename F>
  void ForEachEditLink(F f);
  String FEditCaption;
  TTBEditItemOptions FEditOptions;
  Integer FEditWidth = 64;
  String FText;
};

class TTBEditItem : public TTBCustomItem {
 public:
  explicit TTBEditItem(TComponent* AOwner);

  fw::TEditCharCase CharCase() const { return FCharCase; }
  // Applies the case to the present text at once.
  void SetCharCase(fw::TEditCharCase Value);
  const String& EditCaption() const { return FEditCaption; }
  void SetEditCaption(const String& Value);
  TTBEditItemOptions EditOptions() const { return FEditOptions; }
  void SetEditOptions(TTBEditItemOptions Value);
  Integer EditWidth() const { return FEditWidth; }
  void SetEditWidth(Integer Value);
  bool ExtendedAccept() const { return FExtendedAccept; }
  void SetExtendedAccept(bool Value) { FExtendedAccept = Value; }
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value) { SetTextEx(Value, tcrSetProperty); }
  void SetTextEx(const String& Value, TTBEditItemChangeReason Reason);

  TTBAcceptTextEvent OnAcceptText;
  TTBBeginEditEvent OnBeginEdit;

  // ---- virtual operations, in the order subclasses rely on ----
  // OnAcceptText may change NewText or refuse it; true when it is to be taken.
  virtual bool DoAcceptText(String& NewText);
  virtual void DoBeginEdit(TTBEditItemViewer* Viewer);
  // Applies CharCase to NewText.
  virtual void DoTextChanging(const String& OldText, String& NewText, TTBEditItemChangeReason Reason);
  virtual void DoTextChanged(TTBEditItemChangeReason Reason);

  TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;
  bool NeedToRecreateViewer(TTBItemViewer* AViewer) override;

 protected:
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  TTBCustomItemActionLink* CreateActionLink() override;

 private:
  fw::TEditCharCase FCharCase = fw::ecNormal;
  String FEditCaption;
  TTBEditItemOptions FEditOptions;
  Integer FEditWidth = 64;
  bool FExtendedAccept = false;
  Integer FMaxLength = 0;
  String FText;
};

class TTBEditItemActionLink : public TTBCustomItemActionLink {
 public:
  explicit TTBEditItemActionLink(TTBEditItem* AClient) : TTBCustomItemActionLink(AClient), FEditClient(AClient) {}
  virtual bool IsEditCaptionLinked();
  virtual bool IsEditOptionsLinked();
  virtual bool IsEditWidthLinked();
  virtual bool IsOnAcceptTextLinked();
  virtual bool IsTextLinked();
  virtual void SetEditCaption(const String& Value);
  virtual void SetEditOptions(TTBEditItemOptions Value);
  virtual void SetEditWidth(Integer Value);
  virtual void SetOnAcceptText(const TTBAcceptTextEvent& Value);
  virtual void SetText(const String& Value);

 protected:
  TTBEditAction* EditAction() const;
  TTBEditItem* FEditClient;
};

// Edit flags of the in-place edit.
inline constexpr Byte tbefEditing = 0x01, tbefMoveOn = 0x02, tbefCloseMenu = 0x04;

using TTBEditControlClass = TTBClassRef<fw::TEdit, TComponent*>;

class TTBEditItemViewer : public TTBItemViewer {
 public:
  using TTBItemViewer::TTBItemViewer;
  TTBEditItem* EditItem() const { return static_cast<TTBEditItem*>(FItem); }
  // Exists only while the in-place edit runs.
  fw::TEdit* EditControl() const { return FEditControl; }
  Byte EditFlags() const { return FEditFlags; }

  // ---- virtual operations, in the order subclasses rely on ----
  virtual TTBEditControlClass GetEditControlClass();
  // Where the box is (view client coordinates).
  virtual void GetEditRect(TRect& R);

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  bool DoExecute() override;
  Integer GetAccRole() override;
  bool GetAccValue(fw::WideString& Value) override;
  String GetCaptionText() override;
  void GetCursor(const TPoint& P, win::HCURSOR& ACursor) override;
  void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  bool UsesSameWidth() override { return false; }
  bool CaptionShown() override;

 protected:
  // Runs the edit; true when the menu is to close.
  bool EditLoop();
  void AcceptEditText();
  // Width of the caption in the view's font (0 in toolbar style or without one).
  Integer CaptionWidth();

  fw::TEdit* FEditControl = nullptr;
  Byte FEditFlags = 0;
};

}  // namespace toolbars
