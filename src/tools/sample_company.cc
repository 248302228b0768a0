#include "tools/sample_company.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/day_number.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

struct SamplePayee {
  const char* name;
  const char* address;
  const char* city;
  const char* phone;
  const char* memo;
  const char* account;  // default account
};

// Suppliers, service firms, employees and customers of the sample company.
const SamplePayee kPayees[] = {
    {"Wharfside Properties LLC", "12 Ceres Street", "Portsmouth, NH 03801", "603-555-0142",
     "Lease through 2027", "650"},
    {"Seacoast Electric Co-op", "PO Box 4410", "Dover, NH 03821", "603-555-0107", "Acct 88-2041",
     "675"},
    {"Portsmouth Water & Sewer", "680 Peverly Hill Road", "Portsmouth, NH 03801", "603-555-0161",
     "Quarterly billing", "675"},
    {"Granite Gas Service", "95 Industrial Drive", "Exeter, NH 03833", "603-555-0188", "", "675"},
    {"Northline Telecom", "200 Commerce Way", "Manchester, NH 03101", "800-555-0133",
     "Phone and internet", "660"},
    {"Bayview Mutual Insurance", "44 State Street", "Boston, MA 02109", "617-555-0120",
     "Policy BM-77310", "630"},
    {"First Harbor Bank", "1 Market Square", "Portsmouth, NH 03801", "603-555-0100",
     "Term loan 4471", "615"},
    {"Cardmember Services", "PO Box 6294", "Sioux Falls, SD 57117", "800-555-0199", "Business card",
     "220"},
    {"US Treasury - EFTPS", "", "", "800-555-0145", "Payroll tax deposits", "725"},
    {"NH Dept of Revenue", "109 Pleasant Street", "Concord, NH 03301", "603-555-0165", "", "740"},
    {"Atlantic Lumber Supply", "310 Route 1 Bypass", "Kittery, ME 03904", "207-555-0119", "Net 30",
     "560"},
    {"Coastal Hardware Distributors", "77 Heritage Avenue", "Portsmouth, NH 03801", "603-555-0177",
     "Net 30", "560"},
    {"Pinecrest Paint Co.", "15 Mill Pond Road", "Durham, NH 03824", "603-555-0150", "", "560"},
    {"Ironbridge Fasteners", "901 Elm Street", "Manchester, NH 03101", "603-555-0126", "", "560"},
    {"Northeast Marine Hardware", "8 Harbour Place", "Newburyport, MA 01950", "978-555-0131", "",
     "560"},
    {"Summit Tool & Equipment", "450 Amherst Street", "Nashua, NH 03063", "603-555-0158", "",
     "560"},
    {"Harbor Freight Lines", "22 Depot Road", "Seabrook, NH 03874", "603-555-0112", "Weekly LTL",
     "570"},
    {"Ocean State Packaging", "140 Jefferson Blvd", "Warwick, RI 02888", "401-555-0174", "", "560"},
    {"Merrimack Accounting Group", "3 Pleasant Street", "Concord, NH 03301", "603-555-0139",
     "Year-end review", "635"},
    {"Tidewater Advertising", "60 Congress Street", "Portsmouth, NH 03801", "603-555-0147", "",
     "610"},
    {"Quick Print Shop", "18 Vaughan Mall", "Portsmouth, NH 03801", "603-555-0183", "", "640"},
    {"Dockside Auto Repair", "255 Lafayette Road", "Portsmouth, NH 03801", "603-555-0115", "",
     "680"},
    {"Office Essentials", "1000 Woodbury Avenue", "Portsmouth, NH 03801", "603-555-0192", "",
     "640"},
    {"Daniel Ortega", "41 Sagamore Avenue", "Portsmouth, NH 03801", "603-555-0211", "Yard lead",
     "720"},
    {"Maria Chen", "9 Cabot Street", "Portsmouth, NH 03801", "603-555-0236", "Office manager",
     "720"},
    {"Samuel Brooks", "118 Middle Road", "Dover, NH 03820", "603-555-0248", "Counter sales", "720"},
    {"Priya Natarajan", "27 Bow Street", "Exeter, NH 03833", "603-555-0257", "Deliveries", "720"},
    {"Portside Construction", "500 Spaulding Tpke", "Portsmouth, NH 03801", "603-555-0301", "",
     "510"},
    {"Hillcrest Builders", "72 Gosling Road", "Newington, NH 03801", "603-555-0314", "", "510"},
    {"Marina Bay Condominiums", "1 Marina Drive", "Hampton, NH 03842", "603-555-0322", "", "520"},
    {"Seabrook Property Mgmt", "610 Lafayette Road", "Seabrook, NH 03874", "603-555-0339", "",
     "520"},
    {"Oak Hollow Contractors", "33 Stratham Heights", "Stratham, NH 03885", "603-555-0345", "",
     "510"},
    {"Great Bay Restorations", "14 Water Street", "Newmarket, NH 03857", "603-555-0356", "", "510"},
    {"Kittery Point Homes", "86 Pepperrell Road", "Kittery Point, ME 03905", "207-555-0363", "",
     "510"},
    {"Rye Beach Renovations", "1200 Ocean Blvd", "Rye, NH 03870", "603-555-0371", "", "510"},
    {"Newcastle Yacht Club", "2 Wentworth Road", "New Castle, NH 03854", "603-555-0385", "", "520"},
    {"Strawbery Banke Trust", "14 Hancock Street", "Portsmouth, NH 03801", "603-555-0392", "",
     "520"},
    {"Dover Home Services", "45 Central Avenue", "Dover, NH 03820", "603-555-0404", "", "510"},
    {"Exeter Remodeling", "7 Front Street", "Exeter, NH 03833", "603-555-0417", "", "510"},
    {"Hampton Harbor Marina", "55 Harbor Road", "Hampton, NH 03842", "603-555-0429", "", "520"},
    {"Cornerstone Masonry", "300 Route 108", "Somersworth, NH 03878", "603-555-0431", "", "510"},
};

// The payees that receive a 1099-MISC, with their taxpayer IDs.
struct Sample1099 {
  int payee;
  int32_t type;
  const char* id_number;
};
const Sample1099 k1099Payees[] = {
    {0, k1099Rent, "02-6104417"},    // Wharfside Properties LLC
    {18, k1099Misc, "02-5538120"},   // Merrimack Accounting Group
    {19, k1099Misc, "02-7719346"},   // Tidewater Advertising
    {21, k1099Misc, "041-55-7302"},  // Dockside Auto Repair
};

constexpr int kFirstSupplier = 10, kSupplierCount = 8;   // Atlantic Lumber .. Ocean State
constexpr int kFirstEmployee = 23, kEmployeeCount = 4;   // Daniel Ortega .. Priya Natarajan
constexpr int kFirstCustomer = 27, kCustomerCount = 14;  // Portside .. Cornerstone

struct OpeningBalance {
  const char* account;
  int64_t cents;
};

// Opening balances at the start of the year; they sum to zero.
const OpeningBalance kOpeningBalances[] = {
    {"110", 2485000},  {"112", 1500000},  {"140", 1240000},  {"164", 1850000},
    {"166", 2700000},  {"169", -925000},  {"182", 300000},   {"220", -135000},
    {"270", -2200000}, {"310", -4000000}, {"465", -2815000},
};

// The net pay of each employee's semi-monthly check, in cents.
const int64_t kNetPay[kEmployeeCount] = {184217, 162540, 131975, 118830};

class SampleBooks {
 public:
  SampleBooks(Ledger& ledger, int year) : ledger_(ledger), year_(year) {}

  bool Write() {
    if (!SetUpCompany() || !OpenBalances() || !AddPayees()) return false;
    for (int month = 1; month <= 12 && ok_; ++month) WriteMonth(month);
    if (ok_) VoidAndReissue();
    return ok_;
  }

 private:
  // A small deterministic generator, the same on every platform.
  int64_t Random(int64_t low, int64_t high) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return low + static_cast<int64_t>((state_ >> 33) % static_cast<uint64_t>(high - low + 1));
  }

  DayNumber Day(int month, int day) const {
    return *MakeDayNumber(year_, month, std::min(day, DaysInMonth(year_, month)));
  }

  bool SetUpCompany() {
    CompanySettings& s = ledger_.settings();
    s.name_line_1 = "Harborview Supply Co.";
    s.name_line_2 = "Building Materials & Marine Hardware";
    s.address = "418 Wharf Street";
    s.city_state_zip = "Portsmouth, NH 03801";
    s.federal_id = "02-4481937";
    s.next_check = "1001";
    s.start_tab = "TRN";
    return ledger_.SaveCompanySettings();
  }

  bool OpenBalances() {
    for (const OpeningBalance& opening : kOpeningBalances) {
      const int n = ledger_.FindAccount(opening.account);
      if (n == 0) return false;
      AccountRecord account = ledger_.chart().account(n);
      account.balance_forward = Money::FromCents(opening.cents);
      if (!ledger_.EditAccount(n, account)) return false;
    }
    return true;
  }

  bool AddPayees() {
    for (size_t i = 0; i < std::size(kPayees); ++i) {
      const SamplePayee& sample = kPayees[i];
      PayeeRecord payee;
      payee.name = sample.name;
      payee.address = sample.address;
      payee.city_state_zip = sample.city;
      payee.phone = sample.phone;
      payee.memo = sample.memo;
      payee.default_account = sample.account;
      for (const Sample1099& form : k1099Payees) {
        if (form.payee != static_cast<int>(i)) continue;
        payee.type_1099 = form.type;
        payee.id_number = form.id_number;
      }
      const std::optional<int> number = ledger_.AddPayee(payee);
      if (!number) return false;
      payee_numbers_.push_back(*number);
    }
    return true;
  }

  TransactionRecord Line(int kind, int payee, DayNumber date, const char* account, int64_t cents,
                         const std::string& reference) {
    TransactionRecord line;
    ClearTransaction(line);
    line.kind = kind;
    line.date = date;
    line.account = account;
    line.amount = Money::FromCents(cents);
    line.reference = reference;
    // Lines up to October have been printed on a General Ledger already.
    line.unprinted = date != kNoDate && ToCivilDate(date).month <= 10 ? 0 : 1;
    if (payee >= 0) {
      const int number = payee_numbers_[payee];
      line.payee_number = number;
      line.description = ledger_.PayeeName(number);
      line.payee_name_1 = ledger_.payees().payee(number).name;
      line.payee_name_2 = ledger_.payees().payee(number).name_2;
    }
    return line;
  }

  void Append(const TransactionRecord& line) {
    if (ok_ && !ledger_.AppendTransaction(line)) ok_ = false;
  }

  // A check with the next check number; the append advances it.
  void Check(int payee, int month, int day, const char* account, int64_t cents) {
    Append(Line(kCheckOrDeposit, payee, Day(month, day), account, cents,
                std::string(Trim(ledger_.settings().next_check))));
  }

  void Deposit(int payee, int month, int day, const char* account, int64_t cents) {
    Append(Line(kCheckOrDeposit, payee, Day(month, day), account, -cents,
                "D" + std::to_string(month * 100 + day)));
  }

  void Journal(int month, int day, const char* description, const char* debit, const char* credit,
               int64_t cents) {
    const std::string reference = "JE" + std::to_string(month);
    TransactionRecord line = Line(kJournalLine, -1, Day(month, day), debit, cents, reference);
    line.description = description;
    Append(line);
    line.account = credit;
    line.amount = -line.amount;
    Append(line);
  }

  void Invoice(int payee, int month, int day, const char* account, int64_t cents) {
    TransactionRecord line = Line(kInvoice, payee, kNoDate, account, cents, "");
    line.invoice_date_2 = Day(month, day);
    line.due_date = line.invoice_date_2 + 30;
    line.invoice_number = "INV-" + std::to_string(40000 + Random(100, 9999));
    Append(line);
  }

  void WriteMonth(int month) {
    PayOpenInvoices(month);
    Check(0, month, 1, "650", 240000);
    Check(1, month, 12, "675", Random(28000, 52000));
    if (month % 3 == 0) Check(2, month, 14, "675", Random(21000, 26000));
    if (month <= 4 || month >= 11) Check(3, month, 16, "675", Random(18000, 41000));
    Check(4, month, 18, "660", 18995);
    if (month % 3 == 1) Check(5, month, 5, "630", 127500);
    WritePayroll(month);
    WriteSales(month);
    WriteSupplierInvoices(month);
    WriteMonthEnd(month);
  }

  void WritePayroll(int month) {
    for (int day : {15, 31}) {
      for (int e = 0; e < kEmployeeCount; ++e) {
        Check(kFirstEmployee + e, month, day, "720", kNetPay[e] + Random(-2500, 2500));
      }
    }
    Check(8, month, 20, "725", Random(138000, 149000));
  }

  void WriteSales(int month) {
    const int deposits = static_cast<int>(Random(6, 9));
    for (int i = 0; i < deposits; ++i) {
      const int customer = kFirstCustomer + static_cast<int>(Random(0, kCustomerCount - 1));
      const char* account = kPayees[customer].account;
      // Drawn one by one: the order of a call's arguments differs between
      // compilers, and the books must be the same from every build.
      const int64_t amount = Random(85000, 1250000);
      const int day = static_cast<int>(Random(2, 28));
      Deposit(customer, month, day, account, amount);
    }
    if (month % 2 == 0) Check(6, month, 28, "615", 3500);
  }

  void WriteSupplierInvoices(int month) {
    const int invoices = static_cast<int>(Random(3, 5));
    for (int i = 0; i < invoices; ++i) {
      const int supplier = kFirstSupplier + static_cast<int>(Random(0, kSupplierCount - 1));
      const int64_t amount = Random(42000, 685000);
      const int day = static_cast<int>(Random(3, 26));
      Invoice(supplier, month, day, kPayees[supplier].account, amount);
    }
    if (month % 4 == 2) Invoice(18, month, 10, "635", 95000);
    if (month % 2 == 1) Invoice(19, month, 8, "610", Random(30000, 60000));
  }

  void WriteMonthEnd(int month) {
    const int last = DaysInMonth(year_, month);
    Journal(month, last, "Monthly depreciation", "620", "169", 41250);
    Journal(month, last, "Card purchases - office supplies", "640", "220", Random(8000, 32000));
    Check(7, month, 22, "220", Random(15000, 35000));
    // The loan payment is one check split between interest and principal.
    const std::string reference(Trim(ledger_.settings().next_check));
    Append(Line(kCheckOrDeposit, 6, Day(month, 25), "860", 14200 - month * 90, reference));
    Append(Line(kCheckOrDeposit, 6, Day(month, 25), "270", 61800 + month * 90, reference));
    if (month % 3 == 0) {
      TransactionRecord draw = Line(kCheckOrDeposit, -1, Day(month, 30), "320", 300000,
                                    std::string(Trim(ledger_.settings().next_check)));
      draw.description = "Owner's Draw";
      Append(draw);
    }
  }

  // Every invoice of earlier months is paid on the 10th: the line becomes a
  // check and moves to the end of the file. One check pays all the invoices
  // of a payee, so it carries several lines with the same check number.
  void PayOpenInvoices(int month) {
    if (month == 1) return;
    std::vector<std::pair<int, int>> unpaid;  // (record number, payee)
    ledger_.ForEachTransaction([&](const TransactionRecord& line) {
      if (IsInvoice(line) && line.invoice_date_2 < Day(month, 1)) {
        unpaid.emplace_back(line.record_number, line.payee_number);
      }
    });
    std::map<int, std::string> check_of_payee;
    for (size_t i = 0; i < unpaid.size() && ok_; ++i) {
      auto [check, added] = check_of_payee.try_emplace(unpaid[i].second);
      if (added) {
        check->second = std::string(Trim(ledger_.settings().next_check));
        ledger_.settings().next_check = SuggestedNextReference(check->second).value_or("1001");
      }
      PayInvoice(unpaid[i].first, Day(month, 10), check->second);
      for (size_t j = i + 1; j < unpaid.size(); ++j) {
        unpaid[j].first = RecordNumberAfterRemoval(unpaid[j].first, unpaid[i].first);
      }
    }
  }

  void PayInvoice(int number, DayNumber date, const std::string& reference) {
    TransactionRecord line;
    if (!ledger_.ReadTransaction(number, &line)) {
      ok_ = false;
      return;
    }
    line.kind = kCheckOrDeposit;
    line.unprinted = ToCivilDate(date).month <= 10 ? 0 : 1;
    line.date = date;
    line.reference = reference;
    if (!ledger_.MoveTransactionToEnd(number, line)) ok_ = false;
  }

  // Three checks were voided: two went back to the supplier's open invoices
  // and were paid again in December, the third is still open.
  void VoidAndReissue() {
    std::vector<int> voided;
    int seen = 0;
    ledger_.ForEachTransaction([&](const TransactionRecord& line) {
      if (IsCheckOrDeposit(line) && line.amount.raw() > 0 && line.payee_number != 0 &&
          TrimRight(line.invoice_number).size() > 0 && ++seen % 11 == 0 && voided.size() < 3) {
        voided.push_back(line.record_number);
      }
    });
    for (int number : voided) {
      if (!ledger_.VoidTransaction(number)) ok_ = false;
    }
    for (size_t i = 0; i + 1 < voided.size() && ok_; ++i) {
      const std::string reference(Trim(ledger_.settings().next_check));
      ledger_.settings().next_check = SuggestedNextReference(reference).value_or("1001");
      PayInvoice(voided[i], Day(12, 12), reference);
      for (size_t j = i + 1; j < voided.size(); ++j) {
        voided[j] = RecordNumberAfterRemoval(voided[j], voided[i]);
      }
    }
  }

  Ledger& ledger_;
  int year_;
  uint64_t state_ = 20250101;
  std::vector<int> payee_numbers_;
  bool ok_ = true;
};

}  // namespace

bool WriteSampleCompany(Ledger& ledger, int year) { return SampleBooks(ledger, year).Write(); }

}  // namespace zenkar
