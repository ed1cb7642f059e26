#pragma once
// Answers the next modal dialog of class T: Work sees it while it is up, then it closes with
// Result.

#include <functional>

#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"

namespace mainwindowtest {

template <typename T>
T* FindOpenForm() {
  for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
    if (auto* form = dynamic_cast<T*>(fw::Screen->Forms(i))) return form;
  return nullptr;
}

template <typename T>
void AnswerDialog(win::desktop::HeadlessDesktop& Desktop, fw::TModalResult Result,
                  std::function<void(T&)> Work = nullptr) {
  Desktop.script([Result, Work] {
    T* dialog = FindOpenForm<T>();
    if (!dialog) return;
    if (Work) Work(*dialog);
    dialog->SetModalResult(Result);
  });
}

}  // namespace mainwindowtest
