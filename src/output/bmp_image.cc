#include "output/bmp_image.h"

#include <algorithm>
#include <cstdlib>

#include "common/byte_codec.h"

namespace zenkar {
namespace {

// Offsets in the file header and the BITMAPINFOHEADER that follows it.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetAt = 10;
constexpr size_t kInfoSizeAt = 14;
constexpr size_t kWidthAt = 18;
constexpr size_t kHeightAt = 22;
constexpr size_t kPlanesAt = 26;
constexpr size_t kBitsAt = 28;
constexpr size_t kCompressionAt = 30;
constexpr size_t kColorsUsedAt = 46;
constexpr uint32_t kMinInfoSize = 40;
constexpr uint32_t kUncompressed = 0;
// Larger than any logo; keeps every size computation far from overflow.
constexpr int64_t kMaxSide = 30000;

uint32_t U32(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(GetLittleEndian(bytes, at, 4));
}
uint16_t U16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(GetLittleEndian(bytes, at, 2));
}

struct Layout {
  int64_t width = 0;
  int64_t rows = 0;
  bool top_down = false;
  int bits = 0;
  uint64_t palette_at = 0;
  uint64_t palette_entries = 0;
  uint64_t pixels_at = 0;
  uint64_t stride = 0;  // bytes per row in the file, padded to 4
};

bool IsSupportedDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

// Reads and checks the headers; every region they point at lies inside `bytes`.
std::optional<Layout> ReadLayout(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + kMinInfoSize || bytes.substr(0, 2) != "BM") {
    return std::nullopt;
  }
  const uint32_t info_size = U32(bytes, kInfoSizeAt);
  if (info_size < kMinInfoSize || kFileHeaderSize + uint64_t{info_size} > bytes.size()) {
    return std::nullopt;
  }
  Layout layout;
  layout.width = static_cast<int32_t>(U32(bytes, kWidthAt));
  const int64_t height = static_cast<int32_t>(U32(bytes, kHeightAt));
  layout.rows = std::llabs(height);
  layout.top_down = height < 0;
  layout.bits = U16(bytes, kBitsAt);
  if (layout.width <= 0 || layout.width > kMaxSide || layout.rows == 0 || layout.rows > kMaxSide ||
      U16(bytes, kPlanesAt) != 1 || !IsSupportedDepth(layout.bits) ||
      U32(bytes, kCompressionAt) != kUncompressed) {
    return std::nullopt;
  }
  const uint64_t max_entries = layout.bits <= 8 ? uint64_t{1} << layout.bits : 0;
  const uint32_t colors_used = U32(bytes, kColorsUsedAt);
  layout.palette_entries = colors_used != 0 ? colors_used : max_entries;
  if (layout.palette_entries > max_entries) return std::nullopt;
  layout.palette_at = kFileHeaderSize + info_size;
  if (layout.palette_at + 4 * layout.palette_entries > bytes.size()) return std::nullopt;
  layout.pixels_at = U32(bytes, kPixelOffsetAt);
  layout.stride = (layout.width * layout.bits + 31) / 32 * 4;
  if (layout.pixels_at + layout.stride * layout.rows > bytes.size()) return std::nullopt;
  return layout;
}

// Blue, green, red, reserved entries to red, green, blue; unlisted entries black.
std::string ReadPalette(std::string_view bytes, const Layout& layout) {
  if (layout.bits > 8) return {};
  std::string palette(3 * (size_t{1} << layout.bits), '\0');
  for (uint64_t i = 0; i < layout.palette_entries; ++i) {
    const size_t at = layout.palette_at + 4 * i;
    palette[3 * i] = bytes[at + 2];
    palette[3 * i + 1] = bytes[at + 1];
    palette[3 * i + 2] = bytes[at];
  }
  return palette;
}

// Copies the rows bottom row first without their padding; 24-bit pixels are
// turned from blue-green-red into red-green-blue.
std::string ReadPixels(std::string_view bytes, const Layout& layout, size_t row_bytes) {
  std::string pixels(row_bytes * layout.rows, '\0');
  for (int64_t row = 0; row < layout.rows; ++row) {
    const int64_t file_row = layout.top_down ? layout.rows - 1 - row : row;
    const char* from = bytes.data() + layout.pixels_at + file_row * layout.stride;
    char* to = pixels.data() + row * row_bytes;
    if (layout.bits != 24) {
      std::copy(from, from + row_bytes, to);
      continue;
    }
    for (size_t i = 0; i < row_bytes; i += 3) {
      to[i] = from[i + 2];
      to[i + 1] = from[i + 1];
      to[i + 2] = from[i];
    }
  }
  return pixels;
}

}  // namespace

std::optional<BmpImage> DecodeBmp(std::string_view bytes) {
  const std::optional<Layout> layout = ReadLayout(bytes);
  if (!layout) return std::nullopt;
  BmpImage image;
  image.width = static_cast<int>(layout->width);
  image.height = static_cast<int>(layout->rows);
  image.bits_per_pixel = layout->bits;
  image.palette = ReadPalette(bytes, *layout);
  image.pixels = ReadPixels(bytes, *layout, image.RowBytes());
  return image;
}

BmpReadResult ReadBmpFile(FileSystem& fs, const std::string& path, BmpImage* image) {
  uint64_t size = 0;
  if (!fs.FileSize(path, &size).ok()) return BmpReadResult::kCannotOpen;
  if (size > kMaxBmpFileBytes) return BmpReadResult::kInvalid;
  std::string bytes;
  if (!fs.ReadFile(path, &bytes).ok()) return BmpReadResult::kCannotOpen;
  std::optional<BmpImage> decoded = DecodeBmp(bytes);
  if (!decoded) return BmpReadResult::kInvalid;
  *image = std::move(*decoded);
  return BmpReadResult::kOk;
}

}  // namespace zenkar
