#pragma once
// Whether the settings file can be kept this run, and saving it so that a failure never stops
// the user's work. A settings file that could not be read is not read again by any store and
// not written over (it may hold what the program could not see); a file that cannot be read
// or written is said once a run, in Russian, and the action that saved goes on.

#include <string_view>

#include "framework/ClassesTypes.h"

namespace workspace {

class TPropSaver;

// True once the settings file failed to read this run.
bool SettingsFileUnreadable();
// Marks the settings file unreadable for the reason given (empty: forgets the mark and that it
// was said). The start of the program calls it with an empty reason before it reads the file.
void DeclareSettingsUnreadable(const fw::String& Reason);
// The reason given when the file was declared unreadable.
const fw::String& SettingsUnreadReason();
// Tells the user once a run that the settings are not kept; later calls say nothing. Returns
// whether it spoke.
bool SaySettingsNotKept(const fw::String& Reason);
// Notes that the user was already told (the start-up message covers the rest of the run).
void MarkSettingsNotKeptSaid();

// Writes Store's changes to its file. A file declared unreadable is left alone, and a write
// that fails is said once; false in both cases, never an exception.
bool KeepSettings(TPropSaver& Store);

}  // namespace workspace
