#pragma once
// Settings files in the ini format, held in memory: sections of name=value lines, names of
// sections and keys compared without case (found in constant time). ";" comment lines, and lines
// the store cannot read (no "=", a damaged heading, text before the first section), are never
// read as values and go back to the file byte for byte. A key holding "=" is written in quotes so
// that it reads back. Values are kept as they stand after the "=" (no trimming); a line break
// inside a value cannot be stored on its line and is written as a blank.
// Files are read line by line as UTF-8, or as Windows Cyrillic where a line is not UTF-8; every
// line goes back to the file byte for byte while the program leaves its value unchanged, so a
// damaged line never spreads. Changed values are written as UTF-8; numbers always use ".".
// A file in UTF-16 (told by its byte-order mark, or by its NUL bytes without one) is read as
// text and written back in UTF-16 of the same byte order, with its mark when it had one; so is
// UTF-8 after a mark.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/Persistent.h"
#include "framework/TextFileEncoding.h"

namespace fw {

class TStrings;

// Larger settings files are refused rather than read in part.
inline constexpr Int64 MaxIniFileSize = Int64(256) << 20;

class TMemIniFile : public TObject {
 public:
  // Reads the file when it exists; a missing file gives an empty store. A file that cannot be
  // read whole (not a regular file, above MaxIniFileSize, a failing read) raises EFOpenError or
  // EReadError: it is never taken for an empty one. So does UTF-16 that does not read as text
  // (EReadError with kDamagedUtf16Text): it is never read, nor written back, as bytes.
  explicit TMemIniFile(const String& FileName);
  ~TMemIniFile() override;

  const String& FileName() const { return FFileName; }
  String ReadString(std::string_view Section, std::string_view Ident, const String& Default) const;
  // The value's bytes as the file has them: a line that is not UTF-8 is not decoded (a file
  // name must name the same file). ReadString for every other value.
  String ReadBytes(std::string_view Section, std::string_view Ident, const String& Default) const;
  virtual void WriteString(std::string_view Section, std::string_view Ident, const String& Value);
  // Decimal, or hexadecimal after "0x" or "$"; Default for anything else.
  Integer ReadInteger(std::string_view Section, std::string_view Ident, Integer Default) const;
  void WriteInteger(std::string_view Section, std::string_view Ident, Integer Value);
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
  void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
  Extended ReadFloat(std::string_view Section, std::string_view Ident, Extended Default) const;
  void WriteFloat(std::string_view Section, std::string_view Ident, Extended Value);

  // Key names of a section / section names / name=value lines of a section, in file order.
  void ReadSection(std::string_view Section, TStrings* Strings) const;
  void ReadSections(TStrings* Strings) const;
  void ReadSectionValues(std::string_view Section, TStrings* Strings) const;
  bool SectionExists(std::string_view Section) const;
  bool ValueExists(std::string_view Section, std::string_view Ident) const;
  virtual void EraseSection(std::string_view Section);
  virtual void DeleteKey(std::string_view Section, std::string_view Ident);
  void Clear();

  // The whole store as ini text (UTF-8, CR LF line ends) and back; SetText decodes as files
  // are decoded.
  String GetText() const;
  void SetText(std::string_view Text);

  // Writes the file atomically: a temporary file in the same folder, then a rename over the
  // old one. Failure raises EFCreateError and leaves the old file as it was.
  virtual void UpdateFile();

 private:
  struct Line;
  struct Section;
  Section* FindSection(std::string_view name) const;
  Section& AddSection(std::string_view name);
  void AddLine(Section& section, Line line);
  Line* FindKey(std::string_view section, std::string_view ident) const;
  // The text written to the file: GetText with the untouched lines of the file in their bytes.
  String FileText() const;
  String Text(bool Raw) const;

  String FFileName;
  std::vector<std::unique_ptr<Section>> FSections;
  std::unordered_map<std::u16string, Section*> FIndex;  // by folded name: lookups in constant time
  std::vector<Line> FPreamble;  // the lines before the first section
  TTextFileEncoding FEncoding = TTextFileEncoding::Bytes;  // the file's, written back in it
};

// The same store writing every change to the file at once.
class TIniFile : public TMemIniFile {
 public:
  explicit TIniFile(const String& FileName) : TMemIniFile(FileName) {}
  void WriteString(std::string_view Section, std::string_view Ident, const String& Value) override;
  void EraseSection(std::string_view Section) override;
  void DeleteKey(std::string_view Section, std::string_view Ident) override;
};

}  // namespace fw
