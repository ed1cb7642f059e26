#pragma once
// Internal to the drawing layer: writing picture files without leaving partial files behind.

#include <cstddef>
#include <string>

namespace win::gdi {

// Writes the bytes to a temporary name beside `path`, flushes them to disk and renames the file
// over `path`. On any failure the temporary file is removed and `path` is left as it was.
bool WriteFileReplacing(const std::string& path, const void* data, size_t size, std::string* error);

}  // namespace win::gdi
