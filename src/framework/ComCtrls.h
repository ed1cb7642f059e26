#pragma once
// Track bars and up-down controls: wrappers of the platform's "msctls_trackbar32" and
// "msctls_updown32" classes, their properties kept while the window is recreated.

#include "framework/StdCtrlsTypes.h"

namespace fw {

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* AOwner);

  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  Integer Position();
  // Kept within Min .. Max; OnChange is for the user's moves.
  void SetPosition(Integer Value);
  // Every Frequency-th position gets a tick mark (tsAuto).
  Integer Frequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  // A selection range shows when SelEnd > SelStart.
  Integer SelStart() const { return FSelStart; }
  void SetSelStart(Integer Value);
  Integer SelEnd() const { return FSelEnd; }
  void SetSelEnd(Integer Value);
  Integer LineSize() const { return FLineSize; }
  void SetLineSize(Integer Value);
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  // A tick mark of its own at Value (tsManual).
  void SetTick(Integer Value);

  TNotifyEvent OnChange;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Changed();
  virtual void CNScroll(TMessage& Message);

 private:
  void UpdateSelection();
  Integer FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1;
  TTickStyle FTickStyle = tsAuto;
  TTickMark FTickMarks = tmBottomRight;
  TTrackBarOrientation FOrientation = trHorizontal;
  Integer FSelStart = 0, FSelEnd = 0, FLineSize = 1, FPageSize = 2;
};

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* AOwner);

  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  // With an associate, the number its text shows.
  Integer Position();
  void SetPosition(Integer Value);
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value);
  // The buddy control: sits beside it and shows the position as its text.
  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* Value);
  TUDAlignButton AlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);
  // Thousands separators in the associate's text.
  bool Thousands() const { return FThousands; }
  void SetThousands(bool Value);
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  // The Up and Down keys in the associate step the position.
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value);

  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange();
  virtual void Click(TUDBtnType Button);
  virtual void CNNotify(TMessage& Message);
  virtual void CNScroll(TMessage& Message);

 private:
  using TWinControl::Click;
  void ApplyAccel();
  Integer FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
  TWinControl* FAssociate = nullptr;
  TUDAlignButton FAlignButton = udRight;
  bool FWrap = false;
  bool FThousands = true;
  TUDOrientation FOrientation = udVertical;
  bool FArrowKeys = true;
};

}  // namespace fw
