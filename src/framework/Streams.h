#pragma once
// Streams: the abstract TStream, handle and file streams (with share modes honoured between the
// streams of this process), memory, string and resource streams.

#include <string>
#include <vector>

#include "framework/Persistent.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TComponent;

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };
inline constexpr TSeekOrigin soBeginning = soFromBeginning;
inline constexpr TSeekOrigin soCurrent = soFromCurrent;
inline constexpr TSeekOrigin soEnd = soFromEnd;

// "Stream write error", followed by ". " and the system's reason for Error when it is not 0.
String WriteErrorMessage(int Error);

class TStream : public TObject {
 public:
  // Bytes read or written, fewer at the end of the data or on failure.
  virtual Integer Read(void* Buffer, Integer Count) = 0;
  virtual Integer Write(const void* Buffer, Integer Count) = 0;
  // The new position, or -1 when the stream cannot seek there.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize);

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error", followed
  // by ". " and the system's reason when a file's write failed (WriteErrorMessage).
  void ReadBuffer(void* Buffer, Integer Count);
  void WriteBuffer(const void* Buffer, Integer Count);
  // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its start.
  Int64 CopyFrom(TStream* Source, Int64 Count);
  // The bytes from the position to the end.
  std::string ReadRemaining();

  // A component with its children in the binary component form (Filer.h), and back: the read
  // makes a new component through the class registry with the given owner.
  void WriteComponent(TComponent* Instance);
  TComponent* ReadComponent(TComponent* Owner);
};

// A stream over a POSIX file descriptor; the descriptor belongs to the caller.
class THandleStream : public TStream {
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  int Handle() const { return FHandle; }
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;

 protected:
  int FHandle = -1;
};

inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;  // as exclusive
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A file by its UTF-8 name. fmCreate makes or empties the file, opened for reading and writing
// with no sharing; otherwise the low bits choose the access and the 0xF0 bits the sharing. An
// open that conflicts with another open stream of this process on the same file fails like a
// missing file: EFCreateError "Cannot create file "%s". %s" or EFOpenError
// "Cannot open file "%s". %s", the second %s being the system's reason. A file to be created
// is not emptied when the creation is refused.
class TFileStream : public THandleStream {
 public:
  TFileStream(const String& AFileName, Word Mode);
  ~TFileStream() override;
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  void* FShareEntry = nullptr;
};

// Memory owned elsewhere, read-only through this class.
class TCustomMemoryStream : public TStream {
 public:
  Integer Read(void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return FSize; }
  const void* Memory() const { return FMemory; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);

 protected:
  void SetPointer(const void* Ptr, Int64 Size);
  const void* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  Integer Write(const void* Buffer, Integer Count) override;
  Integer Read(void* Buffer, Integer Count) override { return TCustomMemoryStream::Read(Buffer, Count); }
  void SetSize(Int64 NewSize) override;
  void Clear();
  using TCustomMemoryStream::Memory;
  void* Memory() { return FData.data(); }
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);

 private:
  void Sync();
  std::vector<unsigned char> FData;
};

class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const std::string& AString = {});
  std::string DataString() const;
  // Up to Count bytes from the position.
  std::string ReadString(Integer Count);
  void WriteString(const std::string& AString);
};

// A resource of the program's bundle; writing raises EStreamError. A missing resource raises
// EResNotFound "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
 public:
  TResourceStream(win::HINSTANCE Instance, win::LPCWSTR ResName, win::LPCWSTR ResType);
  Integer Write(const void* Buffer, Integer Count) override;
};

}  // namespace fw
