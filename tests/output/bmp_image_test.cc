// The logo bitmap decoder: every depth the PDF writer embeds, and refusal of
// anything damaged without crashing or reserving memory the file cannot back.
#include "output/bmp_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "common/byte_codec.h"
#include "output/pdf_test_tools.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::BmpLayout;
using testing::MakeBmp;

// The palette index of row y of a row-coded indexed image.
uint32_t RowIndex(int bits, int y) { return static_cast<uint32_t>(y % std::min(3, 1 << bits)); }

// A 5 x 3 image whose pixel values tell their row (and for 24 bits their
// column), so row order, padding and colour order mistakes show.
BmpLayout RowCoded(int bits) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 3;
  layout.bits = bits;
  if (bits == 1) layout.palette = {0x102030, 0x405060};
  if (bits == 4 || bits == 8) layout.palette = {0x102030, 0x405060, 0x708090};
  layout.pixel = [bits](int x, int y) -> uint32_t {
    return bits == 24 ? 0x010203u * (y + 1) + static_cast<uint32_t>(x) : RowIndex(bits, y);
  };
  return layout;
}

std::string ExpectedIndexedRow(int bits, uint32_t index, int width) {
  std::string row((width * bits + 7) / 8, '\0');
  for (int x = 0; x < width; ++x) {
    const int per_byte = 8 / bits;
    const int shift = 8 - bits * (x % per_byte + 1);
    row[x / per_byte] = static_cast<char>(row[x / per_byte] | index << shift);
  }
  return row;
}

class BmpDepthTest : public ::testing::TestWithParam<int> {};

TEST_P(BmpDepthTest, DecodesRowsBottomFirstWithoutPadding) {
  const int bits = GetParam();
  for (bool top_down : {false, true}) {
    BmpLayout layout = RowCoded(bits);
    layout.top_down = top_down;
    const std::optional<BmpImage> image = DecodeBmp(MakeBmp(layout));
    ASSERT_TRUE(image.has_value()) << "top_down " << top_down;
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->bits_per_pixel, bits);
    ASSERT_EQ(image->pixels.size(), image->RowBytes() * 3);
    // Stored bottom row first: y = 2, 1, 0.
    for (int stored = 0; stored < 3; ++stored) {
      const int y = 2 - stored;
      const std::string row = image->pixels.substr(stored * image->RowBytes(), image->RowBytes());
      if (bits == 24) {
        const uint32_t first = 0x010203u * (y + 1);
        EXPECT_EQ(static_cast<uint8_t>(row[0]), first >> 16) << "red of row " << y;
        EXPECT_EQ(static_cast<uint8_t>(row[1]), (first >> 8) & 0xFF) << "green of row " << y;
        EXPECT_EQ(static_cast<uint8_t>(row[2]), first & 0xFF) << "blue of row " << y;
        EXPECT_EQ(static_cast<uint8_t>(row[14]), (first & 0xFF) + 4) << "blue of last pixel";
      } else {
        EXPECT_EQ(row, ExpectedIndexedRow(bits, RowIndex(bits, y), 5)) << "row " << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepthTest, ::testing::Values(1, 4, 8, 24));

// The header fields, to damage one at a time.
std::string ValidEightBit() { return MakeBmp(RowCoded(8)); }

TEST(BmpRefusal, RefusesWhatCannotBeEmbedded) {
  struct Case {
    const char* what;
    size_t at;
    size_t width;
    uint64_t value;
  };
  const Case cases[] = {
      {"not BM", 0, 2, 'B' | 'A' << 8},
      {"16 bits per pixel", 28, 2, 16},
      {"32 bits per pixel", 28, 2, 32},
      {"2 bits per pixel", 28, 2, 2},
      {"RLE8 compression", 30, 4, 1},
      {"two planes", 26, 2, 2},
      {"zero width", 18, 4, 0},
      {"negative width", 18, 4, 0xFFFFFFF0},
      {"zero height", 22, 4, 0},
      {"absurd width", 18, 4, 0x7FFFFFFF},
      {"absurd height", 22, 4, 0x7FFFFFFF},
      {"most negative height", 22, 4, 0x80000000},
      {"pixels beyond the file", 10, 4, 0xFFFFFF00},
      {"core header", 14, 4, 12},
      {"header larger than the file", 14, 4, 0x7FFFFFFF},
      {"more colours than the depth holds", 46, 4, 257},
      {"palette beyond the file", 46, 4, 256},
  };
  for (const Case& c : cases) {
    std::string bytes = ValidEightBit();
    PutLittleEndian(bytes, c.at, c.width, c.value);
    EXPECT_FALSE(DecodeBmp(bytes).has_value()) << c.what;
  }
}

TEST(BmpRefusal, RefusesEveryTruncation) {
  const std::string bytes = MakeBmp(RowCoded(24));
  for (size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(DecodeBmp(bytes.substr(0, length)).has_value()) << "length " << length;
  }
  EXPECT_TRUE(DecodeBmp(bytes).has_value());
}

// Random damage to valid files of every depth: whatever comes back must be
// refused or be an image whose memory the input bytes account for.
TEST(BmpFuzz, DamagedFilesNeverCrashOrOutgrowTheirInput) {
  std::mt19937 random(20240611);
  const size_t header_fields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
  int refused = 0;
  for (int bits : {1, 4, 8, 24}) {
    const std::string valid = MakeBmp(RowCoded(bits));
    for (int round = 0; round < 5000; ++round) {
      std::string bytes = valid;
      const int damage = static_cast<int>(random() % 4);
      if (damage == 0) {
        bytes.resize(random() % bytes.size());
      } else if (damage == 1) {
        for (int i = 0; i < 4; ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
      } else if (damage == 2) {
        const size_t field = header_fields[random() % std::size(header_fields)];
        PutLittleEndian(bytes, field, 4, random());
      } else {
        PutLittleEndian(bytes, header_fields[random() % std::size(header_fields)], 2,
                        random() % 3 == 0 ? 0xFFFF : random() % 64);
      }
      const std::optional<BmpImage> image = DecodeBmp(bytes);
      if (!image) {
        ++refused;
        continue;
      }
      EXPECT_LE(image->pixels.size(), bytes.size());
      EXPECT_EQ(image->pixels.size(), image->RowBytes() * image->height);
      EXPECT_LE(image->palette.size(), 768u);
    }
  }
  EXPECT_GT(refused, 1000);  // the damage really reached the checks
}

TEST(BmpFile, ReportsUnreadableMissingAndOversizedFiles) {
  testing::TempDir dir;
  BmpImage image;
  EXPECT_EQ(ReadBmpFile(PosixFileSystem(), dir.File("missing.bmp"), &image),
            BmpReadResult::kCannotOpen);

  dir.WriteFile("logo.bmp", MakeBmp(RowCoded(4)));
  ASSERT_EQ(ReadBmpFile(PosixFileSystem(), dir.File("logo.bmp"), &image), BmpReadResult::kOk);
  EXPECT_EQ(image.bits_per_pixel, 4);

  dir.WriteFile("text.bmp", "hello, not a bitmap");
  EXPECT_EQ(ReadBmpFile(PosixFileSystem(), dir.File("text.bmp"), &image), BmpReadResult::kInvalid);

  // A file larger than any logo is refused before it is read (sparse on disk).
  dir.WriteFile("huge.bmp", MakeBmp(RowCoded(24)));
  std::filesystem::resize_file(dir.File("huge.bmp"), kMaxBmpFileBytes + 1);
  EXPECT_EQ(ReadBmpFile(PosixFileSystem(), dir.File("huge.bmp"), &image), BmpReadResult::kInvalid);
}

}  // namespace
}  // namespace zenkar
