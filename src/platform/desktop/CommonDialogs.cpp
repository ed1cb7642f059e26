// The common-dialog service and its scripted answers. Typed answers travel through the generic
// queue of scripted answers: IDOK or IDCANCEL as the result, names in the texts, one number in
// the value, and the rest of a font or the custom colours as numbers in text.

#include "platform/desktop/CommonDialogs.h"

#include <string_view>

#include "platform/desktop/ScriptedAnswers.h"

namespace win::desktop {
namespace {

constexpr int kIdOk = 1, kIdCancel = 2;

CommonDialogService* g_service = nullptr;

CommonDialogLog& Log() {
  static CommonDialogLog log;
  return log;
}

std::u16string NumberText(unsigned long long n) {
  std::u16string s;
  do {
    s.insert(s.begin(), char16_t(u'0' + n % 10));
    n /= 10;
  } while (n != 0);
  return s;
}

unsigned long long TextNumber(std::u16string_view s) {
  unsigned long long n = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') break;
    n = n * 10 + unsigned(c - u'0');
  }
  return n;
}

ScriptedAnswer Cancelled() { return ScriptedAnswer{kIdCancel, {}, 0}; }

void PushFile(std::string_view kind, std::optional<FileDialogResult> answer) {
  if (!answer) return PushScriptedAnswer(kind, Cancelled());
  PushScriptedAnswer(kind, ScriptedAnswer{kIdOk, answer->files, unsigned(answer->filterIndex)});
}

}  // namespace

CommonDialogService* SetCommonDialogService(CommonDialogService* service) {
  CommonDialogService* old = g_service;
  g_service = service;
  return old;
}

CommonDialogService* GetCommonDialogService() { return g_service; }

void PushOpenDialogAnswer(std::optional<FileDialogResult> answer) { PushFile("OpenDialog", std::move(answer)); }
void PushSaveDialogAnswer(std::optional<FileDialogResult> answer) { PushFile("SaveDialog", std::move(answer)); }

void PushColorDialogAnswer(std::optional<ColorDialogResult> answer) {
  if (!answer) return PushScriptedAnswer("ColorDialog", Cancelled());
  ScriptedAnswer a{kIdOk, {}, answer->color};
  for (COLORREF c : answer->customColors) a.texts.push_back(NumberText(c));
  PushScriptedAnswer("ColorDialog", std::move(a));
}

void PushFontDialogAnswer(std::optional<FontChoice> answer) {
  if (!answer) return PushScriptedAnswer("FontDialog", Cancelled());
  const FontChoice& f = *answer;
  ScriptedAnswer a{kIdOk, {f.face, NumberText(unsigned(f.pointSize)), NumberText(f.bold), NumberText(f.italic),
                           NumberText(f.underline), NumberText(f.strikeOut), NumberText(f.charset)},
                   f.color};
  PushScriptedAnswer("FontDialog", std::move(a));
}

void PushFolderDialogAnswer(std::optional<std::u16string> answer) {
  if (!answer) return PushScriptedAnswer("FolderDialog", Cancelled());
  PushScriptedAnswer("FolderDialog", ScriptedAnswer{kIdOk, {*answer}, 0});
}

std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request) {
  Log().files.push_back(request);
  if (auto a = TakeScriptedAnswer(request.save ? "SaveDialog" : "OpenDialog")) {
    if (a->result != kIdOk || a->texts.empty()) return std::nullopt;
    return FileDialogResult{a->texts, int(a->value)};
  }
  if (g_service) return g_service->ChooseFile(request);
  return std::nullopt;
}

std::optional<ColorDialogResult> RunColorDialog(const ColorDialogRequest& request) {
  Log().colors.push_back(request);
  if (auto a = TakeScriptedAnswer("ColorDialog")) {
    if (a->result != kIdOk) return std::nullopt;
    ColorDialogResult r{a->value, {}};
    for (const auto& t : a->texts) r.customColors.push_back(COLORREF(TextNumber(t)));
    return r;
  }
  if (g_service) return g_service->ChooseColor(request);
  return std::nullopt;
}

std::optional<FontChoice> RunFontDialog(const FontDialogRequest& request) {
  Log().fonts.push_back(request);
  if (auto a = TakeScriptedAnswer("FontDialog")) {
    if (a->result != kIdOk || a->texts.size() < 7) return std::nullopt;
    const auto& t = a->texts;
    FontChoice f;
    f.face = t[0];
    f.pointSize = int(TextNumber(t[1]));
    f.bold = TextNumber(t[2]) != 0;
    f.italic = TextNumber(t[3]) != 0;
    f.underline = TextNumber(t[4]) != 0;
    f.strikeOut = TextNumber(t[5]) != 0;
    f.charset = BYTE(TextNumber(t[6]));
    f.color = a->value;
    return f;
  }
  if (g_service) return g_service->ChooseFont(request);
  return std::nullopt;
}

std::optional<std::u16string> RunFolderDialog(const FolderDialogRequest& request) {
  Log().folders.push_back(request);
  if (auto a = TakeScriptedAnswer("FolderDialog")) {
    if (a->result != kIdOk || a->texts.empty()) return std::nullopt;
    return a->texts.front();
  }
  if (g_service) return g_service->ChooseFolder(request);
  return std::nullopt;
}

const CommonDialogLog& CommonDialogHistory() { return Log(); }

void ClearCommonDialogHistory() { Log() = CommonDialogLog{}; }

}  // namespace win::desktop
