#pragma once
// PlaySound without sound: the call and its sound name are recorded, so tests see which sound a
// menu asked for. The sound scheme (which named events have a sound) is kept where callers look
// it up: the default value of HKEY_CURRENT_USER key "AppEvents\Schemes\Apps\.Default\<name>\.Current"
// names the event's sound file (empty or missing: no sound). The scheme starts empty.

#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD SND_SYNC = 0x0000, SND_ASYNC = 0x0001, SND_NODEFAULT = 0x0002, SND_MEMORY = 0x0004,
                       SND_LOOP = 0x0008, SND_NOSTOP = 0x0010, SND_PURGE = 0x0040, SND_APPLICATION = 0x0080,
                       SND_NOWAIT = 0x00002000, SND_ALIAS = 0x00010000, SND_FILENAME = 0x00020000,
                       SND_RESOURCE = 0x00040004;

// Records the request and succeeds; a null name (stop the sound playing) is recorded too.
BOOL PlaySoundW(LPCWSTR pszSound, HMODULE hmod, DWORD fdwSound);

struct PlayedSound {
  std::u16string name;
  DWORD flags = 0;
};
std::vector<PlayedSound> PlayedSounds();
void ResetPlayedSounds();

// Gives the named event a sound file (empty: no sound) in the scheme.
void SetSoundSchemeEntry(std::u16string_view eventName, std::u16string_view file);

}  // namespace win
