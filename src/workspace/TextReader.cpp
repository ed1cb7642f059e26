// The two-column text reader: one pass over the bytes, numbers read in place.
#include "workspace/TextReader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "chart/PlotEngine.h"
#include "framework/SysUtils.h"
#include "platform/kernel/HeapReuse.h"
#include "platform/kernel/SharedWork.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/LineEndCounter.h"
#include "workspace/Preferences.h"
#include "workspace/TextReaderAdvice.h"

namespace workspace {

namespace {

// Larger files would not fit as points in memory next to their text.
constexpr std::int64_t MaxTextFileSize = std::int64_t(1) << 30;

constexpr double Pow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline unsigned DigitOf(char c) { return unsigned(static_cast<unsigned char>(c)) - unsigned('0'); }

// The exact conversion for what the fast path cannot do exactly: the number rewritten with "."
// for std::from_chars. Magnitude > 0 marks a value too large (rather than too small) when the
// result is out of range.
// Half a unit of the 15th digit above the 15-digit text of the largest double.
constexpr long double MaxDoubleText = 1.797693134862325e308L;

bool ParseSlow(const char* p, const char* end, char Separator, bool Negative, long Magnitude, double& Value) {
  std::string buffer;
  buffer.reserve(std::size_t(end - p));
  for (; p < end; ++p) buffer.push_back(*p == Separator ? '.' : *p);
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), v);
  if (ec == std::errc::result_out_of_range) {
    if (Magnitude > 0) {
      // Past the largest double only by the rounding of 15-digit text ("1,79769313486232E308"
      // is DBL_MAX written so): the largest double. Anything further is too large.
      long double wide = 0;
      const auto [widePtr, wideEc] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), wide);
      if (wideEc != std::errc() || widePtr != buffer.data() + buffer.size() || !(wide < MaxDoubleText)) return false;
      v = std::numeric_limits<double>::max();
    } else {
      v = 0.0;  // too small: zero
    }
  } else if (ec != std::errc() || ptr != buffer.data() + buffer.size() || !std::isfinite(v)) {
    return false;
  }
  Value = Negative ? -v : v;
  return true;
}

// Whether p may be read: always in a text that ends in a line end (see ScanNumber).
template <bool Bounded>
inline bool Inside(const char* p, const char* End) {
  return !Bounded || p < End;
}

// The grammar of ParseNumberField from p on; End is where the text ends. Returns where the
// number ends (the caller decides what may follow), or nullptr when no number starts at p.
// The digits are gathered in an integer; when there are at most 19 of them and that integer
// and the power of ten are both exact doubles, one multiplication or division rounds
// correctly, which covers ordinary data. Anything else goes the exact way.
// Bounded false: the text is known to hold a line end (CR or LF) at or after p and before End,
// which stops every loop here, so End need not be compared.
template <bool Bounded>
[[gnu::always_inline]] inline const char* ScanNumber(const char* p, const char* End, char Separator, double& Value) {
  bool negative = false;
  if (Inside<Bounded>(p, End) && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* digits = p;
  std::uint64_t mantissa = 0;
  while (Inside<Bounded>(p, End) && DigitOf(*p) <= 9) mantissa = mantissa * 10 + DigitOf(*p++);
  const long intDigits = long(p - digits);
  long fracDigits = 0;
  if (Inside<Bounded>(p, End) && *p == Separator) {
    const char* frac = ++p;
    while (Inside<Bounded>(p, End) && DigitOf(*p) <= 9) mantissa = mantissa * 10 + DigitOf(*p++);
    fracDigits = long(p - frac);
  }
  if (intDigits + fracDigits == 0) return nullptr;
  long exp10 = 0;
  if (Inside<Bounded>(p, End) && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool expNegative = false;
    if (Inside<Bounded>(q, End) && (*q == '+' || *q == '-')) expNegative = *q++ == '-';
    const char* expDigits = q;
    while (Inside<Bounded>(q, End) && DigitOf(*q) <= 9) {
      if (exp10 < 100000000) exp10 = exp10 * 10 + long(DigitOf(*q));
      ++q;
    }
    if (q == expDigits) return nullptr;
    if (expNegative) exp10 = -exp10;
    p = q;
  }
  if (intDigits + fracDigits <= 19) {
    if (mantissa == 0) {
      Value = negative ? -0.0 : 0.0;
      return p;
    }
    const long e = exp10 - fracDigits;
    if (mantissa <= (std::uint64_t(1) << 53) && e >= -22 && e <= 22) {
      double v = double(mantissa);
      v = e < 0 ? v / Pow10[-e] : v * Pow10[e];
      Value = negative ? -v : v;
      return p;
    }
  }
  // Magnitude of the value for out-of-range results: digits before the separator (without
  // leading zeros) plus the exponent.
  const char* firstNonZero = digits;
  while (firstNonZero < digits + intDigits && *firstNonZero == '0') ++firstNonZero;
  const long magnitude = long(digits + intDigits - firstNonZero) + exp10;
  return ParseSlow(digits, p, Separator, negative, magnitude, Value) ? p : nullptr;
}

bool ParseNumber(const char* p, const char* end, char Separator, double& Value) {
  while (p < end && IsBlank(*p)) ++p;
  while (end > p && IsBlank(end[-1])) --end;
  double v;
  if (ScanNumber<true>(p, end, Separator, v) != end) return false;
  Value = v;
  return true;
}

enum TCharClass : unsigned char { ccText = 0, ccDelimiter = 1, ccLineEnd = 2 };
using TClassTable = std::array<unsigned char, 256>;

// Non-ASCII delimiters are replaced in the (UTF-8) text by this control character, which then
// delimits in their place.
constexpr char WideDelimiterMark = '\x01';

// Files are read in pieces of this size, so the text never needs memory of its own size.
constexpr std::size_t ChunkSize = std::size_t(1) << 20;

// Splits the UTF-8 text into its characters' byte sequences.
std::vector<std::string_view> Utf8Characters(std::string_view Text) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < Text.size();) {
    const unsigned char c = static_cast<unsigned char>(Text[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    n = std::min(n, Text.size() - i);
    chars.push_back(Text.substr(i, n));
    i += n;
  }
  return chars;
}

// The character classes of the settings; Wide receives the delimiters outside ASCII.
TClassTable MakeClasses(const TTextReaderSettings& Settings, std::vector<std::string_view>& Wide) {
  TClassTable classes{};
  classes[static_cast<unsigned char>('\r')] = ccLineEnd;
  classes[static_cast<unsigned char>('\n')] = ccLineEnd;
  for (std::string_view c : Utf8Characters(Settings.Delimiters)) {
    const unsigned char b = static_cast<unsigned char>(c[0]);
    if (c.size() == 1 && b < 0x80) {
      if (classes[b] != ccLineEnd) classes[b] = ccDelimiter;
    } else {
      Wide.push_back(c);
    }
  }
  if (!Wide.empty()) classes[static_cast<unsigned char>(WideDelimiterMark)] = ccDelimiter;
  return classes;
}

// The text in UTF-8 with every wide delimiter replaced by WideDelimiterMark.
std::string MarkWideDelimiters(std::string_view Text, const std::vector<std::string_view>& Wide) {
  std::string utf8 = win::DecodeTextToUtf8(Text);
  for (std::string_view d : Wide) {
    std::string replaced;
    replaced.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
      if (utf8.compare(i, d.size(), d) == 0) {
        replaced.push_back(WideDelimiterMark);
        i += d.size();
      } else {
        replaced.push_back(utf8[i++]);
      }
    }
    utf8.swap(replaced);
  }
  return utf8;
}

// Reads lines, fed in pieces that end on a line end, and hands each point to Sink::Add(X, Y).
template <typename Sink>
class TLineScanner {
 public:
  TLineScanner(const TClassTable& Classes, char Separator, Integer SkipLines, Sink& Points)
      : FClasses(Classes),
        // A line end cannot separate decimals (and would carry a number past its line).
        FSeparator(Separator == '\r' || Separator == '\n' ? '\0' : Separator),
        FSkip(std::max<Integer>(SkipLines, 0)),
        FSink(Points) {}

  // Scans the lines of [p, End), which ends just after a line end (or is empty).
  void ScanLines(const char* p, const char* const End) {
    if (p == End) return;
    p = AfterByteOrderMark(p, End);
    while (p < End) {
      if (FSkip > 0) {
        --FSkip;
        p = SkipToLineEnd(p);
      } else {
        p = ScanLine(p);
      }
      p = PastLineEnd(p, End);
    }
  }

  // Scans a last line that has no line end: a copy of it gets one.
  void ScanLastLine(const char* p, const char* End) {
    if (p == End) return;
    std::string line(p, End);
    line.push_back('\n');
    ScanLines(line.data(), line.data() + line.size());
  }

  // The piece of an overlong line that is no point: it is consumed as one (unparsable) line
  // across several pieces, counted when its end arrives.
  void ScanOverlongStart() {
    if (!FInOverlong && FSkip > 0)
      --FSkip;
    else if (!FInOverlong)
      ++FSkipped;
    FInOverlong = true;
    FMetOverlong = true;
    FAtStart = false;
  }
  bool InOverlong() const { return FInOverlong; }
  void EndOverlong() { FInOverlong = false; }
  // Whether an overlong line was met at all.
  bool MetOverlong() const { return FMetOverlong; }
  // The text scanned starts past the file's start: a byte order mark there is text.
  void StartInsideText() { FAtStart = false; }
  // Lines past the header lines that gave no point, blank lines left out.
  std::size_t Skipped() const { return FSkipped; }

 private:
  unsigned char Class(const char* c) const { return FClasses[static_cast<unsigned char>(*c)]; }

  const char* AfterByteOrderMark(const char* p, const char* End) {
    if (!FAtStart) return p;
    FAtStart = false;
    if (End - p >= 3 && static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB &&
        static_cast<unsigned char>(p[2]) == 0xBF)
      p += 3;
    return p;
  }

  // The loops below stop at the line end every scanned text holds before its end.
  const char* SkipToLineEnd(const char* p) const {
    while (Class(p) != ccLineEnd) ++p;
    return p;
  }

  // CR LF, LF or a lone CR ends a line.
  static const char* PastLineEnd(const char* p, const char* End) {
    if (*p == '\r' && p + 1 < End && p[1] == '\n') return p + 2;
    return p + 1;
  }

  const char* SkipBlanks(const char* p) const {
    while (IsBlank(*p) && Class(p) == ccText) ++p;
    return p;
  }

  // One number field from p: blanks, the number, blanks, then a delimiter or a line end.
  // nullptr when the field is anything else.
  const char* Field(const char* p, double& Value) const {
    p = ScanNumber<false>(SkipBlanks(p), nullptr, FSeparator, Value);
    if (!p) return nullptr;
    p = SkipBlanks(p);
    return Class(p) != ccText ? p : nullptr;
  }

  // A line from p gave no point: counted unless it is blank.
  [[gnu::noinline]] void NoPoint(const char* p) {
    if (Class(SkipBlanks(p)) != ccLineEnd) ++FSkipped;
  }

  const char* ScanLine(const char* p) {
    while (Class(p) == ccDelimiter) ++p;
    double x, y;
    const char* q = Field(p, x);
    bool added = false;
    if (q && Class(q) == ccDelimiter) {
      while (Class(q) == ccDelimiter) ++q;
      if (Class(q) == ccText) {
        q = Field(q, y);
        if (q) {
          FSink.Add(x, y);
          added = true;
        }
      }
    }
    if (!added) [[unlikely]]
      NoPoint(p);
    return SkipToLineEnd(q ? q : p);
  }

  const TClassTable& FClasses;
  const char FSeparator;
  Integer FSkip;
  Sink& FSink;
  bool FAtStart = true;
  bool FInOverlong = false;
  bool FMetOverlong = false;
  std::size_t FSkipped = 0;
};

// Whether the X values seen so far ascend (equal ones allowed).
struct TOrderWatch {
  double LastX = -std::numeric_limits<double>::infinity();
  bool Ascending = true;
  void See(double X) {
    Ascending = Ascending && X >= LastX;
    LastX = X;
  }
};

struct TPointsSink {
  TTwoColumnPoints& Points;
  // Points are about a line each; reserved pages that stay untouched cost nothing.
  void Reserve(std::size_t TextSize) {
    const std::size_t estimate = Points.X.size() + TextSize / 12 + 2;
    Points.X.reserve(estimate);
    Points.Y.reserve(estimate);
  }
  void Add(double X, double Y) {
    Points.X.push_back(X);
    Points.Y.push_back(Y);
  }
};

// A growable array of doubles. Large ones live in anonymous memory that the kernel may back
// with huge pages: the points of a large file cost a few page faults instead of thousands, and
// growing remaps pages instead of copying them. Small ones stay on the heap, whose memory is
// used again from file to file.
class TPagedArray {
 public:
  TPagedArray() = default;
  ~TPagedArray() {
    if (FMapped)
      ::munmap(FData, FBytes);
    else
      std::free(FData);
  }
  TPagedArray(const TPagedArray&) = delete;
  TPagedArray& operator=(const TPagedArray&) = delete;

  double* Data() const { return FData; }
  std::size_t Capacity() const { return FBytes / sizeof(double); }
  // Room for at least Count values, the values kept. Raises std::bad_alloc.
  void Grow(std::size_t Count) {
    constexpr std::size_t huge = std::size_t(2) << 20;
    const std::size_t wanted = std::max<std::size_t>(Count, 1024) * sizeof(double);
    if (wanted <= FBytes) return;
    if (!FMapped && wanted < 2 * huge) {
      void* p = std::realloc(FData, wanted);
      if (!p) throw std::bad_alloc();
      FData = static_cast<double*>(p);
      FBytes = wanted;
      return;
    }
    const std::size_t bytes = (wanted + huge - 1) / huge * huge;
    void* p = FMapped ? ::mremap(FData, FBytes, bytes, MREMAP_MAYMOVE)
                      : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE);
    if (!FMapped) {
      if (FData) std::memcpy(p, FData, FBytes);
      std::free(FData);
      FMapped = true;
    }
    FData = static_cast<double*>(p);
    FBytes = bytes;
  }

 private:
  double* FData = nullptr;
  std::size_t FBytes = 0;
  bool FMapped = false;
};

// The points of a file or text on their way into a series.
struct TBufferSink : TOrderWatch {
  TPagedArray X, Y;
  std::size_t Count = 0;
  void Reserve(std::size_t TextSize) { GrowTo(TextSize / 12 + 2); }
  void Progress(std::size_t, std::size_t) {}
  void Add(double AX, double AY) {
    if (Count == X.Capacity()) GrowTo(Count * 2);
    See(AX);
    X.Data()[Count] = AX;
    Y.Data()[Count] = AY;
    ++Count;
  }
  void GrowTo(std::size_t Points) {
    X.Grow(Points);
    Y.Grow(Points);
  }
};

// The points of a file, gathered straight into the arrays the series takes over. The arrays are
// reserved once the first piece of the file shows how long its lines are, so a file of even
// lines fills them without growing; large reservations ask for huge pages (fewer faults).
struct TSeriesArraysSink : TOrderWatch {
  std::vector<double> X, Y;
  bool Estimated = false;
  void Add(double AX, double AY) {
    See(AX);
    X.push_back(AX);
    Y.push_back(AY);
  }
  // Told after each piece: BytesDone of BytesTotal bytes were scanned.
  void Progress(std::size_t BytesDone, std::size_t BytesTotal) {
    if (Estimated || BytesDone == 0 || BytesDone >= BytesTotal || X.empty()) return;
    Estimated = true;
    const double perByte = double(X.size()) / double(BytesDone);
    // A little over the estimate: a few lines more than the average cost no regrowth.
    const std::size_t points = std::size_t(perByte * double(BytesTotal) * 1.01) + 64;
    Reserve(X, points);
    Reserve(Y, points);
  }
  static void Reserve(std::vector<double>& Values, std::size_t Points) {
    if (Points <= Values.capacity()) return;
    Values.reserve(Points);
    constexpr std::uintptr_t huge = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(Values.data());
    const std::uintptr_t from = (start + huge - 1) & ~(huge - 1);
    const std::uintptr_t to = (start + Values.capacity() * sizeof(double)) & ~(huge - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
};

// Where the last complete line of [Begin, End) ends (Begin when none does). A CR as the last
// byte may be the first half of CR LF, so it does not count yet.
const char* CompleteLinesEnd(const char* Begin, const char* End) {
  const char* p = End;
  if (p > Begin && p[-1] == '\r') --p;
  while (p > Begin && p[-1] != '\n' && p[-1] != '\r') --p;
  return p;
}

// Returns the number of lines skipped past the header lines.
template <typename Sink>
std::size_t ScanText(std::string_view Text, const TTextReaderSettings& Settings, Sink& Points) {
  std::vector<std::string_view> wide;
  const TClassTable classes = MakeClasses(Settings, wide);
  TLineScanner<Sink> scanner(classes, Settings.DecimalSeparator, Settings.SkipLines, Points);
  Points.Reserve(Text.size());
  std::string marked;
  if (!wide.empty()) {
    marked = MarkWideDelimiters(Text, wide);
    Text = marked;
  }
  const char* begin = Text.data();
  const char* end = begin + Text.size();
  const char* lines = CompleteLinesEnd(begin, end);
  scanner.ScanLines(begin, lines);
  scanner.ScanLastLine(lines, end);
  return scanner.Skipped();
}

std::function<void(unsigned)>& FileReadHook() {
  static std::function<void(unsigned)> hook;
  return hook;
}

// Numbers the openings for the hook.
std::atomic<unsigned> Openings{0};

class TFileHandle {
 public:
  explicit TFileHandle(const String& FileName) : FName(FileName) {
    // Without blocking: a FIFO is refused below instead of waiting for a writer.
    FFd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0)
      throw fw::EFOpenError(
          fw::Format("Не удается открыть файл \"%s\": %s", FileName, SystemReasonText(errno)));
    struct stat st {};
    const bool statFailed = ::fstat(FFd, &st) != 0;
    if (statFailed || !S_ISREG(st.st_mode)) {
      const String reason = statFailed            ? SystemReasonText(errno)
                            : S_ISDIR(st.st_mode) ? SystemReasonText(EISDIR)
                                                  : String(kNotARegularFileReason);
      ::close(FFd);
      throw fw::EFOpenError(fw::Format("Не удается открыть файл \"%s\": %s", FileName, reason));
    }
    if (st.st_size > MaxTextFileSize) {
      ::close(FFd);
      throw EGraphError(fw::Format("Файл \"%s\" слишком велик для построения графика", FileName));
    }
    FSize = std::size_t(st.st_size);
    FModified = st.st_mtim;
    FOpening = ++Openings;
  }
  ~TFileHandle() { ::close(FFd); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  // The size the file had when it was opened: reading ends there, however it grows meanwhile.
  std::size_t Size() const { return FSize; }
  // Up to Count bytes; 0 at the end of the file, or where it ended when it was opened.
  std::size_t Read(char* Buffer, std::size_t Count) {
    Count = std::min(Count, FSize - FPos);
    if (Count == 0) return 0;
    while (true) {
      const ssize_t got = ::read(FFd, Buffer, Count);
      if (got >= 0) {
        FPos += std::size_t(got);
        if (FileReadHook()) [[unlikely]] FileReadHook()(FOpening);
        return std::size_t(got);
      }
      if (errno != EINTR) RaiseReadError();
    }
  }
  // Up to Count bytes from Offset, the position of Read left alone (for reading at once on
  // several threads); 0 past the end of the file.
  std::size_t ReadAt(char* Buffer, std::size_t Count, std::size_t Offset) const {
    while (true) {
      const ssize_t got = ::pread(FFd, Buffer, Count, off_t(Offset));
      if (got >= 0) {
        if (FileReadHook()) [[unlikely]] FileReadHook()(FOpening);
        return std::size_t(got);
      }
      if (errno != EINTR) RaiseReadError();
    }
  }
  // What happened to the file since it was opened. One written to in place and no longer than
  // it was may have changed under the reader anywhere: what was read is not to be trusted. One
  // that grew was appended to: what it held when opened is what was read.
  enum TChange { fcNone, fcGrew, fcRewritten };
  TChange Change() const {
    struct stat st {};
    if (::fstat(FFd, &st) != 0) return fcRewritten;
    if (std::size_t(st.st_size) > FSize) return fcGrew;
    const bool touched = st.st_mtim.tv_sec != FModified.tv_sec || st.st_mtim.tv_nsec != FModified.tv_nsec;
    return std::size_t(st.st_size) < FSize || touched ? fcRewritten : fcNone;
  }

 private:
  [[noreturn]] void RaiseReadError() const {
    throw fw::EFOpenError(fw::Format("Ошибка чтения файла \"%s\": %s", FName, SystemReasonText(errno)));
  }

  String FName;
  int FFd = -1;
  std::size_t FSize = 0;
  std::size_t FPos = 0;
  timespec FModified{};
  unsigned FOpening = 0;
};

// The whole file, from a handle not yet read (a file shortened meanwhile gives what it has).
}  // namespace

std::string ReadFileStart(const String& FileName, std::size_t Size) {
  TFileHandle file(FileName);
  std::string start(std::min(file.Size(), Size), '\0');
  start.resize(file.Read(start.data(), start.size()));
  return start;
}

namespace {

std::string ReadAll(TFileHandle& File) {
  std::string bytes;
  bytes.resize(File.Size());
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t got = File.Read(bytes.data() + done, bytes.size() - done);
    if (got == 0) break;  // shortened while being read
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

// Feeds the file to Scanner piece by piece; a line with no end in its first Window bytes is
// overlong. The pieces go through Buffer (Window bytes) when given, else through one of its own.
// A read asks for at most Piece bytes: a smaller piece keeps the text in the core's cache and
// touches only the buffer's first pages, unless a line is longer.
template <typename File, typename Sink>
void ScanFile(File& Source, TLineScanner<Sink>& Scanner, Sink& Points, std::size_t Window = ChunkSize,
              char* Buffer = nullptr, std::size_t Piece = ChunkSize) {
  std::unique_ptr<char[]> own(Buffer ? nullptr : new char[Window]);
  char* const buffer = Buffer ? Buffer : own.get();
  std::size_t scanned = 0;  // bytes before the held ones, for Points.Progress
  std::size_t held = 0;  // bytes of an incomplete line kept at the buffer's start
  bool swallowLF = false;  // an overlong line ended in a CR that was the last byte read
  while (true) {
    const std::size_t got = Source.Read(buffer + held, std::min(Window - held, Piece));
    const char* begin = buffer;
    const char* end = begin + held + got;
    if (swallowLF && got > 0) {
      swallowLF = false;
      if (*begin == '\n') ++begin;
    }
    if (got == 0) {
      if (Scanner.InOverlong()) {
        Scanner.EndOverlong();
      } else {
        Scanner.ScanLastLine(begin, end);
      }
      return;
    }
    if (Scanner.InOverlong()) {
      // The rest of the overlong line is dropped up to its end.
      const char* p = begin;
      while (p < end && *p != '\n' && *p != '\r') ++p;
      if (p == end) {
        held = 0;
        continue;
      }
      if (*p == '\r' && p + 1 == end) swallowLF = true;
      if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
      Scanner.EndOverlong();
      begin = p + 1;
    }
    const char* lines = CompleteLinesEnd(begin, end);
    if (lines == begin && end - begin == std::ptrdiff_t(Window)) {
      // A whole buffer without a line end: no point can be that long.
      Scanner.ScanOverlongStart();
      held = 0;
      continue;
    }
    Scanner.ScanLines(begin, lines);
    scanned += std::size_t(lines - buffer) - held;
    held = std::size_t(end - lines);
    if (lines != buffer) std::memmove(buffer, lines, held);
    Points.Progress(scanned, Source.Size());
  }
}

[[noreturn]] void RaiseTooFewPoints(std::string_view Sample, const TTextReaderSettings& Settings,
                                    std::size_t SkippedLines) {
  throw EGraphError(TooFewPointsMessage(Sample.substr(0, TooFewPointsSampleSize), Settings, SkippedLines));
}

// Replaces Series' points by the points read, in the order its X list keeps (equal X values in
// the order read, as inserting them one by one would leave them).
void Deliver(const double* x, const double* y, std::size_t n, bool Ascending, chart::TChartSeries* Series) {
  if (n < 2) throw EGraphError(TooFewPointsMsg);
  if (n > std::size_t(std::numeric_limits<Integer>::max())) throw EGraphError("Слишком много точек для одного графика");
  const chart::TChartListOrder order = Series->XValues()->Order();
  std::vector<double> sortedX, sortedY;
  if (order == chart::loAscending && !Ascending) {
    std::vector<std::uint32_t> perm(n);
    for (std::size_t i = 0; i < n; ++i) perm[i] = std::uint32_t(i);
    std::stable_sort(perm.begin(), perm.end(), [x](std::uint32_t a, std::uint32_t b) { return x[a] < x[b]; });
    sortedX.resize(n);
    sortedY.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      sortedX[i] = x[perm[i]];
      sortedY[i] = y[perm[i]];
    }
    x = sortedX.data();
    y = sortedY.data();
  }
  Series->BeginUpdate();
  Series->Clear();
  Series->AppendPoints(x, y, Integer(n));
  if (order == chart::loDescending) Series->XValues()->Sort();
  Series->EndUpdate();
}

[[noreturn]] void RaiseTooFewPointsOfFile(const String& FileName, const TTextReaderSettings& Settings,
                                          std::size_t SkippedLines) {
  const std::string sample = ReadFileStart(FileName, TooFewPointsSampleSize);
  if (sample.empty()) throw EGraphError(String(TooFewPointsMsg) + ": файл пуст (0 байт)");
  RaiseTooFewPoints(sample, Settings, SkippedLines);
}

// Hands the points read from a file to Series: the arrays become the series' own when they are
// in its order and hold not much more than the points, else they are copied.
void DeliverArrays(std::vector<double>& X, std::vector<double>& Y, bool Ascending, chart::TChartSeries* Series) {
  const std::size_t n = X.size();
  const chart::TChartListOrder order = Series->XValues()->Order();
  const bool inOrder = order == chart::loNone || (order == chart::loAscending && Ascending);
  // A reservation well past the points (uneven lines) is not kept: the series would hold more
  // than 24 bytes a point.
  const bool tight = X.capacity() <= n + n / 2 && Y.capacity() <= n + n / 2;
  if (n >= 2 && n <= std::size_t(std::numeric_limits<Integer>::max()) && inOrder && tight) {
    Series->BeginUpdate();
    Series->AdoptPoints(std::move(X), std::move(Y));
    Series->EndUpdate();
    return;
  }
  Deliver(X.data(), Y.data(), n, Ascending, Series);
}

// Reading a large file on several threads. The file is split at line starts into shares. The
// threads first count each share's lines: a line gives at most one point, so the counts place
// every share in the series' arrays. Then each share is read exactly as the one-thread path
// reads lines (no line crosses a share's end, and the line rules need nothing from earlier
// lines), its points written straight into its place; lines that gave no point leave gaps,
// closed afterwards in share order. Left to the one-thread path: header lines that do not end
// early in the file, an overlong line, and a file that changed while it was read.

// Smaller files stay on one thread: starting threads would cost about what they save.
constexpr std::size_t ParallelFileSize = std::size_t(4) << 20;
// A share's window for overlong lines: a little smaller than the one-thread path's, whose
// window may start at a byte order mark, so every line overlong there is overlong here.
constexpr std::size_t ShareWindow = ChunkSize - 8;

// The threads to read on: the cores, at most.
unsigned ReadingThreads() { return win::WorkingThreads(16); }

// The bytes [From, To) of a file, read as ScanFile reads a file.
class TFileShare {
 public:
  TFileShare(const TFileHandle& File, std::size_t From, std::size_t To) : FFile(File), FPos(From), FTo(To) {}
  std::size_t Size() const { return FTo; }
  std::size_t Read(char* Buffer, std::size_t Count) {
    Count = std::min(Count, FTo - FPos);
    if (Count == 0) return 0;
    const std::size_t got = FFile.ReadAt(Buffer, Count, FPos);
    if (got == 0) FCut = true;  // the file shrank
    FPos += got;
    return got;
  }
  // Whether the file ended before To.
  bool Cut() const { return FCut; }

 private:
  const TFileHandle& FFile;
  std::size_t FPos, FTo;
  bool FCut = false;
};

// A share's points, written into its place in the series' arrays: Room values from X and Y on.
struct TPlacedSink : TOrderWatch {
  double* X = nullptr;
  double* Y = nullptr;
  std::size_t Room = 0, Count = 0;
  bool Overflow = false;  // more points than lines counted: the file changed in between
  void Progress(std::size_t, std::size_t) {}
  void Add(double AX, double AY) {
    if (Count == Room) [[unlikely]] {
      Overflow = true;
      return;
    }
    See(AX);
    X[Count] = AX;
    Y[Count] = AY;
    ++Count;
  }
};

struct TShare {
  std::size_t From = 0, To = 0;
  std::size_t Lines = 0;  // at least its points
  std::size_t Place = 0;  // where its points are written: the lines of the shares before it
  TPlacedSink Points;
  std::size_t Skipped = 0;
  bool Exact = false;  // read as the one-thread path reads it
};

// The pieces the threads read a share in: small enough to stay in the core's cache.
constexpr std::size_t SharePiece = std::size_t(64) << 10;

// The read buffers of the threads of one read, mapped for it alone and unmapped after it: a
// buffer from a thread's heap stays resident there after the thread has gone. A buffer serves
// one share at a time and then the next, so a read faults in at most one a thread.
class TReadBuffers {
 public:
  explicit TReadBuffers(std::size_t Bytes) : FBytes(Bytes) {}
  ~TReadBuffers() {
    for (void* b : FAll) ::munmap(b, FBytes);
  }
  TReadBuffers(const TReadBuffers&) = delete;
  TReadBuffers& operator=(const TReadBuffers&) = delete;

  // A buffer not in use. Raises std::bad_alloc.
  char* Take() {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FFree.empty()) {
      char* b = FFree.back();
      FFree.pop_back();
      return b;
    }
    void* b = ::mmap(nullptr, FBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (b == MAP_FAILED) throw std::bad_alloc();
    FAll.reserve(FAll.size() + 1);
    FFree.reserve(FAll.size() + 1);  // Give cannot fail
    FAll.push_back(b);
    return static_cast<char*>(b);
  }
  void Give(char* Buffer) {
    std::lock_guard<std::mutex> lock(FMutex);
    FFree.push_back(Buffer);
  }

 private:
  std::size_t FBytes;
  std::mutex FMutex;
  std::vector<void*> FAll;
  std::vector<char*> FFree;
};

// Up to Count bytes from Offset, fewer only at the file's end.
std::size_t ReadFullyAt(const TFileHandle& File, char* Buffer, std::size_t Count, std::size_t Offset) {
  std::size_t done = 0;
  while (done < Count) {
    const std::size_t got = File.ReadAt(Buffer + done, Count - done, Offset + done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

// Where the lines to read start: past a byte order mark and SkipLines lines. False when the
// header lines do not end in the first half of the first piece.
bool FindFirstLine(const TFileHandle& File, Integer SkipLines, std::size_t& Start) {
  // Without header lines only a byte order mark is looked for.
  const std::size_t limit = SkipLines > 0 ? ChunkSize / 2 : 3;
  std::string head(std::min(File.Size(), limit), '\0');
  const std::size_t got = ReadFullyAt(File, head.data(), head.size(), 0);
  if (got != head.size()) return false;
  const bool whole = got == File.Size();
  std::size_t p = 0;
  if (got >= 3 && head.compare(0, 3, "\xEF\xBB\xBF") == 0) p = 3;
  for (Integer i = 0; i < SkipLines; ++i) {
    while (p < got && head[p] != '\n' && head[p] != '\r') ++p;
    if (p == got || (head[p] == '\r' && p + 1 == got)) {
      if (!whole) return false;
      p = got;  // the header takes the whole file
      break;
    }
    if (head[p] == '\r' && head[p + 1] == '\n') ++p;
    ++p;
  }
  Start = p;
  return true;
}

// The first line start at or after Offset (Offset - 1 lies past the header), or the file's size.
std::size_t LineStartFrom(const TFileHandle& File, std::size_t Offset) {
  const std::size_t size = File.Size();
  constexpr std::size_t piece = 4 << 10;  // lines are mostly far shorter
  char buffer[piece + 1];
  for (std::size_t pos = Offset - 1; pos < size;) {
    // One byte more than looked at, for the LF after a CR.
    const std::size_t got = ReadFullyAt(File, buffer, std::min(piece + 1, size - pos), pos);
    const std::size_t looked = std::min(got, piece);
    for (std::size_t i = 0; i < looked; ++i) {
      if (buffer[i] == '\n') return pos + i + 1;
      if (buffer[i] == '\r') return pos + i + 1 + (i + 1 < got && buffer[i + 1] == '\n' ? 1 : 0);
    }
    if (got < std::min(piece + 1, size - pos) || looked == 0) break;
    pos += looked;
  }
  return size;
}

// The lines of File's bytes [From, To): their line ends, and one more for a last line without
// an end when To is the file's end. Fewer when the file was cut.
std::size_t CountLines(const TFileHandle& File, std::size_t From, std::size_t To, char* Buffer) {
  TLineEndCounter counter;
  for (std::size_t pos = From; pos < To;) {
    const std::size_t got = File.ReadAt(Buffer, std::min(SharePiece, To - pos), pos);
    if (got == 0) break;
    counter.Add(std::string_view(Buffer, got));
    pos += got;
  }
  return counter.Count() + (To == File.Size() && counter.InLine() ? 1 : 0);
}

// Faults in the pages of Values[From, To) for the calling thread.
void TouchPages(double* Values, std::size_t From, std::size_t To) {
  if (From >= To) return;
  const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(Values + From) & ~(page - 1);
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(Values + To);
  ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

// Moves each share's points down to follow the points of the shares before it, in share order
// (a share's points only ever move towards the start). The number of points.
std::size_t CloseGaps(const std::vector<std::unique_ptr<TShare>>& Shares, double* X, double* Y) {
  std::size_t n = 0;
  for (const auto& share : Shares) {
    const std::size_t count = share->Points.Count;
    if (share->Place != n && count > 0) {
      std::memmove(X + n, X + share->Place, count * sizeof(double));
      std::memmove(Y + n, Y + share->Place, count * sizeof(double));
    }
    n += count;
  }
  return n;
}

// LoadTwoColumnFile on Shares threads. False, nothing changed, when the file is to be read on
// one thread after all.
bool LoadInShares(const TFileHandle& File, const String& FileName, const TTextReaderSettings& Settings,
                  const TClassTable& Classes, unsigned Shares, chart::TChartSeries* Series,
                  TTextReadReport* Report) {
  std::size_t start = 0;
  if (!FindFirstLine(File, Settings.SkipLines, start)) return false;
  const std::size_t size = File.Size();
  std::vector<std::unique_ptr<TShare>> shares;
  for (unsigned k = 0; k < Shares; ++k) {
    auto share = std::make_unique<TShare>();
    share->From = k == 0 ? start : shares.back()->To;
    const std::size_t nominal = start + (size - start) / Shares * (k + 1);
    share->To = k + 1 == Shares      ? size
                : nominal <= share->From ? share->From
                                         : LineStartFrom(File, nominal);
    shares.push_back(std::move(share));
  }
  const unsigned threads = ReadingThreads();
  TReadBuffers buffers(ShareWindow);
  auto withBuffer = [&buffers](auto&& Work) {
    char* buffer = buffers.Take();
    struct TGiveBack {
      TReadBuffers& Pool;
      char* Buffer;
      ~TGiveBack() { Pool.Give(Buffer); }
    } giveBack{buffers, buffer};
    Work(buffer);
  };
  win::RunShared(Shares, threads, [&](unsigned k) {
    TShare& share = *shares[k];
    withBuffer([&](char* Buffer) { share.Lines = CountLines(File, share.From, share.To, Buffer); });
  });
  std::size_t lines = 0;
  for (const auto& share : shares) {
    share->Place = lines;
    lines += share->Lines;
  }
  // No huge pages: making them can stall for as long as the whole read while the kernel
  // gathers free memory.
  std::vector<double> x, y;
  x.reserve(lines);
  y.reserve(lines);
  if (lines * sizeof(double) >= win::MappedBlockSize) {
    // The arrays are surely new memory: the threads fault in their pages together. Smaller
    // ones are mostly memory the heap has had in use before.
    win::RunShared(Shares, threads, [&](unsigned k) {
      const TShare& share = *shares[k];
      TouchPages(x.data(), share.Place, share.Place + share.Lines);
      TouchPages(y.data(), share.Place, share.Place + share.Lines);
    });
  }
  x.resize(lines);
  y.resize(lines);
  win::RunShared(Shares, threads, [&](unsigned k) {
    TShare& share = *shares[k];
    share.Points.X = x.data() + share.Place;
    share.Points.Y = y.data() + share.Place;
    share.Points.Room = share.Lines;
    TFileShare source(File, share.From, share.To);
    TLineScanner<TPlacedSink> scanner(Classes, Settings.DecimalSeparator, 0, share.Points);
    scanner.StartInsideText();
    withBuffer([&](char* Buffer) { ScanFile(source, scanner, share.Points, ShareWindow, Buffer, SharePiece); });
    share.Skipped = scanner.Skipped();
    share.Exact = !scanner.MetOverlong() && !source.Cut() && !share.Points.Overflow;
  });
  if (File.Change() != TFileHandle::fcNone) return false;
  std::size_t skipped = 0;
  bool ascending = true;
  double lastX = -std::numeric_limits<double>::infinity();
  for (const auto& share : shares) {
    if (!share->Exact) return false;
    skipped += share->Skipped;
    if (share->Points.Count > 0) {
      ascending = ascending && share->Points.Ascending && share->Points.X[0] >= lastX;
      lastX = share->Points.LastX;
    }
  }
  const std::size_t n = CloseGaps(shares, x.data(), y.data());
  if (n < 2) RaiseTooFewPointsOfFile(FileName, Settings, skipped);
  if (Report) Report->SkippedLines = skipped;
  x.resize(n);
  y.resize(n);
  DeliverArrays(x, y, ascending, Series);
  return true;
}

// The shares a file of Size bytes is read in: a few per thread, of at least a megabyte.
unsigned SharesFor(std::size_t Size) {
  if (Size < ParallelFileSize) return 1;
  return unsigned(std::min<std::size_t>(std::size_t(ReadingThreads()) * 4, Size / (std::size_t(1) << 20)));
}

// Checks the points of a read against those read before, in file order, without keeping them.
struct TSameSink {
  const double* X;
  const double* Y;
  std::size_t Count;
  std::size_t Seen = 0;
  bool Same = true;
  void Reserve(std::size_t) {}
  void Progress(std::size_t, std::size_t) {}
  void Add(double AX, double AY) {
    if (Seen >= Count || AX != X[Seen] || AY != Y[Seen]) Same = false;
    ++Seen;
  }
};

// Whether a file that grew while it was read still holds, up to the size it had when opened,
// what was read: it gives the same points and skipped lines when read again. A file grows also
// when it was cut and written again meanwhile, and the bytes read before and after the cut are
// then torn lines of two texts.
bool OnlyGrew(const TFileHandle& File, const TClassTable& Classes, const TTextReaderSettings& Settings,
              const std::vector<double>& X, const std::vector<double>& Y, std::size_t Skipped) {
  TSameSink same{X.data(), Y.data(), X.size()};
  TLineScanner<TSameSink> scanner(Classes, Settings.DecimalSeparator, Settings.SkipLines, same);
  TFileShare source(File, 0, File.Size());
  ScanFile(source, scanner, same);
  return same.Same && same.Seen == X.size() && scanner.Skipped() == Skipped && !source.Cut() &&
         File.Change() == TFileHandle::fcGrew;
}

// The same for bytes read whole.
bool OnlyGrew(const TFileHandle& File, std::string_view Bytes) {
  std::string again(std::min(Bytes.size(), ChunkSize), '\0');
  for (std::size_t pos = 0; pos < Bytes.size(); pos += again.size()) {
    const std::size_t count = std::min(again.size(), Bytes.size() - pos);
    if (ReadFullyAt(File, again.data(), count, pos) != count || Bytes.compare(pos, count, again.data(), count) != 0)
      return false;
  }
  return File.Change() == TFileHandle::fcGrew;
}

// One read of the file into Series. False, Series untouched, when the file was written to in
// place while it was read, or cut and written again.
bool LoadFileOnce(const String& FileName, const TTextReaderSettings& Settings, unsigned Shares,
                  chart::TChartSeries* Series, TTextReadReport* Report) {
  TFileHandle file(FileName);
  auto grew = [&] {
    if (Report) Report->ReadTo = file.Change() == TFileHandle::fcGrew ? file.Size() : TTextReadReport::WholeFile;
  };
  std::vector<std::string_view> wide;
  const TClassTable classes = MakeClasses(Settings, wide);
  if (!wide.empty()) {
    const std::string bytes = ReadAll(file);
    const TFileHandle::TChange change = file.Change();
    if (change == TFileHandle::fcRewritten || (change == TFileHandle::fcGrew && !OnlyGrew(file, bytes))) return false;
    LoadTwoColumnSeries(bytes, Settings, Series, Report);
    grew();
    return true;
  }
  if (Shares == 0) Shares = SharesFor(file.Size());
  if (Shares > 1) {
    if (LoadInShares(file, FileName, Settings, classes, Shares, Series, Report)) {
      grew();
      return true;
    }
    if (file.Change() == TFileHandle::fcRewritten) return false;
  }
  TSeriesArraysSink sink;
  TLineScanner<TSeriesArraysSink> scanner(classes, Settings.DecimalSeparator, Settings.SkipLines, sink);
  ScanFile(file, scanner, sink);  // the shares read without moving its position
  const TFileHandle::TChange change = file.Change();
  if (change == TFileHandle::fcRewritten) return false;
  if (change == TFileHandle::fcGrew && !OnlyGrew(file, classes, Settings, sink.X, sink.Y, scanner.Skipped()))
    return false;
  if (sink.X.size() < 2) RaiseTooFewPointsOfFile(FileName, Settings, scanner.Skipped());
  if (Report) Report->SkippedLines = scanner.Skipped();
  DeliverArrays(sink.X, sink.Y, sink.Ascending, Series);
  grew();
  return true;
}

// A file rewritten while it was read is read once more; rewritten again, it is refused rather
// than drawn from lines torn between its old and new text.
void LoadFile(const String& FileName, const TTextReaderSettings& Settings, unsigned Shares,
              chart::TChartSeries* Series, TTextReadReport* Report) {
  for (int attempt = 0; attempt < 2; ++attempt)
    if (LoadFileOnce(FileName, Settings, Shares, Series, Report)) return;
  throw EGraphError(fw::Format("Файл \"%s\" изменялся во время чтения: график не построен", FileName));
}

}  // namespace

bool ParseNumberField(std::string_view Field, char Separator, double& Value) {
  return ParseNumber(Field.data(), Field.data() + Field.size(), Separator, Value);
}

TTextReaderSettings TTextReaderSettings::FromPreferences() {
  TTextReaderSettings s;
  s.Delimiters = Preferences.Delimiters;
  s.DecimalSeparator = Preferences.DecimalSeparator();
  s.SkipLines = Preferences.SkipLines;
  return s;
}

void ReadTwoColumnText(std::string_view Text, const TTextReaderSettings& Settings, TTwoColumnPoints& Points) {
  TPointsSink sink{Points};
  ScanText(Text, Settings, sink);
}

void LoadTwoColumnSeries(std::string_view Text, const TTextReaderSettings& Settings,
                         chart::TChartSeries* Series, TTextReadReport* Report) {
  TBufferSink sink;
  const std::size_t skipped = ScanText(Text, Settings, sink);
  if (sink.Count < 2) RaiseTooFewPoints(Text, Settings, skipped);
  Deliver(sink.X.Data(), sink.Y.Data(), sink.Count, sink.Ascending, Series);
  if (Report) Report->SkippedLines = skipped;
}

void LoadTwoColumnFile(const String& FileName, const TTextReaderSettings& Settings,
                       chart::TChartSeries* Series, TTextReadReport* Report) {
  LoadFile(FileName, Settings, 0, Series, Report);
}

void LoadTwoColumnFileInShares(const String& FileName, const TTextReaderSettings& Settings, unsigned Shares,
                               chart::TChartSeries* Series, TTextReadReport* Report) {
  LoadFile(FileName, Settings, std::max(Shares, 1u), Series, Report);
}

void FillSeries(const std::vector<double>& X, const std::vector<double>& Y, chart::TChartSeries* Series) {
  const std::size_t n = std::min(X.size(), Y.size());
  Deliver(X.data(), Y.data(), n, std::is_sorted(X.begin(), X.begin() + std::ptrdiff_t(n)), Series);
}

void SetFileReadHook(std::function<void(unsigned Opening)> Hook) { FileReadHook() = std::move(Hook); }

std::string ReadFileBytes(const String& FileName) {
  TFileHandle file(FileName);
  return ReadAll(file);
}

}  // namespace workspace
