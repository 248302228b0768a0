#include "output/micr_settings.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/byte_codec.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "output/bmp_image.h"

namespace zenkar {
namespace {

constexpr size_t kTextWidth = 40;
constexpr size_t kRoutingWidth = 12;

// Every field of the record, each with its offset and width written once:
// decoding, encoding and the checks walk this list. `S` is MicrSettings or
// const MicrSettings. The two bytes at 724 belong to no field.
template <typename S, typename Visitor>
void VisitFields(S& s, Visitor& v) {
  v.Text(0, kTextWidth, s.bank_name);
  v.Text(40, kTextWidth, s.bank_address);
  v.Text(80, kTextWidth, s.bank_city_state_zip);
  v.Text(120, kTextWidth, s.plain_text_ach);
  v.Digits(160, kRoutingWidth, s.routing_number);
  v.Text(172, kTextWidth, s.name_line_1);
  v.Text(212, kTextWidth, s.name_line_2);
  v.Text(252, kTextWidth, s.address);
  v.Text(292, kTextWidth, s.city_state_zip);
  v.Text(332, kTextWidth, s.account_number);
  v.Text(372, kTextWidth, s.phone_memo);
  v.Int32(412, s.check_type, 0, 9);
  v.Location(416, s.number_location);
  v.Int32(420, s.signature_lines, 1, kMostSignatureLines);
  v.Text(424, kTextWidth, s.signature_title);
  v.Int32(464, s.horizontal_32nds, -kMostMicrShift, kMostMicrShift);
  v.Int32(468, s.vertical_32nds, -kMostMicrShift, kMostMicrShift);
  v.Int32(472, s.font_height_tenths, -kMostMicrHeightTenths, kMostMicrHeightTenths);
  v.Text(476, kLogoPathWidth, s.logo_path);
  v.Flag(720, s.test_check_printed);
}

// A text field as the record holds it: padded with blanks (or with the zero
// bytes of a program that pads so), without control characters.
std::string_view Unpadded(std::string_view field) {
  const size_t end = field.find_last_not_of(std::string_view(" \0", 2));
  return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
}

struct Decoder {
  std::string_view record;
  void Text(size_t at, size_t width, std::string& value) {
    value = std::string(Unpadded(record.substr(at, width)));
  }
  void Digits(size_t at, size_t width, std::string& value) {
    value = std::string(Trim(Unpadded(record.substr(at, width))));
  }
  void Int32(size_t at, int32_t& value, int32_t, int32_t) { value = GetInt32(record, at); }
  void Location(size_t at, CheckNumberLocation& value) {
    value = static_cast<CheckNumberLocation>(GetInt32(record, at));
  }
  void Flag(size_t at, bool& value) { value = GetInt32(record, at) != 0; }
};

struct Encoder {
  std::string& record;
  void Text(size_t at, size_t width, const std::string& value) {
    PutTextField(record, at, width, value);
  }
  void Digits(size_t at, size_t width, const std::string& value) {
    PutTextField(record, at, width, value);
  }
  void Int32(size_t at, int32_t value, int32_t, int32_t) { PutInt32(record, at, value); }
  void Location(size_t at, CheckNumberLocation value) {
    PutInt32(record, at, static_cast<int32_t>(value));
  }
  void Flag(size_t at, bool value) { PutInt32(record, at, value ? 1 : 0); }
};

// Finds the first field that this program would never have written.
struct Checker {
  std::string_view record;
  std::optional<std::string> problem;

  void Fail(size_t at, std::string_view what) {
    if (!problem)
      problem = "the field at byte " + std::to_string(at) + " holds " + std::string(what);
  }
  void Text(size_t at, size_t width, const std::string&) {
    const std::string_view text = Unpadded(record.substr(at, width));
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return IsControlCharacter(static_cast<unsigned char>(c)); })) {
      Fail(at, "a control character");
    }
  }
  void Digits(size_t at, size_t width, const std::string&) {
    const std::string_view digits = Trim(Unpadded(record.substr(at, width)));
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      Fail(at, "more than digits");
    }
  }
  void Int32(size_t at, int32_t, int32_t least, int32_t most) {
    const int32_t value = GetInt32(record, at);
    if (value < least || value > most) Fail(at, "the number " + std::to_string(value));
  }
  void Location(size_t at, CheckNumberLocation) {
    Int32(at, 0, 0, static_cast<int32_t>(CheckNumberLocation::kTrailingOnUs));
  }
  void Flag(size_t at, bool) { Int32(at, 0, 0, 1); }
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The smallest logo side that can be drawn.
constexpr int kLeastLogoSide = 2;

}  // namespace

MicrSettings MicrSettings::Decode(std::string_view record) {
  MicrSettings settings;
  Decoder decoder{record};
  VisitFields(settings, decoder);
  settings.raw = std::string(record);
  return settings;
}

std::string MicrSettings::Encode() const {
  std::string record = raw.size() == kSize ? raw : std::string(kSize, ' ');
  Encoder encoder{record};
  VisitFields(*this, encoder);
  return record;
}

std::optional<std::string> MicrRecordProblem(std::string_view record) {
  if (record.size() != MicrSettings::kSize) {
    return "it is " + std::to_string(record.size()) + " bytes long instead of " +
           std::to_string(MicrSettings::kSize);
  }
  Checker checker{record, std::nullopt};
  const MicrSettings unused;
  VisitFields(unused, checker);
  return checker.problem;
}

bool IsValidRoutingNumber(std::string_view number) {
  if (number.size() != 9 ||
      !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  constexpr std::array<int, 8> kWeights = {3, 7, 1, 3, 7, 1, 3, 7};
  int sum = 0;
  for (size_t i = 0; i < kWeights.size(); ++i) sum += kWeights[i] * (number[i] - '0');
  const int last = sum % 10;
  const int check = last == 0 ? 0 : 10 - last;
  return number[8] - '0' == check;
}

MicrSettingsFile LoadMicrSettings(Ledger& ledger) {
  MicrSettingsFile file;
  const std::string path = ledger.FilePath(kMicrFileName);
  FileSystem& fs = ledger.fs();
  if (Status s = fs.StampOf(path, &file.stamp); !s.ok() || !file.stamp.exists) return file;
  std::string record;
  if (Status s = fs.ReadFile(path, &record); !s.ok()) {
    ledger.ui().Error("Error reading " + Utf8ToCp1252(path) + "\n\n" + s.message() +
                      "\n\nThe MICR settings are shown as for a new company.");
    return file;
  }
  if (record.empty()) return file;
  if (const std::optional<std::string> problem = MicrRecordProblem(record)) {
    ledger.ui().Error(Utf8ToCp1252(path) + " does not hold MICR settings this program wrote (" +
                      *problem +
                      "). The MICR settings are shown as for a new company; the file is "
                      "replaced only when they are saved.");
    return file;
  }
  file.settings = MicrSettings::Decode(record);
  return file;
}

bool SaveMicrSettings(Ledger& ledger, const MicrSettingsFile& file, MicrSettings settings) {
  switch (ledger.ReplaceFolderFile(kMicrFileName, settings.Encode(), file.stamp)) {
    case Ledger::FolderFileSave::kSaved:
      return true;
    case Ledger::FolderFileSave::kChangedElsewhere:
      ledger.ui().Error(
          "Another program changed the MICR settings in this data folder since they were read "
          "here. Nothing was saved; they have been read again.");
      return false;
    case Ledger::FolderFileSave::kFailed:
      break;
  }
  return false;
}

std::optional<std::string_view> LogoSelectionProblem(FileSystem& fs, const std::string& path) {
  if (path.size() < 4 || Upper(path.substr(path.size() - 4)) != ".BMP") return kLogoNotBitmap;
  if (path.size() > kLogoPathWidth) return kLogoFolderTooLong;
  BmpImage image;
  if (ReadBmpFile(fs, path, &image) != BmpReadResult::kOk) return kLogoInvalidFile;
  if (image.width < kLeastLogoSide || image.height < kLeastLogoSide) return kLogoTooSmall;
  return std::nullopt;
}

}  // namespace zenkar
