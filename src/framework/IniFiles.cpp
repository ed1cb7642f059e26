#include "framework/IniFiles.h"

#include <list>
#include <optional>
#include <unordered_map>

#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "framework/TextFileEncoding.h"
#include "framework/WholeFile.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

struct TMemIniFile::Line {
  bool kept = false;  // a comment or a line the store cannot read: never a value
  String key;         // value lines: the key; kept lines: the line's text
  String value;
  String raw;  // the line's bytes; for a value line only while its value is unchanged
  String bytes;  // a value line not in UTF-8: its value's own bytes, while it is unchanged
};

struct TMemIniFile::Section {
  String name;
  std::list<Line> lines;
  std::unordered_map<std::u16string, Line*> keys;  // the first line of each key, by FoldedName
  String raw;  // the heading's bytes when it was not UTF-8
};

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

String OneLine(std::string_view value) {
  String out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// Names compare without case (as AnsiSameText does): equal names fold to the same key.
std::u16string FoldedName(std::string_view name) { return win::LowerCase(win::Utf8ToWide(name)); }

// A key that holds "=" (or starts with a quote) is written in quotes, a quote in it doubled, so
// that it reads back as it was written.
bool NeedsQuotes(std::string_view key) {
  return key.find('=') != std::string_view::npos || (!key.empty() && key.front() == '"');
}
String KeyText(std::string_view key) {
  if (!NeedsQuotes(key)) return String(key);
  String out = "\"";
  for (char c : key) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}
// Splits a name=value line with its leading blanks removed; false when it is none.
bool SplitKeyLine(std::string_view line, String& key, String& value) {
  if (!line.empty() && line.front() == '"') {
    String quoted;
    for (std::size_t i = 1; i < line.size(); ++i) {
      if (line[i] != '"') {
        quoted += line[i];
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        quoted += '"';
        ++i;
      } else {
        const std::size_t eq = line.find_first_not_of(" \t", i + 1);
        if (eq == std::string_view::npos || line[eq] != '=' || quoted.empty()) break;
        key = quoted;
        value = String(line.substr(eq + 1));
        return true;
      }
    }
    // Not a quoted key after all: read as any other line.
  }
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos || eq == 0) return false;
  key = Trim(line.substr(0, eq));
  // The value stands as stored: a reader trims it where its type allows blanks.
  value = String(line.substr(eq + 1));
  return !key.empty();
}

}  // namespace

TMemIniFile::TMemIniFile(const String& FileName) : FFileName(FileName) {
  if (!FileName.empty() && FileExists(FileName)) {
    std::string bytes = ReadWholeFile(FileName, MaxIniFileSize);
    FEncoding = DetectTextFileEncoding(bytes);
    std::string decoded;
    const std::optional<std::string_view> text = TextOfFile(bytes, FEncoding, decoded);
    // Read as bytes, such a file would be written back garbled: it is refused as a whole.
    if (!text) throw EReadError(Format("Cannot read file \"%s\". %s", FileName, kDamagedUtf16Text));
    // Turned into text elsewhere, the file's bytes are not kept beside its lines.
    if (text->data() == decoded.data()) std::string().swap(bytes);
    SetText(*text);
  }
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
  auto it = FIndex.find(FoldedName(name));
  return it == FIndex.end() ? nullptr : it->second;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
  if (Section* s = FindSection(name)) return *s;
  FSections.push_back(std::make_unique<Section>());
  FSections.back()->name = String(name);
  FIndex.emplace(FoldedName(name), FSections.back().get());
  return *FSections.back();
}

void TMemIniFile::AddLine(Section& section, Line line) {
  section.lines.push_back(std::move(line));
  Line& added = section.lines.back();
  if (!added.kept) section.keys.emplace(FoldedName(added.key), &added);
}

TMemIniFile::Line* TMemIniFile::FindKey(std::string_view section, std::string_view ident) const {
  Section* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->keys.find(FoldedName(ident));
  return it == s->keys.end() ? nullptr : it->second;
}

String TMemIniFile::ReadString(std::string_view Section, std::string_view Ident, const String& Default) const {
  const Line* l = FindKey(Section, Ident);
  return l ? l->value : Default;
}

String TMemIniFile::ReadBytes(std::string_view Section, std::string_view Ident, const String& Default) const {
  const Line* l = FindKey(Section, Ident);
  return !l ? Default : l->bytes.empty() ? l->value : l->bytes;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, const String& Value) {
  if (Line* l = FindKey(Section, Ident)) {
    // The same value written back keeps the line as the file had it.
    if (l->value != Value) {
      l->value = Value;
      l->raw.clear();
      l->bytes.clear();
    }
    return;
  }
  AddLine(AddSection(Section), Line{false, Trim(Ident), Value, {}, {}});
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
      if (!l.kept) Strings->Add(l.key);
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
      if (!l.kept) Strings->Add(l.key + "=" + l.value);
    }
  }
  Strings->EndUpdate();
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return FindSection(Section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  return FindKey(Section, Ident) != nullptr;
}

void TMemIniFile::EraseSection(std::string_view Section) {
  auto it = FIndex.find(FoldedName(Section));
  if (it == FIndex.end()) return;
  const auto* gone = it->second;
  FIndex.erase(it);
  std::erase_if(FSections, [&](const auto& s) { return s.get() == gone; });
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  if (auto* s = FindSection(Section)) {
    const std::u16string folded = FoldedName(Ident);
    if (s->keys.erase(folded) == 0) return;
    std::erase_if(s->lines, [&](const Line& l) { return !l.kept && FoldedName(l.key) == folded; });
  }
}

void TMemIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
  FPreamble.clear();
}

String TMemIniFile::GetText() const { return Text(false); }

String TMemIniFile::FileText() const { return FileBytesOfText(Text(true), FEncoding); }

String TMemIniFile::Text(bool Raw) const {
  String out;
  const auto line = [&](const Line& l) {
    if (Raw && !l.raw.empty()) {
      out += l.raw;
    } else {
      out += l.kept ? l.key : KeyText(l.key) + "=" + OneLine(l.value);
    }
    out += "\r\n";
  };
  for (const Line& l : FPreamble) line(l);
  for (const auto& s : FSections) {
    if (!out.empty()) out += "\r\n";
    out += Raw && !s->raw.empty() ? s->raw : "[" + s->name + "]";
    out += "\r\n";
    for (const Line& l : s->lines) line(l);
  }
  return out;
}

void TMemIniFile::SetText(std::string_view Text) {
  Clear();
  Section* current = nullptr;
  win::ForEachLineOf(Text, [&](std::string_view bytes) {
    // A byte order mark in front of a line (files pasted together) is not part of it.
    std::string_view content = bytes;
    while (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
    // Only blanks make a blank line: one of other control bytes goes back as it came.
    if (content.find_first_not_of(" \t") == std::string_view::npos) return;
    // Each line in its own encoding: a line that is not UTF-8 changes no other line.
    const bool utf8 = win::IsValidUtf8(content);
    const String decoded = utf8 ? String(content) : win::Cp1251ToUtf8(content);
    const String s = TrimLeft(decoded);
    const String trimmed = TrimRight(s);
    if (!trimmed.empty() && trimmed[0] == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      const String name = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
      const bool known = FindSection(name) != nullptr;
      current = &AddSection(name);
      if (!known && !utf8) current->raw = String(bytes);
      return;
    }
    Line line;
    if (!trimmed.empty() && trimmed[0] != ';' && current && SplitKeyLine(s, line.key, line.value)) {
      line.raw = String(bytes);  // written back as it stands while the value is unchanged
      String bytesKey;
      if (!utf8) SplitKeyLine(TrimLeft(content), bytesKey, line.bytes);
      AddLine(*current, std::move(line));
      return;
    }
    // A comment, or a line that cannot be read (no "=", no name, a damaged heading, no section
    // yet): not the store's to change, so it goes back to the file byte for byte.
    line.kept = true;
    line.key = trimmed.empty() ? decoded : trimmed;
    line.raw = String(bytes);
    if (current) {
      AddLine(*current, std::move(line));
    } else {
      FPreamble.push_back(std::move(line));
    }
  });
}

void TMemIniFile::UpdateFile() {
  const String text = FileText();
  try {
    SaveFileSafely(FFileName, [&](TStream* Stream) { Stream->WriteBuffer(text.data(), Integer(text.size())); });
  } catch (const EFCreateError&) {
    throw;
  } catch (const EStreamError& e) {
    // A write that fails half-way (a full disk) is a file that could not be made either, for the
    // system's reason the stream gave ("Stream write error. <reason>"), not for the stream's words.
    std::string_view reason = e.what();
    constexpr std::string_view kWriteError = "Stream write error";
    if (reason.starts_with(kWriteError)) reason.remove_prefix(kWriteError.size());
    if (reason.starts_with(". ")) reason.remove_prefix(2);
    if (reason.empty()) throw EFCreateError(Format("Cannot create file \"%s\"", FFileName));
    throw EFCreateError(Format("Cannot create file \"%s\". %s", FFileName, String(reason)));
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
