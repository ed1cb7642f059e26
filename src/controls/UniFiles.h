#pragma once
// Wide zero-terminated buffers, wide file names and a file stream opened by a wide name.
//
// File names follow this system's rules: "/" separates folders, there are no drive letters,
// and "\" is an ordinary character of a name. A wide name reaches the disk through the
// platform's lossless name mapping (win::NativePathOf), so a name on disk that is not UTF-8
// still opens by the wide name it reads as.

#include <cstddef>
#include <cstdint>

#include "controls/UniSystem.h"
#include "framework/Streams.h"

namespace cs {

char16_t* WideStrEnd(const char16_t* P);
std::size_t WideStrLen(const char16_t* P);
// Copies until N characters are copied or the source ends, then writes a zero.
char16_t* WideStrLCopy(char16_t* Dest, const char16_t* Source, std::size_t N);
// The first occurrence of Character (the terminator itself can be found), or nullptr.
char16_t* WideStrScan(const char16_t* P, char16_t Character);
// Moves N characters; the two ranges may overlap.
char16_t* WideStrMove(char16_t* Dest, const char16_t* Source, std::size_t N);
// A heap buffer of N characters, preceded by a 32-bit field holding N * 2 + 4; freed with
// WideStrDispose.
char16_t* WideStrAlloc(std::size_t N);
// A heap copy of P with its terminator (nullptr for nullptr).
char16_t* WideStrNew(const char16_t* P);
void WideStrDispose(char16_t* P);

WideString WideUpperCaseCopy(std::u16string_view W);
WideString WideLowerCaseCopy(std::u16string_view W);

// The folder separator of this system.
inline constexpr char16_t WidePathDelim = u'/';
// W with "/" appended unless it already ends with one.
WideString WideAddTrailingBackslash(const WideString& W);
// 1-based position of the last character of W found in Delimiters (U+0000 never matches); 0.
std::size_t WideLastDelimiter(std::u16string_view Delimiters, std::u16string_view W);
// The text after the last "/" (the whole path when there is none).
WideString WideFileNamePart(const WideString& Path);

// The access, sharing and disposition values of WideCreateFile.
inline constexpr win::DWORD GENERIC_READ = 0x80000000, GENERIC_WRITE = 0x40000000;
inline constexpr win::DWORD FILE_SHARE_READ = 0x00000001, FILE_SHARE_WRITE = 0x00000002;
inline constexpr win::DWORD CREATE_NEW = 1, CREATE_ALWAYS = 2, OPEN_EXISTING = 3, OPEN_ALWAYS = 4,
                            TRUNCATE_EXISTING = 5;

// Opens or makes a file by its wide name: a descriptor, or -1 with the last error set
// (ERROR_INVALID_PARAMETER for an access without reading or writing, an unknown disposition,
// or truncation without write access). Disposition: CREATE_NEW fails on an existing file,
// CREATE_ALWAYS makes or empties it, OPEN_EXISTING fails on a missing one, OPEN_ALWAYS makes it
// when missing, TRUNCATE_EXISTING empties an existing one. A file made with
// FILE_ATTRIBUTE_READONLY in Flags is read-only. Sharing between the program's own file streams
// is the streams' matter (TFileStream); a bare descriptor takes none, so Share is not kept.
// There are no security descriptors or template files here: Security and Template are unused.
int WideCreateFile(const WideString& Name, win::DWORD Access, win::DWORD Share, const void* Security,
                   win::DWORD Disposition, win::DWORD Flags, win::HANDLE Template);
// Through WideCreateFile. Create makes or empties the file for reading and writing, unshared;
// Open takes the framework's mode bits (access in the low two, sharing in 0xF0) and opens an
// existing file.
int WideFileCreate(const WideString& Name);
int WideFileOpen(const WideString& Name, fw::Word Mode);
win::DWORD WideFileAttributes(const WideString& Name);
bool WideDirExists(const WideString& Name);
bool WideFileExists(const WideString& Name);
// The program's path; raises the last system error when it cannot be read.
WideString WideModuleFileName(win::HMODULE Module = nullptr);

// A file stream opened by a wide name with the framework's modes (fmCreate, or an access and
// a share mode), honouring the share modes of the program's other file streams. Failure raises
// EFCreateError "Cannot create file "%s". %s" or EFOpenError "Cannot open file "%s". %s".
class TUniFileStream : public fw::TFileStream {
 public:
  TUniFileStream(const WideString& FileName, fw::Word Mode);
  const WideString& WideFileName() const { return FWideFileName; }

 private:
  WideString FWideFileName;
};

// The I-th parameter of the program (0: the program's path); empty past the last.
WideString WideParamStr(int Index);
// One parameter of a command line from Text: leading characters up to space and pairs of
// double quotes are skipped; a double quote opens a run copied up to the next one (quotes
// dropped); a parameter ends at a character up to space and holds at most 8192 characters.
// Text moves past the parameter.
WideString WideParseParam(std::u16string_view& Text);

}  // namespace cs
