// The main window's notices: an information balloon over the status line, titled by the
// operation, closing by itself after 5 seconds. The status line keeps its graph counts.

#include "controls/Balloon.h"
#include "controls/CsStatusBar.h"
#include "mainwindow/WinMain.h"
#include "workspace/Preferences.h"

namespace workspace {

namespace {

constexpr fw::Integer kNoticeSeconds = 5;

// The balloon kinds callers pass: 0 information, 1 error, 2 warning; others read as information.
cs::TBalloonType NoticeType(fw::Integer BalloonType) {
  switch (BalloonType) {
    case 1: return cs::blnError;
    case 2: return cs::blnWarning;
    default: return cs::blnInfo;
  }
}

}  // namespace

void TwndKorvalinMain::ShowNotice(const fw::String& Title, const fw::String& Text, fw::Integer BalloonType) {
  // A window closed or not shown has nothing to point at; a notice then is simply dropped.
  if (!Preferences.ShowBalloonTips || FClosed || !Visible()) return;
  if (!FNoticeBalloon) {
    FNoticeBalloon = new cs::TBalloonControl(this);
    FNoticeBalloon->SetDuration(kNoticeSeconds);
    // Pointing at the middle of the status line, so it stays over the window.
    FNoticeBalloon->SetHorizontal(cs::blnMiddle);
    FNoticeBalloon->SetVertical(cs::blnTop);
    FNoticeBalloon->SetControl(FStatus);
  }
  FNoticeBalloon->SetTitle(Title);
  FNoticeBalloon->SetText(Text);
  FNoticeBalloon->SetBalloonType(NoticeType(BalloonType));
  // An open balloon gives way to the new one.
  FNoticeBalloon->ShowBalloon();
}

}  // namespace workspace
