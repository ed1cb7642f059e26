#include "framework/IniFiles.h"

#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

struct TMemIniFile::Line {
  bool comment = false;
  String key;    // or the comment text
  String value;
};

struct TMemIniFile::Section {
  String name;
  std::vector<Line> lines;
};

TMemIniFile::TMemIniFile(const String& FileName) : FFileName(FileName) {
  if (!FileName.empty() && FileExists(FileName)) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    std::string bytes = stream.ReadRemaining();
    std::string_view view(bytes);
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    SetText(win::IsValidUtf8(view) ? String(view) : win::Cp1251ToUtf8(view));
  }
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
  for (const auto& s : FSections) {
    if (AnsiSameText(s->name, name)) return s.get();
  }
  return nullptr;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
  if (Section* s = FindSection(name)) return *s;
  FSections.push_back(std::make_unique<Section>());
  FSections.back()->name = String(name);
  return *FSections.back();
}

TMemIniFile::Line* TMemIniFile::FindKey(std::string_view section, std::string_view ident) const {
  Section* s = FindSection(section);
  if (!s) return nullptr;
  for (Line& l : s->lines) {
    if (!l.comment && AnsiSameText(l.key, ident)) return &l;
  }
  return nullptr;
}

String TMemIniFile::ReadString(std::string_view Section, std::string_view Ident, const String& Default) const {
  const Line* l = FindKey(Section, Ident);
  return l ? l->value : Default;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, const String& Value) {
  // Line breaks would split the entry on reading: they become spaces.
  String value = Value;
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (Line* l = FindKey(Section, Ident)) {
    l->value = value;
    return;
  }
  AddSection(Section).lines.push_back(Line{false, Trim(Ident), value});
}

Integer TMemIniFile::ReadInteger(std::string_view Section, std::string_view Ident, Integer Default) const {
  String text = Trim(ReadString(Section, Ident, ""));
  return StrToIntDef(text, Default);
}

void TMemIniFile::WriteInteger(std::string_view Section, std::string_view Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TMemIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

Extended TMemIniFile::ReadFloat(std::string_view Section, std::string_view Ident, Extended Default) const {
  Extended v;
  return win::TryTextToFloat(ReadString(Section, Ident, ""), '.', v) ? v : Default;
}

void TMemIniFile::WriteFloat(std::string_view Section, std::string_view Ident, Extended Value) {
  WriteString(Section, Ident, win::FloatToGeneralText(Value, '.'));
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const auto* s = FindSection(Section)) {
    for (const Line& l : s->lines) {
      if (!l.comment) Strings->Add(l.key);
    }
  }
  Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& s : FSections) Strings->Add(s->name);
  Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const auto* s = FindSection(Section)) {
    for (const Line& l : s->lines) {
      if (!l.comment) Strings->Add(l.key + "=" + l.value);
    }
  }
  Strings->EndUpdate();
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return FindSection(Section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  return FindKey(Section, Ident) != nullptr;
}

void TMemIniFile::EraseSection(std::string_view Section) {
  std::erase_if(FSections, [&](const auto& s) { return AnsiSameText(s->name, Section); });
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  if (auto* s = FindSection(Section)) {
    std::erase_if(s->lines, [&](const Line& l) { return !l.comment && AnsiSameText(l.key, Ident); });
  }
}

void TMemIniFile::Clear() {
  FSections.clear();
  FPreamble.clear();
}

String TMemIniFile::GetText() const {
  String out;
  for (const String& c : FPreamble) out += c + "\r\n";
  for (const auto& s : FSections) {
    if (!out.empty()) out += "\r\n";
    out += "[" + s->name + "]\r\n";
    for (const Line& l : s->lines) out += (l.comment ? l.key : l.key + "=" + l.value) + "\r\n";
  }
  return out;
}

void TMemIniFile::SetText(std::string_view Text) {
  Clear();
  TStringList lines;
  lines.SetText(Text);
  Section* current = nullptr;
  for (Integer i = 0; i < lines.Count(); ++i) {
    String s = Trim(lines.Strings(i));
    if (s.empty()) continue;
    if (s[0] == ';') {
      if (current) {
        current->lines.push_back(Line{true, s, {}});
      } else {
        FPreamble.push_back(s);
      }
    } else if (s[0] == '[' && s.back() == ']' && s.size() >= 2) {
      current = &AddSection(Trim(std::string_view(s).substr(1, s.size() - 2)));
    } else if (std::size_t eq = s.find('='); current && eq != String::npos && eq > 0) {
      String key = Trim(std::string_view(s).substr(0, eq));
      if (!key.empty()) current->lines.push_back(Line{false, key, Trim(std::string_view(s).substr(eq + 1))});
    }
    // Anything else (no "=", no section yet, an empty name) cannot be read back: skipped.
  }
}

void TMemIniFile::UpdateFile() {
  const String text = GetText();
  try {
    SaveFileSafely(FFileName, [&](TStream* Stream) { Stream->WriteBuffer(text.data(), Integer(text.size())); });
  } catch (const EFCreateError&) {
    throw;
  } catch (const EStreamError& e) {
    // A write that fails half-way (a full disk) is a file that could not be made either.
    throw EFCreateError(Format("Cannot create file \"%s\". %s", FFileName, e.what()));
  }
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, const String& Value) {
  TMemIniFile::WriteString(Section, Ident, Value);
  UpdateFile();
}

void TIniFile::EraseSection(std::string_view Section) {
  TMemIniFile::EraseSection(Section);
  UpdateFile();
}

void TIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  TMemIniFile::DeleteKey(Section, Ident);
  UpdateFile();
}

}  // namespace fw
