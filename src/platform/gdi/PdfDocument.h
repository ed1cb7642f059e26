#pragma once
// A PDF document built page by page from 24-bit pictures, each filling one sheet of the given
// paper: what the PDF printer writes and what goes to a print queue. The bytes are kept in
// memory until Finish hands them over.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace win::gdi {

struct PdfPaper {
  double widthMM = 210, heightMM = 297;  // portrait
  bool landscape = false;
  int resolution = 150;  // dots per inch of the pictures
};

class PdfDocument {
 public:
  PdfDocument(const PdfPaper& paper, const std::string& title, const std::string& creator);
  ~PdfDocument();
  PdfDocument(const PdfDocument&) = delete;
  PdfDocument& operator=(const PdfDocument&) = delete;

  // Whether the document could be started; a failed one takes no pages.
  bool Started() const;
  // Adds a sheet showing the picture (top-down rows of blue, green, red bytes), stretched over
  // it without lossy compression. False when the page could not be added.
  bool AddPage(const uint8_t* rows, int width, int height, std::ptrdiff_t stride);
  int PageCount() const { return pages_; }
  // Ends the document and returns its bytes (empty when it could not be finished).
  std::string Finish();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int pages_ = 0;
};

}  // namespace win::gdi
