#include "platform/gdi/PdfDocument.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/kernel/TextConvert.h"

namespace win::gdi {

// The document is written as it grows: each page is an image object and a content stream that
// stretches it over the sheet; the page tree, the catalogue and the cross-reference table come
// at the end. The pictures are compressed losslessly at zlib's fastest level: a printed chart is
// mostly paper, which that level packs nearly as tightly as the slower ones, in a fraction of
// their time.
struct PdfDocument::Impl {
  std::string out;
  std::vector<std::size_t> offsets{0};  // by object number; object 0 is the free list's head
  std::vector<int> pageObjects;
  double pageWidthPt = 0, pageHeightPt = 0;
  std::string title, creator;
  bool finished = false;

  int NewObject() {
    offsets.push_back(out.size());
    const int number = int(offsets.size() - 1);
    out += std::to_string(number) + " 0 obj\n";
    return number;
  }
  void Append(const char* format, double a, double b) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    out += text;
  }
};

namespace {

constexpr int kPagesObject = 1;  // reserved up front: every page points to it

// A text string in UTF-16 with its byte-order mark, as hex digits: any letters survive.
std::string PdfText(const std::string& utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex = "<FEFF";
  for (char16_t c : Utf8ToWide(utf8))
    for (int shift : {12, 8, 4, 0}) hex += kHex[(c >> shift) & 15];
  return hex + ">";
}

// The smallest rectangle holding every pixel of a picture that is not white (Right <= Left
// when there is none).
struct InkBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

InkBox InkedBox(const uint8_t* rows, int width, int height, std::ptrdiff_t stride) {
  InkBox box{width, height, 0, 0};
  const std::size_t rowBytes = std::size_t(width) * 3;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rows + std::ptrdiff_t(y) * stride;
    // Eight bytes at a time while they are all white.
    std::size_t first = 0;
    for (std::uint64_t word; first + 8 <= rowBytes; first += 8) {
      std::memcpy(&word, row + first, 8);
      if (word != ~std::uint64_t(0)) break;
    }
    while (first < rowBytes && row[first] == 0xFF) ++first;
    if (first == rowBytes) continue;
    std::size_t last = rowBytes;
    for (std::uint64_t word; last >= first + 8; last -= 8) {
      std::memcpy(&word, row + last - 8, 8);
      if (word != ~std::uint64_t(0)) break;
    }
    while (last > first && row[last - 1] == 0xFF) --last;
    box.Left = std::min(box.Left, int(first / 3));
    box.Right = std::max(box.Right, int((last - 1) / 3 + 1));
    box.Top = std::min(box.Top, y);
    box.Bottom = y + 1;
  }
  return box;
}

// Rows First .. Last - 1 of a picture (top-down rows of blue, green, red) as rows of red, green,
// blue, deflated without a header as one piece of a longer stream: ended on a byte boundary
// unless it is the stream's last piece. Adler holds the rows' checksum.
struct Strip {
  int First = 0, Last = 0;
  std::unique_ptr<Bytef[]> Packed;
  std::size_t Size = 0;
  uLong Adler = 1;
  bool Ok = false;
};

void DeflateStrip(const uint8_t* rows, int width, std::ptrdiff_t stride, bool lastStrip, Strip& s) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
  const std::size_t rowBytes = std::size_t(width) * 3;
  const uLong bound = deflateBound(&z, uLong(rowBytes * std::size_t(s.Last - s.First))) + 16;
  s.Packed.reset(new Bytef[bound]);
  z.next_out = s.Packed.get();
  z.avail_out = uInt(bound);
  constexpr int kRows = 16;
  std::vector<uint8_t> rgb(rowBytes * kRows);
  bool ok = true;
  for (int y = s.First; y < s.Last && ok;) {
    const int n = std::min(kRows, s.Last - y);
    for (int k = 0; k < n; ++k, ++y) {
      const uint8_t* from = rows + std::ptrdiff_t(y) * stride;
      uint8_t* to = rgb.data() + std::size_t(k) * rowBytes;
      for (int x = 0; x < width; ++x, from += 3, to += 3) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
      }
    }
    const uInt bytes = uInt(std::size_t(n) * rowBytes);
    s.Adler = adler32(s.Adler, rgb.data(), bytes);
    z.next_in = rgb.data();
    z.avail_in = bytes;
    const bool end = y == s.Last;
    const int flush = !end ? Z_NO_FLUSH : lastStrip ? Z_FINISH : Z_SYNC_FLUSH;
    ok = deflate(&z, flush) == (flush == Z_FINISH ? Z_STREAM_END : Z_OK) && z.avail_in == 0;
  }
  s.Size = z.total_out;
  s.Ok = ok;
  deflateEnd(&z);
}

// The picture as RGB rows in one zlib stream, its strips deflated on several threads at once:
// each ends on a byte boundary, so the pieces join into one stream, and their checksums combine.
bool DeflateRgb(const uint8_t* rows, int width, int height, std::ptrdiff_t stride, std::string& out) {
  // A strip of about a million bytes is worth a thread; small pictures stay on this one.
  const std::size_t bytes = std::size_t(width) * 3 * std::size_t(height);
  const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
  const int count = int(std::clamp<std::size_t>(bytes >> 20, 1, cores));
  std::vector<Strip> strips(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    strips[std::size_t(i)].First = int(std::int64_t(height) * i / count);
    strips[std::size_t(i)].Last = int(std::int64_t(height) * (i + 1) / count);
  }
  {
    std::vector<std::thread> threads;
    for (int i = 1; i < count; ++i)
      threads.emplace_back([&, i] { DeflateStrip(rows, width, stride, i == count - 1, strips[std::size_t(i)]); });
    DeflateStrip(rows, width, stride, count == 1, strips[0]);
    for (std::thread& t : threads) t.join();
  }
  uLong adler = strips[0].Adler;
  std::size_t size = 2 + 4;
  for (std::size_t i = 0; i < strips.size(); ++i) {
    if (!strips[i].Ok) return false;
    if (i > 0) {
      const std::size_t length = std::size_t(strips[i].Last - strips[i].First) * std::size_t(width) * 3;
      adler = adler32_combine(adler, strips[i].Adler, z_off_t(length));
    }
    size += strips[i].Size;
  }
  out.reserve(out.size() + size);
  out += "\x78\x01";  // deflate with a 32 KB window, the fastest level
  for (const Strip& s : strips) out.append(reinterpret_cast<const char*>(s.Packed.get()), s.Size);
  for (int shift : {24, 16, 8, 0}) out += char((adler >> shift) & 0xFF);
  return true;
}

}  // namespace

PdfDocument::PdfDocument(const PdfPaper& paper, const std::string& title, const std::string& creator)
    : impl_(std::make_unique<Impl>()) {
  Impl& d = *impl_;
  // Whole points, as print systems size their sheets.
  const double w = std::round(paper.widthMM * 72 / 25.4), h = std::round(paper.heightMM * 72 / 25.4);
  d.pageWidthPt = paper.landscape ? h : w;
  d.pageHeightPt = paper.landscape ? w : h;
  d.title = title;
  d.creator = creator;
  d.out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  d.offsets.push_back(0);  // the page tree, written last
}

PdfDocument::~PdfDocument() = default;

bool PdfDocument::Started() const { return impl_ != nullptr; }

bool PdfDocument::AddPage(const uint8_t* rows, int width, int height, std::ptrdiff_t stride) {
  Impl& d = *impl_;
  if (d.finished || width <= 0 || height <= 0) return false;
  const std::size_t start = d.out.size();
  // Only the inked part of the sheet goes into the document: white is the paper's own colour.
  const InkBox box = InkedBox(rows, width, height, stride);
  std::string content, resources;
  if (box.Right > box.Left) {
    const int w = box.Right - box.Left, h = box.Bottom - box.Top;
    const int image = d.NewObject();
    // The length is written once the stream is: ten digits are kept for it.
    d.out += "<< /Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " + std::to_string(h) +
             " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length ";
    const std::size_t lengthAt = d.out.size();
    d.out += "0000000000 >>\nstream\n";
    const std::size_t streamAt = d.out.size();
    if (!DeflateRgb(rows + std::ptrdiff_t(box.Top) * stride + std::ptrdiff_t(box.Left) * 3, w, h, stride, d.out)) {
      d.out.resize(start);
      d.offsets.pop_back();
      return false;
    }
    char length[16];
    std::snprintf(length, sizeof length, "%010zu", d.out.size() - streamAt);
    d.out.replace(lengthAt, 10, length);
    d.out += "\nendstream\nendobj\n";
    // The picture's pixels keep their size and place on the sheet (PDF counts y upwards), drawn
    // a hundredth of a pixel inside its box: readers that round an image's far edges outwards
    // would otherwise stretch it by a pixel and shift every pixel of it at the printer's size.
    const double sx = d.pageWidthPt / width, sy = d.pageHeightPt / height, inset = 0.01;
    char line[160];
    std::snprintf(line, sizeof line, "q\n%.4f 0 0 %.4f %.4f %.4f cm\n/Im Do\nQ\n", (w - 2 * inset) * sx,
                  (h - 2 * inset) * sy, (box.Left + inset) * sx, (height - box.Bottom + inset) * sy);
    content = line;
    resources = "/XObject << /Im " + std::to_string(image) + " 0 R >> ";
  }
  const int stream = d.NewObject();
  d.out += "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream\nendobj\n";
  const int page = d.NewObject();
  d.out += "<< /Type /Page /Parent " + std::to_string(kPagesObject) + " 0 R /MediaBox [0 0 ";
  d.Append("%.4f %.4f]", d.pageWidthPt, d.pageHeightPt);
  d.out += " /Resources << " + resources + ">> /Contents " + std::to_string(stream) + " 0 R >>\nendobj\n";
  d.pageObjects.push_back(page);
  ++pages_;
  return true;
}

std::string PdfDocument::Finish() {
  Impl& d = *impl_;
  if (d.finished || d.pageObjects.empty()) return {};
  d.finished = true;
  d.offsets[kPagesObject] = d.out.size();
  d.out += std::to_string(kPagesObject) + " 0 obj\n<< /Type /Pages /Kids [";
  for (int page : d.pageObjects) d.out += std::to_string(page) + " 0 R ";
  d.out += "] /Count " + std::to_string(d.pageObjects.size()) + " >>\nendobj\n";
  const int catalog = d.NewObject();
  d.out += "<< /Type /Catalog /Pages " + std::to_string(kPagesObject) + " 0 R >>\nendobj\n";
  const int info = d.NewObject();
  d.out += "<< /Title " + PdfText(d.title) + " /Creator " + PdfText(d.creator) + " >>\nendobj\n";
  const std::size_t xref = d.out.size();
  d.out += "xref\n0 " + std::to_string(d.offsets.size()) + "\n0000000000 65535 f \n";
  for (std::size_t i = 1; i < d.offsets.size(); ++i) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", d.offsets[i]);
    d.out += entry;
  }
  d.out += "trailer\n<< /Size " + std::to_string(d.offsets.size()) + " /Root " + std::to_string(catalog) +
           " 0 R /Info " + std::to_string(info) + " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return std::move(d.out);
}

}  // namespace win::gdi
