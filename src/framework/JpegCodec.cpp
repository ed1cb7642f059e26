#include "framework/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

namespace fw::jpeg {
namespace {

// The error manager: libjpeg's fields first, then where to jump and the message. Only plain C
// data, as it lives in the frames the long jump crosses.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  int warnings;
};

extern "C" void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void OnMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (level < 0) {
    // A warning means the data is corrupt; the first one is kept as the reason.
    if (err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
  }
}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.message[0] = 0;
  err.warnings = 0;
}

// Everything below runs between setjmp and a possible long jump: no C++ objects with
// destructors, memory from malloc freed on both paths.
struct EncodeResult {
  unsigned char* buffer;
  unsigned long size;
};

// The compressed bytes go to a buffer this code alone allocates and frees (the library's memory
// destination frees buffers it has outgrown behind the caller's back, so after a failure the
// caller could not tell which one is still live). On failure to grow, the old buffer stays
// valid and the error exit frees it once.
struct MemoryDestination {
  jpeg_destination_mgr pub;
  EncodeResult* result;
  size_t capacity;
};

extern "C" void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  dest->capacity = 65536;
  dest->result->buffer = static_cast<unsigned char*>(std::malloc(dest->capacity));
  if (!dest->result->buffer) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
  dest->pub.next_output_byte = dest->result->buffer;
  dest->pub.free_in_buffer = dest->capacity;
}

extern "C" boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  const size_t grown = dest->capacity * 2;
  auto* bigger = static_cast<unsigned char*>(std::realloc(dest->result->buffer, grown));
  if (!bigger) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 11);
  dest->result->buffer = bigger;
  dest->pub.next_output_byte = bigger + dest->capacity;
  dest->pub.free_in_buffer = grown - dest->capacity;
  dest->capacity = grown;
  return TRUE;
}

extern "C" void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  dest->result->size = static_cast<unsigned long>(dest->capacity - dest->pub.free_in_buffer);
}

int EncodeC(const uint8_t* rgb, int width, int height, const EncodeParams* p, EncodeResult* result,
            ErrorManager* err) {
  jpeg_compress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  MemoryDestination dest;
  std::memset(&dest, 0, sizeof dest);
  result->buffer = nullptr;
  result->size = 0;
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(result->buffer);
    result->buffer = nullptr;
    return 0;
  }
  jpeg_create_compress(&cinfo);
  dest.pub.init_destination = InitDestination;
  dest.pub.empty_output_buffer = EmptyOutputBuffer;
  dest.pub.term_destination = TermDestination;
  dest.result = result;
  cinfo.dest = &dest.pub;
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (p->grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, p->quality, TRUE);
  cinfo.dct_method = p->fastDct ? JDCT_IFAST : JDCT_ISLOW;
  if (p->progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * size_t(width) * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 1;
}

struct DecodeResult {
  int width;
  int height;
  int components;
  int progressive;
  unsigned char* pixels;
  unsigned char* colorMap;  // RGB triples
  int colors;
};

int DecodeC(const uint8_t* data, size_t size, const DecodeParams* p, int headerOnly, DecodeResult* result,
            ErrorManager* err) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  std::memset(result, 0, sizeof *result);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(result->pixels);
    std::free(result->colorMap);
    result->pixels = nullptr;
    result->colorMap = nullptr;
    return 0;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  result->progressive = jpeg_has_multiple_scans(&cinfo) ? 1 : 0;
  if (headerOnly) {
    result->width = int(cinfo.image_width);
    result->height = int(cinfo.image_height);
    result->components = cinfo.num_components;
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  cinfo.scale_num = 1;
  cinfo.scale_denom = unsigned(p->scaleDenom);
  cinfo.out_color_space = p->grayscale || cinfo.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  cinfo.dct_method = p->fastDct ? JDCT_IFAST : JDCT_ISLOW;
  cinfo.do_fancy_upsampling = p->fastDct ? FALSE : TRUE;
  cinfo.do_block_smoothing = p->blockSmoothing ? TRUE : FALSE;
  if (p->quantize && cinfo.out_color_space == JCS_RGB) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 256;
  }
  jpeg_start_decompress(&cinfo);
  result->width = int(cinfo.output_width);
  result->height = int(cinfo.output_height);
  result->components = cinfo.output_components;
  const size_t rowBytes = size_t(cinfo.output_width) * size_t(cinfo.output_components);
  result->pixels = static_cast<unsigned char*>(std::malloc(rowBytes * cinfo.output_height + 1));
  if (!result->pixels) {
    jpeg_destroy_decompress(&cinfo);
    return 0;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = result->pixels + rowBytes * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (cinfo.quantize_colors) {
    result->colors = cinfo.actual_number_of_colors;
    result->colorMap = static_cast<unsigned char*>(std::malloc(size_t(result->colors) * 3 + 1));
    if (result->colorMap) {
      for (int i = 0; i < result->colors; ++i)
        for (int c = 0; c < 3; ++c) result->colorMap[i * 3 + c] = cinfo.colormap[c][i];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return 1;
}

}  // namespace

bool Encode(const uint8_t* rgb, int width, int height, const EncodeParams& params, std::vector<uint8_t>& out,
            std::string& error) {
  if (!rgb || width <= 0 || height <= 0 || width > 65500 || height > 65500) {
    error = "Invalid image dimensions";
    return false;
  }
  EncodeParams p = params;
  if (p.quality < 1) p.quality = 1;
  if (p.quality > 100) p.quality = 100;
  ErrorManager err;
  InitErrors(err);
  EncodeResult result{};
  if (!EncodeC(rgb, width, height, &p, &result, &err)) {
    error = err.message;
    return false;
  }
  const std::unique_ptr<unsigned char, void (*)(void*)> owned(result.buffer, &std::free);
  out.assign(result.buffer, result.buffer + result.size);
  return true;
}

namespace {

bool DecodeInto(const uint8_t* data, size_t size, const DecodeParams& params, bool headerOnly, Image& out,
                std::string& error) {
  if (!data || size == 0) {
    error = "JPEG data is empty";
    return false;
  }
  ErrorManager err;
  InitErrors(err);
  DecodeResult r{};
  if (!DecodeC(data, size, &params, headerOnly ? 1 : 0, &r, &err)) {
    error = err.message[0] ? err.message : "Out of memory";
    return false;
  }
  if (!headerOnly && err.warnings > 0) {
    std::free(r.pixels);
    std::free(r.colorMap);
    error = err.message;
    return false;
  }
  const std::unique_ptr<unsigned char, void (*)(void*)> pixels(r.pixels, &std::free);
  const std::unique_ptr<unsigned char, void (*)(void*)> colorMap(r.colorMap, &std::free);
  out = Image{};
  out.width = r.width;
  out.height = r.height;
  out.components = r.components;
  out.progressive = r.progressive != 0;
  if (r.pixels) out.pixels.assign(r.pixels, r.pixels + size_t(r.width) * size_t(r.height) * size_t(r.components));
  if (r.colorMap) out.colorMap.assign(r.colorMap, r.colorMap + size_t(r.colors) * 3);
  return true;
}

}  // namespace

bool ReadHeader(const uint8_t* data, size_t size, Image& out, std::string& error) {
  return DecodeInto(data, size, DecodeParams{}, true, out, error);
}

bool Decode(const uint8_t* data, size_t size, const DecodeParams& params, Image& out, std::string& error) {
  return DecodeInto(data, size, params, false, out, error);
}

}  // namespace fw::jpeg
