// Fuzz target: the BMP logo reader (DecodeBmp).
//
// A logo file is whatever the user points the settings at. The decoder must
// refuse what it cannot embed and, for what it accepts, give an image whose
// sizes agree with each other: a full palette for indexed images, and
// exactly one row of pixels per row of the image, never more bytes than the
// file could hold.
#include <cstdint>
#include <optional>

#include "fuzz/fuzz_support.h"
#include "output/bmp_image.h"

using zenkar::BmpImage;
using zenkar::fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<BmpImage> image = zenkar::DecodeBmp(zenkar::fuzzing::BytesOf(data, size));
  if (!image) return 0;
  Require(image->width > 0 && image->height > 0, "an image has rows and columns");
  Require(image->pixels.size() == image->RowBytes() * static_cast<size_t>(image->height),
          "one row of pixels per row of the image");
  Require(image->pixels.size() <= size, "the pixels come from the file");
  const size_t palette = image->indexed() ? 3u << image->bits_per_pixel : 0;
  Require(image->palette.size() == palette, "indexed images have a full palette");
  return 0;
}
