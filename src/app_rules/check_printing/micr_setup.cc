#include "app_rules/check_printing/micr_setup.h"

#include <algorithm>

#include "common/text_field.h"
#include "output/check_layout.h"
#include "output/check_run.h"

namespace zenkar {
namespace {

bool IsMicrAccountNumber(std::string_view number) {
  return std::all_of(number.begin(), number.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '-'; });
}

// The record as a save writes it: the texts without surrounding blanks where
// a blank means nothing (numbers), the check type for the payroll program.
MicrSettings AsSaved(MicrSettings settings, int check_type) {
  settings.routing_number = std::string(Trim(settings.routing_number));
  settings.account_number = std::string(Trim(settings.account_number));
  settings.check_type = check_type;
  settings.test_check_printed = false;
  return settings;
}

}  // namespace

MicrSetup::MicrSetup(Ledger& ledger) : ledger_(ledger) { Reload(); }

void MicrSetup::Reload() {
  file_ = LoadMicrSettings(ledger_);
  edited_ = file_.settings;
  check_type_ = ledger_.settings().check_type;
  if (CheckLayoutOf(check_type_) == nullptr) check_type_ = 0;
  loaded_check_type_ = check_type_;
}

bool MicrSetup::HasUnsavedEdits() const {
  return AsSaved(edited_, check_type_).Encode() != AsSaved(file_.settings, check_type_).Encode() ||
         check_type_ != loaded_check_type_;
}

std::optional<std::string_view> MicrSetup::Problem() const {
  if (!IsMicrCheckType(check_type_)) return kNotMicrCheckType;
  if (!IsValidRoutingNumber(Trim(edited_.routing_number))) return kInvalidRoutingNumber;
  if (!IsMicrAccountNumber(Trim(edited_.account_number))) return kAccountNumberRule;
  return std::nullopt;
}

bool MicrSetup::Save() {
  if (const std::optional<std::string_view> problem = Problem()) {
    ledger_.ui().Error(*problem);
    return false;
  }
  const MicrSettings saved = AsSaved(edited_, check_type_);
  if (!SaveMicrSettings(ledger_, file_, saved)) {
    Reload();
    return false;
  }
  ledger_.settings().check_type = check_type_;
  // A failure has been reported; the type stays chosen for this run.
  (void)ledger_.SaveCompanySettings();
  Reload();
  return true;
}

bool MicrSetup::ChooseLogo(const std::string& path) {
  if (const std::optional<std::string_view> problem = LogoSelectionProblem(ledger_.fs(), path)) {
    ledger_.ui().Error(*problem);
    return false;
  }
  edited_.logo_path = path;
  return true;
}

bool MicrSetup::RemoveLogo() {
  if (edited_.logo_path.empty() || !ledger_.ui().YesNoDefaultNo(kRemoveLogoQuestion)) return false;
  edited_.logo_path.clear();
  return true;
}

std::string MicrSetup::LogoText() const {
  return edited_.logo_path.empty() ? std::string(kNoLogoSelected) : Utf8ToCp1252(edited_.logo_path);
}

}  // namespace zenkar
