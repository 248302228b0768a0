// The "MICR" tab's rules ("MICR Check Printing - Setup and Options"),
// without widgets: what the page shows of KXMICR.DAT and the company's check
// type, the checks a save makes, what a save stores, and the logo.
//
// The page edits a copy of the settings (MicrSetup::edited()); "Save" checks
// it (a check type that starts with "MICR", a valid routing number, an
// account number of digits, blanks and dashes) and writes KXMICR.DAT with
// the test check not yet printed, so that the next check run warns until a
// test check has been printed, and the company's check type.
#ifndef ZENKAR_APP_RULES_CHECK_PRINTING_MICR_SETUP_H_
#define ZENKAR_APP_RULES_CHECK_PRINTING_MICR_SETUP_H_

#include <optional>
#include <string>
#include <string_view>

#include "ledger/ledger.h"
#include "output/micr_settings.h"

namespace zenkar {

// "Check Number Location", in list order.
inline constexpr std::string_view kNumberLocationNames[] = {"Normal", "Leading 'On-Us'",
                                                            "Trailing 'On-Us'"};

class MicrSetup {
 public:
  // Reads the settings of the ledger's folder.
  explicit MicrSetup(Ledger& ledger);

  // Reads them again (another folder, or another program's save).
  void Reload();

  // The settings as the page shows and edits them, and the company's check
  // type (1 to 9, 0 for none) beside them.
  MicrSettings& edited() { return edited_; }
  const MicrSettings& edited() const { return edited_; }
  int& check_type() { return check_type_; }
  int check_type() const { return check_type_; }
  bool HasUnsavedEdits() const;

  // The first reason the edits may not be saved, or nothing.
  std::optional<std::string_view> Problem() const;
  // "Save": refuses with the first problem (shown as an error) and stores
  // nothing; otherwise writes KXMICR.DAT and the check type. True when saved.
  bool Save();

  // "Select Logo" chose `path` (as the file system names it): taken when it
  // passes the logo rules, else refused with their message. True when taken.
  bool ChooseLogo(const std::string& path);
  // "Remove Logo": "Remove Logo?" (No preselected). True when removed.
  bool RemoveLogo();
  // "No Logo Selected", or the logo's path (Windows-1252 for the screen).
  std::string LogoText() const;

 private:
  Ledger& ledger_;
  MicrSettingsFile file_;
  MicrSettings edited_;
  int check_type_ = 0;
  int loaded_check_type_ = 0;  // the company's check type when read
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_CHECK_PRINTING_MICR_SETUP_H_
