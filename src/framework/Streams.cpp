#include "framework/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <list>
#include <mutex>

#include "framework/SysUtils.h"
#include "platform/kernel/Resources.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

// TStream --------------------------------------------------------------------------------------

Int64 TStream::Size() {
  Int64 pos = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

String WriteErrorMessage(int Error) {
  return Error ? Format("Stream write error. %s", SysErrorMessage(Error)) : String("Stream write error");
}

void TStream::SetSize(Int64) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* Buffer, Integer Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count) {
  if (Count < 0) throw EWriteError("Stream write error");
  errno = 0;  // a stream over a file leaves the system's reason of a failed write here
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(WriteErrorMessage(errno));
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  Int64 result = Count;
  std::vector<char> buffer(std::size_t(std::min<Int64>(Count, 0xF000)) + 1);
  while (Count > 0) {
    Integer n = Integer(std::min<Int64>(Count, Int64(buffer.size())));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return result;
}

std::string TStream::ReadRemaining() {
  Int64 left = Size() - Position();
  std::string bytes(std::size_t(std::max<Int64>(left, 0)), '\0');
  // In pieces a single Read can count: a stream above 2 GiB is read whole too.
  std::size_t done = 0;
  while (done < bytes.size()) {
    const Integer piece = Integer(std::min<std::size_t>(bytes.size() - done, std::size_t(1) << 30));
    const Integer n = Read(bytes.data() + done, piece);
    if (n <= 0) break;
    done += std::size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

// THandleStream --------------------------------------------------------------------------------

Integer THandleStream::Read(void* Buffer, Integer Count) {
  if (FHandle < 0 || Count <= 0) return 0;
  Integer total = 0;
  while (total < Count) {
    ssize_t n = ::read(FHandle, static_cast<char*>(Buffer) + total, std::size_t(Count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += Integer(n);
  }
  return total;
}

Integer THandleStream::Write(const void* Buffer, Integer Count) {
  if (FHandle < 0 || Count <= 0) return 0;
  Integer total = 0;
  while (total < Count) {
    ssize_t n = ::write(FHandle, static_cast<const char*>(Buffer) + total, std::size_t(Count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += Integer(n);
  }
  return total;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  if (FHandle < 0) return -1;
  int whence = Origin == soFromBeginning ? SEEK_SET : Origin == soFromCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(FHandle, off_t(Offset), whence);
}

void THandleStream::SetSize(Int64 NewSize) {
  Int64 pos = Position();
  if (NewSize < 0 || ::ftruncate(FHandle, off_t(NewSize)) != 0) {
    throw EStreamError(Format("Stream size cannot be changed. %s", SysErrorMessage(errno)));
  }
  if (pos > NewSize) Seek(NewSize, soBeginning);
}

// TFileStream ----------------------------------------------------------------------------------

namespace {

// The streams of this process that have a file open, so that share modes work between them.
struct ShareEntry {
  dev_t device;
  ino_t inode;
  bool read, write;            // access taken
  bool shareRead, shareWrite;  // access granted to other opens
};
std::mutex gShareLock;
std::list<ShareEntry> gShares;

void ShareOf(Word mode, bool& read, bool& write) {
  switch ((mode & 0xF0) >> 4) {
    case 2:  // deny write
      read = true, write = false;
      break;
    case 3:  // deny read
      read = false, write = true;
      break;
    case 4:  // deny none
      read = write = true;
      break;
    default:  // compatible and exclusive share nothing
      read = write = false;
  }
}

const char* const kSharingViolation = "The process cannot access the file because it is being used by another process.";

}  // namespace

TFileStream::TFileStream(const String& AFileName, Word Mode) : THandleStream(-1), FFileName(AFileName) {
  const bool create = Mode == fmCreate;
  ShareEntry entry{};
  if (create) {
    entry.read = entry.write = true;
  } else {
    entry.read = (Mode & 3) == fmOpenRead || (Mode & 3) == fmOpenReadWrite;
    entry.write = (Mode & 3) == fmOpenWrite || (Mode & 3) == fmOpenReadWrite;
    ShareOf(Mode, entry.shareRead, entry.shareWrite);
  }
  auto fail = [&](const String& reason) -> void {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
    if (create) throw EFCreateError(Format("Cannot create file \"%s\". %s", AFileName, reason));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", AFileName, reason));
  };
  int flags = O_CLOEXEC | (entry.read && entry.write ? O_RDWR : entry.write ? O_WRONLY : O_RDONLY);
  if (create) flags |= O_CREAT;  // emptied only once the share check has passed
  FHandle = ::open(AFileName.c_str(), flags, 0666);
  if (FHandle < 0) fail(SysErrorMessage(errno));
  struct stat st {};
  if (::fstat(FHandle, &st) != 0) fail(SysErrorMessage(errno));
  if (S_ISDIR(st.st_mode)) fail(SysErrorMessage(EISDIR));
  entry.device = st.st_dev;
  entry.inode = st.st_ino;
  {
    std::lock_guard lock(gShareLock);
    for (const ShareEntry& other : gShares) {
      if (other.device != entry.device || other.inode != entry.inode) continue;
      bool conflict = (entry.read && !other.shareRead) || (entry.write && !other.shareWrite) ||
                      (other.read && !entry.shareRead) || (other.write && !entry.shareWrite);
      if (conflict) fail(kSharingViolation);
    }
    gShares.push_back(entry);
    FShareEntry = &gShares.back();
  }
  if (create && ::ftruncate(FHandle, 0) != 0) {
    int error = errno;
    std::lock_guard lock(gShareLock);
    gShares.remove_if([this](const ShareEntry& e) { return &e == FShareEntry; });
    FShareEntry = nullptr;
    fail(SysErrorMessage(error));
  }
}

TFileStream::~TFileStream() {
  if (FShareEntry) {
    std::lock_guard lock(gShareLock);
    gShares.remove_if([this](const ShareEntry& e) { return &e == FShareEntry; });
  }
  if (FHandle >= 0) ::close(FHandle);
}

// Memory streams -------------------------------------------------------------------------------

void TCustomMemoryStream::SetPointer(const void* Ptr, Int64 Size) {
  FMemory = Ptr;
  FSize = Size;
}

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count) {
  if (Count <= 0 || FPosition >= FSize) return 0;
  Integer n = Integer(std::min<Int64>(Count, FSize - FPosition));
  std::memcpy(Buffer, static_cast<const char*>(FMemory) + FPosition, std::size_t(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 base = Origin == soFromBeginning ? 0 : Origin == soFromCurrent ? FPosition : FSize;
  if (base + Offset < 0) return -1;
  FPosition = base + Offset;
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (FSize > 0) Stream->WriteBuffer(FMemory, Integer(FSize));
}

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

void TMemoryStream::Sync() { SetPointer(FData.data(), Int64(FData.size())); }

Integer TMemoryStream::Write(const void* Buffer, Integer Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  std::size_t end = std::size_t(FPosition) + std::size_t(Count);
  if (end > FData.size()) FData.resize(end);
  std::memcpy(FData.data() + FPosition, Buffer, std::size_t(Count));
  FPosition = Int64(end);
  Sync();
  return Count;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) throw EStreamError("Stream size cannot be changed");
  try {
    FData.resize(std::size_t(NewSize));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
  Sync();
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
  Sync();
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 count = Stream->Size();
  SetSize(count);
  if (count > 0) Stream->ReadBuffer(FData.data(), Integer(count));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

TStringStream::TStringStream(const std::string& AString) {
  WriteString(AString);
  FPosition = 0;
}

std::string TStringStream::DataString() const {
  return std::string(static_cast<const char*>(FMemory), std::size_t(FSize));
}

std::string TStringStream::ReadString(Integer Count) {
  Integer n = Integer(std::max<Int64>(0, std::min<Int64>(Count, FSize - FPosition)));
  std::string s(std::size_t(n), '\0');
  if (n > 0) Read(s.data(), n);
  return s;
}

void TStringStream::WriteString(const std::string& AString) { Write(AString.data(), Integer(AString.size())); }

TResourceStream::TResourceStream(win::HINSTANCE Instance, win::LPCWSTR ResName, win::LPCWSTR ResType) {
  win::HRSRC res = win::FindResourceW(Instance, ResName, ResType);
  if (!res) {
    String name = win::IS_INTRESOURCE(ResName) ? IntToStr(reinterpret_cast<uintptr_t>(ResName))
                                               : win::WideToUtf8(std::u16string_view(ResName));
    throw EResNotFound(Format("Resource %s not found", name));
  }
  win::HGLOBAL data = win::LoadResource(Instance, res);
  SetPointer(win::LockResource(data), win::SizeofResource(Instance, res));
}

Integer TResourceStream::Write(const void*, Integer) {
  throw EStreamError("Can't write to a read-only resource stream");
}

}  // namespace fw
