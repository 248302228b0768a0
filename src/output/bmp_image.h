// Windows bitmaps (.bmp) for the logo on PDF documents.
//
// The decoder takes the file's bytes and accepts only what the PDF writer can
// embed as it is: uncompressed images of 1, 4, 8 or 24 bits per pixel. Every
// size and offset is checked against the bytes actually present before any
// memory is reserved, so a damaged or hostile file is refused instead of
// crashing or asking for gigabytes.
#ifndef ZENKAR_OUTPUT_BMP_IMAGE_H_
#define ZENKAR_OUTPUT_BMP_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace zenkar {

struct BmpImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;  // 1, 4, 8 or 24
  // Indexed images: 2^bits_per_pixel entries of red, green, blue (entries the
  // file leaves out are black). Empty for 24-bit images.
  std::string palette;
  // The rows bottom row first, each RowBytes() long with no padding; 24-bit
  // pixels as red, green, blue, indexed pixels packed high bits first.
  std::string pixels;

  bool indexed() const { return bits_per_pixel <= 8; }
  size_t RowBytes() const { return (static_cast<size_t>(width) * bits_per_pixel + 7) / 8; }
};

// Logo files larger than this are refused unread.
inline constexpr uint64_t kMaxBmpFileBytes = 32u << 20;

// Decodes an uncompressed bitmap; nothing when the bytes are not one.
std::optional<BmpImage> DecodeBmp(std::string_view bytes);

enum class BmpReadResult { kOk, kCannotOpen, kInvalid };

// Reads and decodes the bitmap file at `path`.
BmpReadResult ReadBmpFile(FileSystem& fs, const std::string& path, BmpImage* image);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_BMP_IMAGE_H_
