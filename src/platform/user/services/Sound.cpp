#include "platform/user/services/Sound.h"

#include <mutex>

#include "platform/kernel/Registry.h"

namespace win {
namespace {

struct SoundLog {
  std::mutex mutex;
  std::vector<PlayedSound> played;
};

SoundLog& Log() {
  static SoundLog log;
  return log;
}

}  // namespace

BOOL PlaySoundW(LPCWSTR pszSound, HMODULE, DWORD fdwSound) {
  SoundLog& log = Log();
  std::lock_guard lock(log.mutex);
  log.played.push_back({pszSound ? std::u16string(pszSound) : std::u16string(), fdwSound});
  return TRUE;
}

std::vector<PlayedSound> PlayedSounds() {
  SoundLog& log = Log();
  std::lock_guard lock(log.mutex);
  return log.played;
}

void ResetPlayedSounds() {
  SoundLog& log = Log();
  std::lock_guard lock(log.mutex);
  log.played.clear();
}

void SetSoundSchemeEntry(std::u16string_view eventName, std::u16string_view file) {
  std::u16string path = u"AppEvents\\Schemes\\Apps\\.Default\\";
  path += eventName;
  path += u"\\.Current";
  registry::SetString(HKEY_CURRENT_USER, path, u"", file);
}

}  // namespace win
