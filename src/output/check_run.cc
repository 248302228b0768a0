#include "output/check_run.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <set>

#include "common/text_field.h"
#include "ledger/bookkeeping.h"
#include "output/micr_line.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr int64_t kLargestCheckNumber = 999999;
constexpr size_t kReferenceWidth = 8;
constexpr std::string_view kTestCheckNumber = "000000";

// How one kind of run behaves.
struct RunStyle {
  std::string_view prompt = kStartingNumberPrompt;
  std::string_view prompt_title = kPrintChecksTitle;
  std::string_view job_title = kChecksJobTitle;
  bool micr_only = false;
  // The numbers are checked against the books and Next Check moves past
  // them (not for the test check, whose 000000 is no number).
  bool uses_numbers = true;
  bool warn_without_test_check = true;
};

// The value of a check number: 1 to 999999 written in digits.
std::optional<int64_t> NumberValue(std::string_view text) {
  const std::string_view digits = Trim(text);
  if (digits.empty() || digits.size() > kReferenceWidth ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  int64_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (value < 1 || value > kLargestCheckNumber) return std::nullopt;
  return value;
}

std::string WithWidth(int64_t value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// Consecutive numbers from `first`, written as wide as it was typed.
std::optional<std::vector<std::string>> Consecutive(std::string_view first, size_t count) {
  const std::optional<int64_t> start = NumberValue(first);
  if (!start || *start + static_cast<int64_t>(count) - 1 > kLargestCheckNumber) {
    return std::nullopt;
  }
  const size_t width = Trim(first).size();
  std::vector<std::string> numbers;
  for (size_t i = 0; i < count; ++i) numbers.push_back(WithWidth(*start + i, width));
  return numbers;
}

// The first of `numbers` that a check of the books carries already.
std::optional<std::string> NumberInUse(Ledger& ledger, const std::vector<std::string>& numbers,
                                       const std::set<int>& own) {
  std::set<int64_t> wanted;
  for (const std::string& number : numbers) wanted.insert(*NumberValue(number));
  std::optional<int64_t> used;
  ledger.ScanTransactionRecords([&](int record_number, std::string_view record) {
    if (used || own.count(record_number) != 0) return;
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind != kCheckOrDeposit || facts.amount <= Money()) return;
    const std::optional<int64_t> value = NumberValue(TransactionReference(record));
    if (value && wanted.count(*value) != 0) used = value;
  });
  if (!used) return std::nullopt;
  for (const std::string& number : numbers) {
    if (NumberValue(number) == used) return number;
  }
  return std::nullopt;
}

std::set<int> OwnRecords(const std::vector<CheckToPrint>& checks) {
  std::set<int> own;
  for (const CheckToPrint& check : checks)
    own.insert(check.record_numbers.begin(), check.record_numbers.end());
  return own;
}

// The checks' entries voided or deleted; deletions from the last line up,
// so the numbers of the others stay right.
void TakeBack(Ledger& ledger, const std::vector<CheckToPrint>& checks,
              const std::vector<bool>& which, UnprintedEntries what) {
  std::vector<int> records;
  for (size_t i = 0; i < checks.size(); ++i) {
    if (which[i])
      records.insert(records.end(), checks[i].record_numbers.begin(),
                     checks[i].record_numbers.end());
  }
  std::sort(records.rbegin(), records.rend());
  for (int record : records) {
    // A failure has been reported; the other entries are still taken back.
    if (what == UnprintedEntries::kDelete) {
      (void)ledger.DeleteTransaction(record);
    } else {
      (void)ledger.VoidTransaction(record);
    }
  }
}

class CheckRun {
 public:
  CheckRun(Ledger& ledger, PrintJob& job, CheckRunRequest& request, const RunStyle& style)
      : ledger_(ledger), job_(job), request_(request), style_(style), ui_(ledger.ui()) {
    result_.printed_correctly.assign(request.checks.size(), false);
  }

  CheckRunResult Run() {
    if (!Prepare()) {
      Withdraw();
      return result_;
    }
    if (request_.print) {
      if (!Print()) {
        job_.AbandonPrintJob();
        ui_.ClearProgress();
        Withdraw();
        return result_;
      }
      result_.printed = true;
    }
    if (style_.uses_numbers) MoveNextCheck();
    result_.printed_correctly.assign(request_.checks.size(), true);
    if (request_.print && job_.target() == OutputTarget::kPrinter) AskWhatPrinted();
    if (RecordsAfterPrinting()) RecordConfirmed();
    return result_;
  }

  const MicrSettingsFile& micr() const { return micr_; }

 private:
  // Steps 1 to 4: the form, the numbers, the entries, the warning.
  bool Prepare() {
    if ((request_.print && !UsableCheckType()) || !Number()) return false;
    if (!RecordsAfterPrinting() && request_.record_checks) {
      if (!request_.record_checks(request_.checks)) return false;
      result_.recorded = true;
    }
    if (request_.print && style_.warn_without_test_check && IsMicrCheckType(CheckType()) &&
        !micr_.settings.test_check_printed) {
      ui_.Information(kTestCheckWarning);
    }
    return true;
  }

  bool RecordsAfterPrinting() const {
    return request_.recording == CheckRunRequest::Recording::kAfterPrinting;
  }

  // The checks that printed and were confirmed go into the books; should
  // that fail, none of them stands in the books as printed.
  void RecordConfirmed() {
    std::vector<CheckToPrint> confirmed;
    for (size_t i = 0; i < request_.checks.size(); ++i) {
      if (result_.printed_correctly[i]) confirmed.push_back(request_.checks[i]);
    }
    if (confirmed.empty() || !request_.record_checks) return;
    result_.recorded = request_.record_checks(confirmed);
    if (!result_.recorded) result_.printed_correctly.assign(request_.checks.size(), false);
  }

  int CheckType() const { return ledger_.settings().check_type; }

  // The company's check type has a layout (a MICR one where the run needs
  // it) and, for blank stock, settings a bank can read.
  bool UsableCheckType() {
    prepared_type_ = CheckType();
    const CheckLayout* layout = CheckLayoutOf(prepared_type_);
    if (layout == nullptr) {
      ui_.Error(style_.micr_only ? kNotMicrCheckType : kNoCheckType);
      return false;
    }
    if (!IsMicrCheckType(layout->type)) {
      if (style_.micr_only) ui_.Error(kNotMicrCheckType);
      return !style_.micr_only;
    }
    micr_ = LoadMicrSettings(ledger_);
    if (!IsValidRoutingNumber(micr_.settings.routing_number)) {
      ui_.Error(kInvalidRoutingNumber);
      return false;
    }
    const std::string& account = micr_.settings.account_number;
    if (!std::all_of(account.begin(), account.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '-'; })) {
      ui_.Error(kAccountNumberRule);
      return false;
    }
    return true;
  }

  bool Number() {
    const size_t count = request_.checks.size();
    if (!style_.uses_numbers) {  // the test check's 000000
      result_.numbers.assign(count, request_.first_number);
      for (CheckToPrint& check : request_.checks) check.content.number = request_.first_number;
      return true;
    }
    const bool asking = request_.first_number.empty();
    std::string typed =
        asking ? std::string(Trim(ledger_.settings().next_check)) : request_.first_number;
    const std::set<int> own = OwnRecords(request_.checks);
    for (;;) {
      if (asking) {
        std::optional<std::string> answer = ui_.InputBox(style_.prompt, style_.prompt_title, typed);
        if (!answer) return false;
        typed = std::string(Trim(*answer));
      }
      std::optional<std::vector<std::string>> numbers = Consecutive(typed, count);
      std::optional<std::string> problem;
      if (!numbers) {
        ui_.Error(kCheckNumberRule);
      } else if ((problem = CheckNumbersProblem(ledger_, *numbers, own))) {
        ui_.Error(*problem);
      } else {
        result_.numbers = *numbers;
        for (size_t i = 0; i < count; ++i) request_.checks[i].content.number = (*numbers)[i];
        return true;
      }
      if (!asking) return false;
    }
  }

  // Step 5: the document.
  bool Print() {
    if (!job_.StartPrintJob(PrintJobKind::kCheck, style_.job_title)) return false;
    // The printer's options may have chosen another form.
    if (CheckType() != prepared_type_ && !UsableCheckType()) return false;
    const CheckLayout* layout = CheckLayoutOf(CheckType());
    CheckPrintSetup setup;
    setup.layout = layout;
    setup.dates = &job_.services().dates;
    setup.print_memo = ledger_.settings().memo_on_checks != 0;
    const OutputDeviceSettings& device = ledger_.settings().check_output;
    setup.fill_font = {FontFamilyOf(device.font_name), 10, FontStyleOf(device.font_style)};
    if (layout->family == CheckFamily::kMicr) {
      setup.micr = &micr_.settings;
      if (!ReadLogo(&setup.logo)) return false;
    }
    for (const ReportFont& font : CheckFonts(setup)) {
      if (!job_.SetReportFont(FontFamilyName(font.family), font.size, font.style)) return false;
    }
    const size_t count = request_.checks.size();
    for (size_t i = 0; i < count; ++i) {
      ui_.SetProgress(kPreparingChecks, static_cast<long>(i), static_cast<long>(count));
      if (i > 0) job_.NewPage();
      WriteCheck(job_, setup, request_.checks[i].content);
    }
    ui_.ClearProgress();
    return job_.EndPrintJob();
  }

  bool ReadLogo(std::shared_ptr<const BmpImage>* logo) {
    const std::string& path = micr_.settings.logo_path;
    if (path.empty()) return true;
    auto image = std::make_shared<BmpImage>();
    switch (ReadBmpFile(ledger_.fs(), path, image.get())) {
      case BmpReadResult::kOk:
        *logo = std::move(image);
        return true;
      case BmpReadResult::kCannotOpen:
        ui_.Error(Utf8ToCp1252(path) + " not able to be opened (PDF BMP File Read).");
        return false;
      case BmpReadResult::kInvalid:
        ui_.Error(Utf8ToCp1252(path) + " has invalid header (PDF BMP File Read).");
        return false;
    }
    return false;
  }

  // Step 6.
  void MoveNextCheck() {
    CompanySettings& settings = ledger_.settings();
    const std::string next = NextCheckPast(settings.next_check, result_.numbers);
    if (next == Trim(settings.next_check)) return;
    settings.next_check = next;
    // A failure has been reported; the settings in memory keep the number.
    (void)ledger_.SaveCompanySettings();
  }

  // Step 7.
  void AskWhatPrinted() {
    std::vector<size_t> recorded;
    for (size_t i = 0; i < request_.checks.size(); ++i) {
      if (!request_.checks[i].record_numbers.empty()) recorded.push_back(i);
    }
    if (recorded.empty() || ui_.YesNoDefaultYes(kPrintedCorrectly)) return;
    std::vector<bool> unprinted(request_.checks.size(), false);
    if (recorded.size() == 1) {
      unprinted[recorded.front()] = true;
    } else if (request_.chooser != nullptr) {
      std::vector<std::string> lines;
      for (size_t i : recorded) lines.push_back(ChooserLine(request_.checks[i].content));
      const std::vector<bool> chosen = request_.chooser->ChooseUnprinted(lines);
      for (size_t k = 0; k < recorded.size() && k < chosen.size(); ++k) {
        unprinted[recorded[k]] = chosen[k];
      }
    } else {
      for (size_t i : recorded) {
        const CheckContent& check = request_.checks[i].content;
        unprinted[i] = !ui_.YesNoDefaultYes(CheckPrintedQuestion(check.number, check.payee_name));
      }
    }
    if (!RecordsAfterPrinting()) TakeBack(ledger_, request_.checks, unprinted, request_.unprinted);
    for (size_t i = 0; i < unprinted.size(); ++i) {
      if (unprinted[i]) result_.printed_correctly[i] = false;
    }
  }

  static std::string ChooserLine(const CheckContent& check) {
    return "Check " + check.number + "  " + std::string(TrimRight(check.payee_name)) + "  " +
           FormatAmount(check.amount, kAmountThousands);
  }

  void Withdraw() {
    if (RecordsAfterPrinting()) return;  // nothing is in the books yet
    TakeBack(ledger_, request_.checks, std::vector<bool>(request_.checks.size(), true),
             request_.unprinted);
  }

  Ledger& ledger_;
  PrintJob& job_;
  CheckRunRequest& request_;
  const RunStyle& style_;
  Ui& ui_;
  MicrSettingsFile micr_;
  int prepared_type_ = 0;  // the check type the settings were checked for
  CheckRunResult result_;
};

}  // namespace

std::string NumberInUseMessage(std::string_view number) {
  return "Check number " + std::string(number) + " was given to another check already.";
}

std::optional<std::string> CheckNumbersProblem(Ledger& ledger,
                                               const std::vector<std::string>& numbers,
                                               const std::set<int>& own) {
  for (const std::string& number : numbers) {
    if (!NumberValue(number)) return std::string(kCheckNumberRule);
  }
  const std::optional<std::string> used = NumberInUse(ledger, numbers, own);
  if (used) return NumberInUseMessage(*used);
  return std::nullopt;
}

std::string CheckPrintedQuestion(const std::string& number, const std::string& payee) {
  return "Did check " + number + " to " + std::string(TrimRight(payee)) + " print correctly?";
}

std::string NextCheckPast(std::string_view next, const std::vector<std::string>& numbers) {
  const std::string* highest = nullptr;
  for (const std::string& number : numbers) {
    if (highest == nullptr || NumberValue(number) > NumberValue(*highest)) highest = &number;
  }
  if (highest == nullptr) return std::string(Trim(next));
  const std::optional<int64_t> current = NumberValue(next);
  if (current && *current > *NumberValue(*highest)) return std::string(Trim(next));
  return SuggestedNextReference(*highest).value_or(std::string(Trim(next)));
}

CheckRunResult RunChecks(Ledger& ledger, PrintJob& job, CheckRunRequest request) {
  const RunStyle style;
  return CheckRun(ledger, job, request, style).Run();
}

bool PrintTestCheck(Ledger& ledger, PrintJob& job) {
  CheckRunRequest request;
  CheckToPrint test;
  test.content.kind = CheckKind::kTest;
  test.content.date = ledger.clock().Today();
  request.checks.push_back(test);
  request.first_number = std::string(kTestCheckNumber);
  const RunStyle style{.job_title = kTestCheckJobTitle,
                       .micr_only = true,
                       .uses_numbers = false,
                       .warn_without_test_check = false};
  CheckRun run(ledger, job, request, style);
  if (!run.Run().printed) return false;
  MicrSettings settings = run.micr().settings;
  settings.test_check_printed = true;
  return SaveMicrSettings(ledger, run.micr(), settings);
}

bool PrintBlankCheck(Ledger& ledger, PrintJob& job, std::string number) {
  CheckRunRequest request;
  CheckToPrint blank;
  blank.content.kind = CheckKind::kBlank;
  request.checks.push_back(blank);
  request.first_number = std::move(number);
  const RunStyle style{.prompt = kBlankNumberPrompt,
                       .prompt_title = kBlankCheckTitle,
                       .job_title = kBlankCheckJobTitle,
                       .micr_only = true};
  return CheckRun(ledger, job, request, style).Run().printed;
}

}  // namespace zenkar
