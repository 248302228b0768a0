// MicrSettings: the one 726-byte record of KXMICR.DAT, the settings of
// checks printed whole on blank stock ("MICR Check Printing - Setup and
// Options"), and the rules of its fields.
//
// The record is read and written whole. This program chose its layout (the
// field table in micr_settings.cc and docs/OUTPUT.md); the payroll program
// sharing the folder may have written another one, so a record of the right
// length whose fields fail the checks of MicrRecordProblem is not trusted: it
// is read as the settings of a new company, with a message, and replaced only
// when the user saves the settings. Bytes of no field are kept as read.
#ifndef ZENKAR_OUTPUT_MICR_SETTINGS_H_
#define ZENKAR_OUTPUT_MICR_SETTINGS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "ledger/ledger.h"

namespace zenkar {

inline constexpr std::string_view kMicrFileName = "KXMICR.DAT";

// "Check Number Location", in the order the list shows them.
enum class CheckNumberLocation : int32_t { kNormal = 0, kLeadingOnUs = 1, kTrailingOnUs = 2 };

// The bounds of the "MICR Adjustments" (1/32 inch and 1/10 point).
inline constexpr int kMostMicrShift = 64;         // two inches either way
inline constexpr int kMostMicrHeightTenths = 40;  // 8 to 16 points
inline constexpr int kMostSignatureLines = 2;
// The longest logo path the record holds, in bytes.
inline constexpr size_t kLogoPathWidth = 244;

struct MicrSettings {
  static constexpr size_t kSize = 726;

  // "Your Bank's Information"
  std::string bank_name;
  std::string bank_address;
  std::string bank_city_state_zip;
  std::string plain_text_ach;  // the fractional routing number, printed as written
  std::string routing_number;
  // "Your Company Information"
  std::string name_line_1;
  std::string name_line_2;
  std::string address;
  std::string city_state_zip;
  std::string account_number;
  std::string phone_memo;
  // "Check Setup". The check type is kept here for the payroll program; this
  // program prints with the company settings' "Check Type".
  int32_t check_type = 0;
  CheckNumberLocation number_location = CheckNumberLocation::kNormal;
  int32_t signature_lines = 1;
  std::string signature_title = "AUTHORIZED SIGNATURE";
  // "MICR Adjustments": right and down in 1/32 inch, the font height in 1/10
  // point over 12 points.
  int32_t horizontal_32nds = 0;
  int32_t vertical_32nds = 0;
  int32_t font_height_tenths = 0;
  // "Select Logo": the bitmap's path as the file system names it (UTF-8
  // here); empty for "No Logo Selected".
  std::string logo_path;
  // A test check has been printed since the settings were last saved.
  bool test_check_printed = false;

  // The record as last read or encoded: the bytes of no field live here.
  std::string raw = std::string(kSize, ' ');

  // The record's fields (texts without their padding); an unsound record
  // should be refused with MicrRecordProblem first.
  static MicrSettings Decode(std::string_view record);
  std::string Encode() const;
};

// Why `record` cannot be the settings this program writes, or nothing: the
// wrong length, a control character in a text, a routing number of anything
// but digits, or a number outside its list or bounds.
std::optional<std::string> MicrRecordProblem(std::string_view record);

// The published ABA rule: nine digits whose weighted sum (3, 7, 1, 3, 7, 1,
// 3, 7 on the first eight) ends in the digit that the ninth brings to ten
// (0 when it ends in 0).
bool IsValidRoutingNumber(std::string_view number);
inline constexpr std::string_view kInvalidRoutingNumber = "Invalid Routing Number";

// The MICR settings of a data folder as read for a change or a print.
struct MicrSettingsFile {
  MicrSettings settings;
  FileStamp stamp;  // of the file as read (an absent stamp: there was none)
};

// Reads KXMICR.DAT of the ledger's folder. A missing or empty file gives the
// defaults; an unreadable or unsound one the defaults too, after saying so
// (it is left as it is).
MicrSettingsFile LoadMicrSettings(Ledger& ledger);

// Saves `settings` over the file read as `file`: false when it could not be
// written, or when another program replaced it since (said here; read it
// again then).
bool SaveMicrSettings(Ledger& ledger, const MicrSettingsFile& file, MicrSettings settings);

// --- The logo ---------------------------------------------------------------

inline constexpr std::string_view kLogoDialogTitle = "MICR Check Printing Graphic";
inline constexpr std::string_view kLogoFileType = "Windows Bitmap (.bmp)";
inline constexpr std::string_view kNoLogoSelected = "No Logo Selected";
inline constexpr std::string_view kRemoveLogoQuestion = "Remove Logo?";
inline constexpr std::string_view kLogoNotBitmap =
    "Invalid MICR Logo Selection: Must be a bitmap (.bmp).";
inline constexpr std::string_view kLogoTooSmall =
    "Invalid MICR Logo Selection: The file is less than 2 pixels on one side.";
inline constexpr std::string_view kLogoFolderTooLong = "The folder name is too long";
inline constexpr std::string_view kLogoInvalidFile = "Invalid file or file type selected";

// Why the file at `path` (as the file system names it) cannot be the logo,
// or nothing: not named ".BMP" in any case, a path longer than the record
// holds, a file that is no readable bitmap, or one below 2 pixels on a side.
std::optional<std::string_view> LogoSelectionProblem(FileSystem& fs, const std::string& path);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_MICR_SETTINGS_H_
