// Timing of "Pay Invoices" and of paying invoices on a company of 100,000
// lines of which 5,000 are unpaid invoices.
//
// Writes a company (kept in date order) whose books hold `lines` lines over
// one year, `invoices` of them unpaid invoices of 50 payees. Then, in a real
// main window on Qt's offscreen platform, it times bringing "Pay Invoices"
// to the front from the Help tab (every unpaid invoice read from the
// transaction file, the list and the figures drawn and painted at once), and
// the same without widgets (PayInvoicesList::Refresh). It then times paying
// `paid` of the invoices: the Ledger's one change that moves the paid lines
// to the end, posts them and sorts the file by date (Ledger::PayInvoices),
// and the whole "Save as Paid - Without Printing" (the checks built and
// numbered, then that change), against one atomic rewrite of the
// transaction file (WriteFileAtomically of its bytes), the floor of any
// change that moves lines. Before each payment the books are put back.
//
//   bench_payables [lines] [invoices] [paid] [repetitions]
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/transactions/pay_invoices_page.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_bench_support.h"
#include "app_rules/transactions/pay_invoices.h"
#include "common/file_system.h"
#include "output/invoice_checks.h"

namespace zenkar {
namespace {

using bench::Company;
using bench::DefaultChart;
using bench::Fail;
using bench::Figures;
using bench::Print;
using bench::Time;

constexpr int kYear = 2025;
constexpr int kPayees = 50;

// `lines` lines over the year, every (lines / invoices)-th an unpaid invoice
// of one of the payees, the others checks and journal lines.
std::string Lines(int lines, int invoices) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(lines) * TransactionRecord::kSize);
  const int every = std::max(1, lines / std::max(1, invoices));
  int made = 0;
  for (int i = 0; i < lines; ++i) {
    TransactionRecord line;
    const DayNumber day = *MakeDayNumber(kYear, 1, 1) + static_cast<int>(int64_t{i} * 364 / lines);
    const int payee = i % kPayees + 1;
    line.payee_number = payee;
    line.description = "Payee " + std::to_string(payee);
    line.unprinted = 0;
    if (i % every == 0 && made < invoices) {
      ++made;
      line.kind = kInvoice;
      line.account = "650";
      line.amount = Money::FromCents(1000 + (i * 37) % 90000);
      line.invoice_number = "INV-" + std::to_string(i);
      line.invoice_date_2 = day;
      line.due_date = day + 30;
    } else if (i % 2 == 0) {
      line.kind = kCheckOrDeposit;
      line.account = "650";
      line.amount = Money::FromCents(1000 + (i * 53) % 90000);
      line.date = day;
      line.reference = std::to_string(10000 + i % 80000);
    } else {
      line.kind = kJournalLine;
      line.account = i % 4 == 1 ? "720" : "235";
      line.amount = Money::FromCents(i % 4 == 1 ? 2500 : -2500);
      line.date = day;
      line.reference = "JE" + std::to_string(i / 4);
    }
    bytes += line.Encode();
  }
  return bytes;
}

std::string WriteCompany(int lines, int invoices) {
  const std::string folder = bench::CompanyFolder("bench-payables");
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.start_tab = "HLP";
  settings.next_check = "1";
  std::vector<PayeeRecord> payees(kPayees);
  for (int i = 0; i < kPayees; ++i) payees[i].name = "Payee " + std::to_string(i + 1);
  bench::WriteBooks(folder, settings, ChartOfAccounts(DefaultChart()), PayeeList(payees),
                    Lines(lines, invoices));
  return folder;
}

// The books as they are now, to be put back before each payment.
struct SavedBooks {
  std::string lines, chart, settings;
};

SavedBooks Save(Ledger& ledger) {
  SavedBooks books;
  FileSystem& fs = PosixFileSystem();
  if (!fs.ReadFile(ledger.FilePath("KXACCT.TRN"), &books.lines).ok() ||
      !fs.ReadFile(ledger.FilePath("KXACCT.COA"), &books.chart).ok() ||
      !fs.ReadFile(ledger.FilePath("KXACCT.CFG"), &books.settings).ok()) {
    Fail("cannot read the books");
  }
  return books;
}

void PutBack(Ledger& ledger, const SavedBooks& books) {
  FileSystem& fs = PosixFileSystem();
  if (!WriteFileAtomically(fs, ledger.FilePath("KXACCT.TRN"), books.lines).ok() ||
      !WriteFileAtomically(fs, ledger.FilePath("KXACCT.COA"), books.chart).ok() ||
      !WriteFileAtomically(fs, ledger.FilePath("KXACCT.CFG"), books.settings).ok() ||
      !ledger.OpenDataFolder()) {
    Fail("cannot put the books back");
  }
}

// The first `paid` unpaid invoices, as checks of the end of the year.
std::vector<PaidInvoice> Payment(Ledger& ledger, int paid) {
  std::vector<PaidInvoice> payment;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (!IsInvoice(line) || static_cast<int>(payment.size()) >= paid) return;
    TransactionRecord check = line;
    check.kind = kCheckOrDeposit;
    check.date = *MakeDayNumber(kYear, 12, 31);
    check.reference = std::to_string(900000 + payment.size());
    payment.push_back({line.record_number, check});
  });
  if (static_cast<int>(payment.size()) != paid) Fail("too few invoices");
  return payment;
}

void TimeOpening(Company& company, int repetitions) {
  MainWindow window(company.program);
  company.program.AttachWindow(&window);
  window.Open();
  auto* transactions = static_cast<TransactionsPage*>(window.page("TRN"));
  transactions->sub_tabs()->setCurrentIndex(kPayInvoicesPage);
  PayInvoicesPage* page = transactions->pay_invoices_page();
  const Figures open = Time(
      repetitions,
      [&](int) {
        window.ShowPage("TRN");
        page->repaint();
      },
      [&] { window.ShowPage("HLP"); });
  const int rows = page->view()->model()->rowCount();
  Print("opening \"Pay Invoices\" (" + std::to_string(rows) + " unpaid invoices listed)", open);
  PayInvoicesList list(company.program);
  const Figures refresh = Time(repetitions, [&](int) { list.Refresh(); });
  Print("the same without widgets (PayInvoicesList::Refresh)", refresh);
  company.program.AttachWindow(nullptr);
}

void TimePaying(Company& company, int paid, int repetitions) {
  Ledger& ledger = company.program.ledger();
  const SavedBooks books = Save(ledger);
  const std::string path = ledger.FilePath("KXACCT.TRN");
  const Figures rewrite = Time(repetitions, [&](int) {
    if (!WriteFileAtomically(PosixFileSystem(), path, books.lines).ok()) Fail("rewrite");
  });
  Print("one atomic rewrite of the transaction file", rewrite);
  std::vector<PaidInvoice> payment;
  const Figures pay = Time(
      repetitions,
      [&](int) {
        if (!ledger.PayInvoices(payment)) Fail("pay: " + company.ui.last);
      },
      [&] {
        PutBack(ledger, books);
        payment = Payment(ledger, paid);
      });
  Print("paying " + std::to_string(paid) + " invoices: moved, posted, sorted (Ledger::PayInvoices)",
        pay);
  InvoicePayment saved_as_paid;
  const Figures whole = Time(
      repetitions,
      [&](int) {
        OutputServices services = ProgramOutputServices(company.program, nullptr);
        PrintJob job(services, OutputTarget::kPdf);
        if (PayInvoicesByCheck(ledger, job, saved_as_paid).invoices_paid != paid) {
          Fail("save as paid: " + company.ui.last);
        }
      },
      [&] {
        PutBack(ledger, books);
        saved_as_paid = {};
        for (const PaidInvoice& invoice : Payment(ledger, paid)) {
          saved_as_paid.invoices.push_back(invoice.record_number);
        }
        saved_as_paid.check_date = *MakeDayNumber(kYear, 12, 31);
        saved_as_paid.first_number = "1";
        saved_as_paid.print = false;
      });
  Print("\"Save as Paid - Without Printing\" of " + std::to_string(paid) +
            " invoices (checks built and numbered, then the same change)",
        whole);
  std::printf("\npaying / one rewrite: %.2f (Ledger::PayInvoices), %.2f (Save as Paid)\n",
              pay.median / rewrite.median, whole.median / rewrite.median);
  PutBack(ledger, books);
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int invoices = argc > 2 ? std::atoi(argv[2]) : 5000;
  const int paid = argc > 3 ? std::atoi(argv[3]) : 500;
  const int repetitions = argc > 4 ? std::atoi(argv[4]) : 11;
  std::printf("%d lines, %d unpaid invoices, %d paid, %d repetitions\n\n", lines, invoices, paid,
              repetitions);
  zenkar::bench::PrintTableHead();
  zenkar::Company company(zenkar::WriteCompany(lines, invoices));
  zenkar::TimeOpening(company, repetitions);
  zenkar::TimePaying(company, paid, repetitions);
  return 0;
}
