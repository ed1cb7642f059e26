#include "workspace/PropSaver.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <ctime>
#include <cmath>
#include <cstdio>

#include "chart/PlotCanvas.h"
#include "framework/Controls.h"
#include "framework/FileLock.h"
#include "framework/GraphicsObjects.h"
#include "framework/IniFiles.h"
#include "framework/StdCtrls.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/FileErrors.h"
#include "workspace/SettingsKeeping.h"

namespace workspace {

namespace {

constexpr std::string_view kPreferences = "PREFERENCES";
constexpr char kStoredCR = '\x04';
constexpr char kStoredLF = '\x05';

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t semi = text.find(';', start);
    fields.push_back(text.substr(start, semi == std::string_view::npos ? semi : semi - start));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return fields;
}

bool ParseInteger(std::string_view text, Integer& out) { return fw::TryStrToInt(fw::Trim(text), out); }

bool ParseIntegers(std::string_view text, std::size_t count, Integer* out) {
  auto fields = SplitFields(text);
  if (fields.size() != count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!ParseInteger(fields[i], out[i])) return false;
  }
  return true;
}

bool ParseBoolField(std::string_view text, bool& out) {
  Integer v;
  if (!ParseInteger(text, v)) return false;
  out = v != 0;
  return true;
}

bool InRange(Integer v, Integer low, Integer high) { return v >= low && v <= high; }

String ColorText(fw::TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

String Join(std::initializer_list<String> parts) {
  String out;
  for (const String& p : parts) {
    if (!out.empty() || &p != parts.begin()) out += ';';
    out += p;
  }
  return out;
}

fw::TRadioButton* RadioNamed(const fw::TWinControl* container, std::string_view name) {
  if (name.empty()) return nullptr;
  for (Integer i = 0; i < container->ControlCount(); ++i) {
    auto* radio = dynamic_cast<fw::TRadioButton*>(container->Controls(i));
    if (radio && fw::AnsiSameText(radio->Name(), name)) return radio;
  }
  return nullptr;
}

String B(bool v) { return v ? "1" : "0"; }
String I(Integer v) { return fw::IntToStr(v); }

}  // namespace

TPropSaver::TPropSaver(bool Load) : TPropSaver(std::string_view(kPreferences), Load) {}

// The settings file never stops a caller: one that cannot be read is declared unreadable (the
// store starts empty), and one declared so is not read again.
TPropSaver::TPropSaver(std::string_view Section, bool Load)
    : FIni(std::make_unique<fw::TMemIniFile>(String())), FFileName(SettingsFileName()), FSection(Section),
      FSettingsFile(true) {
  if (!Load || SettingsFileUnreadable()) return;
  try {
    const TFileStamp stamp = StampOf(FFileName);
    FIni = std::make_unique<fw::TMemIniFile>(FFileName);
    FLoadedFrom = stamp;
  } catch (const std::exception& e) {
    DeclareSettingsUnreadable(FileErrorMessage(e, FFileName, faRead));
  }
}

TPropSaver::TPropSaver(const String& FileName, std::string_view Section, bool Load)
    : FFileName(FileName), FSection(Section) {
  const TFileStamp stamp = StampOf(FileName);
  FIni = std::make_unique<fw::TMemIniFile>(Load ? FileName : String());
  if (Load && !FileName.empty()) FLoadedFrom = stamp;
}

// Taken before the file is read: a change made while it is read shows as a different stamp. The
// system keeps file times to a clock tick, so a file changed within the last moments may change
// again with the same times: its stamp tells nothing.
TPropSaver::TFileStamp TPropSaver::StampOf(const String& FileName) {
  struct stat info {};
  if (::stat(FileName.c_str(), &info) != 0) return {errno == ENOENT ? 1 : 0};
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  constexpr long long kNs = 1000000000, kUnsettledNs = 200000000;
  const long long changed = info.st_ctim.tv_sec * kNs + info.st_ctim.tv_nsec;
  if (changed >= now.tv_sec * kNs + now.tv_nsec - kUnsettledNs) return {};
  return {2, info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
          info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
}

std::unique_ptr<TPropSaver> TPropSaver::FromStrings(const fw::TStrings* Lines, std::string_view Section) {
  auto store = std::make_unique<TPropSaver>(String(), Section, false);
  if (Lines) store->SetText(Lines->Text());
  return store;
}

TPropSaver::~TPropSaver() = default;

String TPropSaver::SettingsFileName() { return win::WideToUtf8(win::ModulePathWithExtension(u".ini")); }


// --- plain values -------------------------------------------------------------------------

String TPropSaver::ReadString(std::string_view Ident, const String& Default) const {
  return FIni->ReadString(FSection, Ident, Default);
}

String TPropSaver::ReadFileName(std::string_view Ident, const String& Default) const {
  return FIni->ReadBytes(FSection, Ident, Default);
}

void TPropSaver::WriteString(std::string_view Ident, const String& Value) {
  FIni->WriteString(FSection, Ident, Value);
  if (!FFileName.empty()) FChanges.push_back({TChange::ckWrite, FSection, String(Ident), Value});
}

Integer TPropSaver::ReadInteger(std::string_view Ident, Integer Default) const {
  Integer v;
  return ParseInteger(ReadString(Ident, ""), v) ? v : Default;
}

void TPropSaver::WriteInteger(std::string_view Ident, Integer Value) { WriteString(Ident, I(Value)); }

Integer TPropSaver::ReadInteger(std::string_view Ident, Integer Low, Integer High, Integer Default) const {
  const Integer v = ReadInteger(Ident, Default);
  return InRange(v, Low, High) ? v : Default;
}

bool TPropSaver::ReadBool(std::string_view Ident, bool Default) const {
  bool v;
  return ParseBoolField(ReadString(Ident, ""), v) ? v : Default;
}

void TPropSaver::WriteBool(std::string_view Ident, bool Value) { WriteString(Ident, B(Value)); }

double TPropSaver::ReadFloat(std::string_view Ident, double Default) const {
  String text = fw::Trim(ReadString(Ident, ""));
  fw::Extended v;
  if (!win::TryTextToFloat(text, '.', v)) return Default;
  return double(v);
}

void TPropSaver::WriteFloat(std::string_view Ident, double Value) {
  if (!std::isfinite(Value)) {
    // No text form reads back; the key keeps no value and readers fall back to their default.
    WriteString(Ident, "");
    return;
  }
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, Value);  // shortest exact, '.' always
  WriteString(Ident, ec == std::errc() ? String(buf, end) : String());
}

fw::TColor TPropSaver::ReadColor(std::string_view Ident, fw::TColor Default) const {
  return ReadInteger(Ident, Default);
}

void TPropSaver::WriteColor(std::string_view Ident, fw::TColor Value) { WriteString(Ident, ColorText(Value)); }

fw::TRect TPropSaver::ReadRect(std::string_view Ident, const fw::TRect& Default) const {
  Integer v[4];
  if (!ParseIntegers(ReadString(Ident, ""), 4, v)) return Default;
  return fw::TRect{v[0], v[1], v[2], v[3]};
}

void TPropSaver::WriteRect(std::string_view Ident, const fw::TRect& Value) {
  WriteString(Ident, Join({I(Value.left), I(Value.top), I(Value.right), I(Value.bottom)}));
}

fw::TPoint TPropSaver::ReadPoint(std::string_view Ident, const fw::TPoint& Default) const {
  Integer v[2];
  if (!ParseIntegers(ReadString(Ident, ""), 2, v)) return Default;
  return fw::TPoint{v[0], v[1]};
}

void TPropSaver::WritePoint(std::string_view Ident, const fw::TPoint& Value) {
  WriteString(Ident, Join({I(Value.x), I(Value.y)}));
}

String TPropSaver::ReadMultiLine(std::string_view Ident, const String& Default) const {
  if (!ValueExists(Ident)) return Default;
  String text = ReadString(Ident, Default);
  for (char& c : text) {
    if (c == kStoredCR) c = '\r';
    else if (c == kStoredLF) c = '\n';
  }
  return text;
}

void TPropSaver::WriteMultiLine(std::string_view Ident, const String& Value) {
  String text = Value;
  for (char& c : text) {
    if (c == '\r') c = kStoredCR;
    else if (c == '\n') c = kStoredLF;
  }
  WriteString(Ident, text);
}

bool TPropSaver::ReadStrings(std::string_view Ident, fw::TStrings* Items) const {
  Integer count = ReadInteger(String(Ident) + "Count", -1);
  if (count < 0 || !Items) return false;
  Items->BeginUpdate();
  Items->Clear();
  for (Integer i = 0; i < count; ++i) Items->Add(ReadString(String(Ident) + I(i), ""));
  Items->EndUpdate();
  return true;
}

void TPropSaver::WriteStrings(std::string_view Ident, const fw::TStrings* Items) {
  // Keys of a longer list written before would otherwise read back as stale items.
  // A damaged count (a huge number) would make this run for hours: stale keys are deleted as
  // long as they are there, which is all of them for a list this store wrote.
  Integer old = ReadInteger(String(Ident) + "Count", 0);
  Integer count = Items ? Items->Count() : 0;
  for (Integer i = count; i < old && ValueExists(String(Ident) + I(i)); ++i) DeleteKey(String(Ident) + I(i));
  WriteInteger(String(Ident) + "Count", count);
  for (Integer i = 0; i < count; ++i) WriteString(String(Ident) + I(i), Items->Strings(i));
}

std::vector<Integer> TPropSaver::ReadIntegers(std::string_view Ident, const std::vector<Integer>& Default) const {
  if (!ValueExists(Ident)) return Default;
  String text = fw::Trim(ReadString(Ident, ""));
  if (text.empty()) return {};
  std::vector<Integer> out;
  for (std::string_view f : SplitFields(text)) {
    Integer v;
    if (!ParseInteger(f, v)) return Default;
    out.push_back(v);
  }
  return out;
}

void TPropSaver::WriteIntegers(std::string_view Ident, const std::vector<Integer>& Value) {
  String text;
  for (std::size_t i = 0; i < Value.size(); ++i) {
    if (i) text += ';';
    text += I(Value[i]);
  }
  WriteString(Ident, text);
}

// --- objects -----------------------------------------------------------------------------

bool TPropSaver::ReadFont(std::string_view Ident, fw::TFont* Font) const {
  if (!Font || !ValueExists(Ident)) return false;
  String text = ReadString(Ident, "");
  auto fields = SplitFields(text);
  if (fields.size() < 5) return false;
  Integer size, color, styles, charset;
  if (!ParseInteger(fields[0], size) || !ParseInteger(fields[1], color) || !ParseInteger(fields[2], styles) ||
      !ParseInteger(fields[3], charset) || !InRange(styles, 0, 15) || !InRange(charset, 0, 255) || size == 0 ||
      !InRange(size, -MaxFontSize, MaxFontSize)) {
    return false;
  }
  // The name is everything after the fourth ';'.
  std::size_t nameStart = 0;
  for (int i = 0; i < 4; ++i) nameStart = text.find(';', nameStart) + 1;
  String name = text.substr(nameStart);
  if (name.empty()) return false;
  Font->SetName(name);
  Font->SetSize(size);
  Font->SetColor(color);
  Font->SetStyle(fw::TFontStyles::FromBits(uint64_t(styles)));
  Font->SetCharset(fw::TFontCharset(charset));
  return true;
}

void TPropSaver::WriteFont(std::string_view Ident, const fw::TFont* Font) {
  if (!Font) return;
  WriteString(Ident, Join({I(Font->Size()), ColorText(Font->Color()), I(Integer(Font->Style().Bits())),
                           I(Font->Charset()), Font->Name()}));
}

bool TPropSaver::ReadPen(std::string_view Ident, fw::TPen* Pen) const {
  if (!Pen || !ValueExists(Ident)) return false;
  auto* chartPen = dynamic_cast<chart::TChartPen*>(Pen);
  std::size_t count = chartPen ? 7 : 4;
  Integer v[7];
  if (!ParseIntegers(ReadString(Ident, ""), count, v)) return false;
  if (!InRange(v[1], 1, MaxPenWidth) || !InRange(v[2], fw::psSolid, fw::psInsideFrame) ||
      !InRange(v[3], fw::pmBlack, fw::pmNotXor)) {
    return false;
  }
  if (chartPen && (!InRange(v[4], 0, 1) || !InRange(v[5], chart::esRound, chart::esFlat) || !InRange(v[6], 0, 1))) {
    return false;
  }
  Pen->SetColor(v[0]);
  Pen->SetWidth(v[1]);
  Pen->SetStyle(fw::TPenStyle(v[2]));
  Pen->SetMode(fw::TPenMode(v[3]));
  if (chartPen) {
    chartPen->SetVisible(v[4] != 0);
    chartPen->SetEndStyle(chart::TPenEndStyle(v[5]));
    chartPen->SetSmallDots(v[6] != 0);
  }
  return true;
}

void TPropSaver::WritePen(std::string_view Ident, const fw::TPen* Pen) {
  if (!Pen) return;
  String text = Join({ColorText(Pen->Color()), I(Pen->Width()), I(Pen->Style()), I(Pen->Mode())});
  if (const auto* chartPen = dynamic_cast<const chart::TChartPen*>(Pen)) {
    text += ";" + Join({B(chartPen->Visible()), I(chartPen->EndStyle()), B(chartPen->SmallDots())});
  }
  WriteString(Ident, text);
}

bool TPropSaver::ReadShadow(std::string_view Ident, chart::TPlotShadow* Shadow) const {
  if (!Shadow) return false;
  Integer v[5];
  if (!ParseIntegers(ReadString(Ident, ""), 5, v)) return false;
  if (!InRange(v[1], -MaxOffset, MaxOffset) || !InRange(v[2], -MaxOffset, MaxOffset) || !InRange(v[3], 0, 100) ||
      !InRange(v[4], 0, 1))
    return false;
  Shadow->Color = v[0];
  Shadow->HorizSize = v[1];
  Shadow->VertSize = v[2];
  Shadow->Transparency = v[3];
  Shadow->Smooth = v[4] != 0;
  return true;
}

void TPropSaver::WriteShadow(std::string_view Ident, const chart::TPlotShadow* Shadow) {
  if (!Shadow) return;
  WriteString(Ident, Join({ColorText(Shadow->Color), I(Shadow->HorizSize), I(Shadow->VertSize),
                           I(Shadow->Transparency), B(Shadow->Smooth)}));
}

bool TPropSaver::ReadGradient(std::string_view Ident, chart::TPlotGradient* Gradient) const {
  if (!Gradient) return false;
  Integer v[8];
  if (!ParseIntegers(ReadString(Ident, ""), 8, v)) return false;
  if (!InRange(v[0], 0, 1) || !InRange(v[1], chart::gdTopBottom, chart::gdDiagonalDown) || !InRange(v[5], 0, 100) ||
      !InRange(v[6], -MaxOffset, MaxOffset) || !InRange(v[7], -MaxOffset, MaxOffset)) {
    return false;
  }
  Gradient->Visible = v[0] != 0;
  Gradient->Direction = chart::TGradientDirection(v[1]);
  Gradient->StartColor = v[2];
  Gradient->MidColor = v[3];
  Gradient->EndColor = v[4];
  Gradient->Balance = v[5];
  Gradient->RadialX = v[6];
  Gradient->RadialY = v[7];
  return true;
}

void TPropSaver::WriteGradient(std::string_view Ident, const chart::TPlotGradient* Gradient) {
  if (!Gradient) return;
  WriteString(Ident, Join({B(Gradient->Visible), I(Gradient->Direction), ColorText(Gradient->StartColor),
                           ColorText(Gradient->MidColor), ColorText(Gradient->EndColor), I(Gradient->Balance),
                           I(Gradient->RadialX), I(Gradient->RadialY)}));
}

bool TPropSaver::ReadFormPosition(fw::TControl* Form) const {
  if (!Form) return false;
  Integer v[4];
  if (!ParseIntegers(ReadString(Form->Name() + "Position", ""), 4, v)) return false;
  if (v[2] <= 0 || v[3] <= 0) return false;
  Form->SetBounds(v[0], v[1], v[2], v[3]);
  return true;
}

void TPropSaver::WriteFormPosition(const fw::TControl* Form) {
  if (!Form) return;
  WriteString(Form->Name() + "Position", Join({I(Form->Left()), I(Form->Top()), I(Form->Width()), I(Form->Height())}));
}

bool TPropSaver::ReadRadioButton(std::string_view Ident, fw::TWinControl* Container, const String& Default) const {
  if (!Container) return false;
  fw::TRadioButton* radio = RadioNamed(Container, fw::Trim(ReadString(Ident, "")));
  if (!radio) radio = RadioNamed(Container, Default);
  if (!radio) return false;
  radio->SetChecked(true);
  return true;
}

void TPropSaver::WriteRadioButton(std::string_view Ident, const fw::TWinControl* Container) {
  if (!Container) return;
  for (Integer i = 0; i < Container->ControlCount(); ++i) {
    auto* radio = dynamic_cast<fw::TRadioButton*>(Container->Controls(i));
    if (radio && radio->Checked()) {
      WriteString(Ident, radio->Name());
      return;
    }
  }
  WriteString(Ident, "");
}

// --- sections and the file ---------------------------------------------------------------

void TPropSaver::ReadSection(std::string_view Section, fw::TStrings* Strings) const {
  if (Strings) FIni->ReadSection(Section, Strings);
}

void TPropSaver::ReadSections(fw::TStrings* Strings) const {
  if (Strings) FIni->ReadSections(Strings);
}

void TPropSaver::ReadSectionValues(std::string_view Section, fw::TStrings* Strings) const {
  if (Strings) FIni->ReadSectionValues(Section, Strings);
}

bool TPropSaver::ValueExists(std::string_view Ident) const { return FIni->ValueExists(FSection, Ident); }

std::optional<String> TPropSaver::ValueIn(std::string_view Section, std::string_view Ident) const {
  if (!FIni->ValueExists(Section, Ident)) return std::nullopt;
  return FIni->ReadString(Section, Ident, String());
}

void TPropSaver::EraseSection(std::string_view Section) {
  FIni->EraseSection(Section);
  if (!FFileName.empty()) FChanges.push_back({TChange::ckEraseSection, String(Section), {}, {}});
}

void TPropSaver::DeleteKey(std::string_view Ident) {
  FIni->DeleteKey(FSection, Ident);
  if (!FFileName.empty()) FChanges.push_back({TChange::ckDeleteKey, FSection, String(Ident), {}});
}

String TPropSaver::GetText() const { return FIni->GetText(); }

void TPropSaver::SetText(std::string_view Text) {
  FIni->SetText(Text);
  if (!FFileName.empty()) FChanges = {{TChange::ckReplace, {}, {}, String(Text)}};
}

void TPropSaver::UpdateFile() {
  if (FFileName.empty()) throw fw::EFCreateError("Cannot create file \"\". The store has no file");
  // What could not be read may hold more than this store saw: it is not written over.
  if (FSettingsFile && SettingsFileUnreadable()) throw fw::Exception(SettingsUnreadReason());
  // The file as it is now (other stores may have saved since this one was loaded), with this
  // store's changes on top, in the order they were made; read and written under the file's lock,
  // so that another copy of the program saving at the same moment neither reads it before this
  // write nor writes over it after.
  const fw::TFileLock lock(FFileName);
  // Unchanged since this store read it, the file with the changes on top is what the store holds:
  // it is not read a second time.
  const TFileStamp now = StampOf(FFileName);
  if (now.Kind != 0 && now == FLoadedFrom) {
    FIni->UpdateFile();
    FChanges.clear();
    FLoadedFrom = {};
    return;
  }
  auto merged = std::make_unique<fw::TMemIniFile>(FFileName);
  for (const TChange& c : FChanges) {
    switch (c.Kind) {
      case TChange::ckWrite: merged->WriteString(c.Section, c.Ident, c.Value); break;
      case TChange::ckDeleteKey: merged->DeleteKey(c.Section, c.Ident); break;
      case TChange::ckEraseSection: merged->EraseSection(c.Section); break;
      case TChange::ckReplace: merged->SetText(c.Value); break;
    }
  }
  merged->UpdateFile();
  FIni = std::move(merged);
  FChanges.clear();
  FLoadedFrom = {};
}

}  // namespace workspace
