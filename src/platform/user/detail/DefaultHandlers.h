#pragma once
// Internal: each part of the window system installs its default message handling here when the
// table is first built (DefWindowProc.cpp calls them in order; later parts may replace earlier
// entries, chaining to them through the previous handler).

#include "platform/user/DefWindowProc.h"

namespace win::user {

using DefaultTable = DefaultHandler[0x400];

void InstallWindowDefaults(DefaultTable& table);    // DefWindowBasics.cpp
void InstallInputDefaults(DefaultTable& table);     // DefInput.cpp
void InstallNonClientDefaults(DefaultTable& table); // NonClient.cpp
void InstallPaintDefaults(DefaultTable& table);     // Paint.cpp
void InstallPrintDefaults(DefaultTable& table);     // PaintPrint.cpp
void InstallCaretDefaults(DefaultTable& table);     // Caret.cpp

}  // namespace win::user
