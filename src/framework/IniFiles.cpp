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
  String raw;    // the line's bytes when it was not UTF-8, while it is unchanged
};

struct TMemIniFile::Section {
  String name;
  std::vector<Line> lines;
  String raw;  // the heading's bytes when it was not UTF-8
};

namespace {

String OneLine(std::string_view value) {
  String out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

TMemIniFile::TMemIniFile(const String& FileName) : FFileName(FileName) {
  if (!FileName.empty() && FileExists(FileName)) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    std::string bytes = stream.ReadRemaining();
    std::string_view view(bytes);
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    SetText(view);
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
  if (Line* l = FindKey(Section, Ident)) {
    // The same value written back keeps the line as the file had it.
    if (l->value != Value) {
      l->value = Value;
      l->raw.clear();
    }
    return;
  }
  AddSection(Section).lines.push_back(Line{false, Trim(Ident), Value, {}});
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

String TMemIniFile::GetText() const { return Text(false); }

String TMemIniFile::FileText() const { return Text(true); }

String TMemIniFile::Text(bool Raw) const {
  String out;
  for (const String& c : FPreamble) out += c + "\r\n";
  for (const auto& s : FSections) {
    if (!out.empty()) out += "\r\n";
    out += Raw && !s->raw.empty() ? s->raw : "[" + s->name + "]";
    out += "\r\n";
    for (const Line& l : s->lines) {
      if (Raw && !l.raw.empty()) {
        out += l.raw;
      } else {
        out += l.comment ? l.key : l.key + "=" + OneLine(l.value);
      }
      out += "\r\n";
    }
  }
  return out;
}

void TMemIniFile::SetText(std::string_view Text) {
  Clear();
  Section* current = nullptr;
  win::ForEachLineOf(Text, [&](std::string_view bytes) {
    // Each line in its own encoding: a line that is not UTF-8 changes no other line.
    const bool utf8 = win::IsValidUtf8(bytes);
    const String decoded = utf8 ? String(bytes) : win::Cp1251ToUtf8(bytes);
    const String raw = utf8 ? String() : String(bytes);
    const String s = TrimLeft(decoded);
    const String trimmed = TrimRight(s);
    if (trimmed.empty()) return;
    if (trimmed[0] == ';') {
      if (current) {
        current->lines.push_back(Line{true, trimmed, {}, raw});
      } else {
        FPreamble.push_back(trimmed);
      }
    } else if (trimmed[0] == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      const String name = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
      const bool known = FindSection(name) != nullptr;
      current = &AddSection(name);
      if (!known) current->raw = raw;
    } else if (std::size_t eq = s.find('='); current && eq != String::npos && eq > 0) {
      // The value stands as stored: a reader trims it where its type allows blanks.
      String key = Trim(std::string_view(s).substr(0, eq));
      if (!key.empty()) current->lines.push_back(Line{false, key, s.substr(eq + 1), raw});
    }
    // Anything else (no "=", no section yet, an empty name) cannot be read back: skipped.
  });
}

void TMemIniFile::UpdateFile() {
  const String text = FileText();
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
