// Every operation that writes the books, failed at each of its steps in turn:
// the Nth open for writing, write, flush or rename, for every N the
// operation reaches. Afterwards the files and the tables in memory are as
// they were before the operation, and the user was told.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ledger/auto_invoices.h"
#include "ledger/reconciliation.h"
#include "ledger_fixture.h"

namespace zenkar::testing {
namespace {

struct Operation {
  const char* name;
  std::function<bool(Ledger&, ScriptedUi&)> run;
  // What the user does before the operation, when anything (editing the
  // settings in memory before they are saved).
  std::function<void(Ledger&)> prepare = {};
};

// A check to payee 3 and a journal entry with its reversing account.
RecurringEntryRecord RentCheck() {
  RecurringEntryRecord entry;
  entry.kind = kCheckOrDeposit;
  entry.payee_number = 3;
  entry.payee_name_1 = "Dock Rentals";
  entry.account = "650";
  entry.amount = Money::FromCents(120000);
  entry.day = 1;
  return entry;
}

RecurringEntryRecord AccruedRent() {
  RecurringEntryRecord entry;
  entry.kind = kJournalLine;
  entry.description = "Accrued rent";
  entry.account = "650";
  entry.reversing_account = "210";
  entry.amount = Money::FromCents(5000);
  entry.day = 31;
  return entry;
}

// The reconciliation with the first bank item outstanding.
bool SaveFirstItemOutstanding(Ledger& ledger) {
  ReconciliationBooks books;
  if (!ReadReconciliationBooks(ledger, &books) || books.items.empty()) return false;
  books.items[0].outstanding = 1;
  return ledger.SaveReconciliation({}, OutstandingItems(books.items)).has_value();
}

TransactionRecord Edited(Ledger& ledger, int number) {
  TransactionRecord line;
  ledger.ReadTransaction(number, &line);
  line.account = "720";
  line.amount = line.amount + Money::FromCents(1234);
  return line;
}

// Lines `numbers` as a report printed them.
std::vector<PrintedLine> PrintedAsRead(Ledger& ledger, const std::vector<int>& numbers) {
  std::vector<PrintedLine> printed;
  for (int number : numbers) {
    TransactionRecord line;
    ledger.ReadTransaction(number, &line);
    printed.push_back({number, PrintedFingerprint(line.Encode())});
  }
  return printed;
}

std::vector<Operation> Operations() {
  return {
      {"append",
       [](Ledger& l, ScriptedUi&) {
         return l.AppendTransaction(Line(kJournalLine, "650", 99)).has_value();
       }},
      {"edit", [](Ledger& l, ScriptedUi&) { return l.WriteTransaction(2, Edited(l, 2)); }},
      {"void", [](Ledger& l, ScriptedUi&) { return l.VoidTransaction(3); }},
      {"delete", [](Ledger& l, ScriptedUi&) { return l.DeleteTransaction(2); }},
      {"insert",
       [](Ledger& l, ScriptedUi&) {
         return l.InsertTransactionAfter(1, Line(kJournalLine, "650", 7, "inserted")).has_value();
       }},
      {"move to the end",
       [](Ledger& l, ScriptedUi&) { return l.MoveTransactionToEnd(4, Edited(l, 4)).has_value(); }},
      {"pay invoices",
       [](Ledger& l, ScriptedUi&) {
         std::vector<PaidInvoice> paid;
         for (int number : {3, 2}) {
           TransactionRecord line;
           l.ReadTransaction(number, &line);
           line.kind = kCheckOrDeposit;
           line.reference = "1043";
           paid.push_back({number, line});
         }
         return l.PayInvoices(paid);
       },
       [](Ledger& l) {
         l.VoidTransaction(2);
         l.VoidTransaction(3);
       }},
      {"post auto invoices",
       [](Ledger& l, ScriptedUi&) {
         return PostAutoInvoices(l, 2025, 2, RepeatedSlots::kPost).posted;
       },
       [](Ledger& l) {
         PayeeRecord payee = l.payees().payee(2);
         payee.auto_amounts = {Money::FromCents(4500), Money::FromCents(900)};
         payee.auto_accounts = {"650", "720"};
         payee.auto_days = {31, -15};
         l.UpdatePayee(2, payee);
       }},
      {"mark printed",
       [](Ledger& l, ScriptedUi&) {
         return l.MarkTransactionsPrinted(PrintedAsRead(l, {1, 2}));
       }},
      {"sort by date",
       [](Ledger& l, ScriptedUi&) { return l.SortTransactions(TransactionOrder::kDate); }},
      {"add account",
       [](Ledger& l, ScriptedUi&) { return l.AddAccount(Account("166", "Vault", kAssets)); }},
      {"renumber the bank account",
       [](Ledger& l, ScriptedUi&) {
         AccountRecord bank = l.chart().account(l.FindAccount("110"));
         bank.number = "111";
         return l.EditAccount(l.FindAccount("110"), bank);
       }},
      {"renumber an account of lines and recurring entries",
       [](Ledger& l, ScriptedUi&) {
         AccountRecord rent = l.chart().account(l.FindAccount("650"));
         rent.number = "655";
         return l.EditAccount(l.FindAccount("650"), rent);
       }},
      {"delete account",
       [](Ledger& l, ScriptedUi& ui) {
         ui.Answer(true);  // "Delete this Account?"
         return l.DeleteAccount(l.FindAccount("164"));
       }},
      {"add payee",
       [](Ledger& l, ScriptedUi&) { return l.AddPayee(Payee("Pier Nine")).has_value(); }},
      {"rename payee",
       [](Ledger& l, ScriptedUi&) {
         PayeeRecord payee = l.payees().payee(2);
         payee.name = "Bay Electric Co-op";
         return l.UpdatePayee(2, payee);
       }},
      {"rename a payee of recurring entries",
       [](Ledger& l, ScriptedUi&) {
         PayeeRecord payee = l.payees().payee(3);
         payee.name = "Dock Rentals Ltd";
         return l.UpdatePayee(3, payee);
       }},
      {"delete payee", [](Ledger& l, ScriptedUi&) { return l.DeletePayee(3); }},
      {"save settings", [](Ledger& l, ScriptedUi&) { return l.SaveCompanySettings(); },
       [](Ledger& l) { l.settings().name_line_2 = "changed"; }},
      {"set the capital account",
       [](Ledger& l, ScriptedUi&) { return l.SetCapitalAccount("235"); }},
      {"post recurring entries",
       [](Ledger& l, ScriptedUi&) {
         return l.PostRecurringEntries(2025, 4) == RecurringPosting::kPosted;
       }},
      {"add a recurring entry",
       [](Ledger& l, ScriptedUi&) { return l.AddRecurringEntry(AccruedRent()); }},
      {"replace a recurring entry",
       [](Ledger& l, ScriptedUi&) {
         RecurringEntryRecord edited = RentCheck();
         edited.day = 15;
         return l.ReplaceRecurringEntry(1, RentCheck(), edited);
       }},
      {"delete a recurring entry",
       [](Ledger& l, ScriptedUi&) { return l.DeleteRecurringEntry(2, AccruedRent()); }},
      {"save the reconciliation",
       [](Ledger& l, ScriptedUi&) { return SaveFirstItemOutstanding(l); },
       [](Ledger& l) { l.settings().statement_ending_balance = Money::FromCents(4200); }},
      {"remove the oldest year",
       [](Ledger& l, ScriptedUi&) {
         return l.RemoveOldestYear([](const std::vector<TransactionRecord>&) { return true; }) ==
                YearRemoval::kRemoved;
       }},
      {"delete all transactions", [](Ledger& l, ScriptedUi&) { return l.DeleteAllTransactions(); },
       [](Ledger& l) { SaveFirstItemOutstanding(l); }},
      {"delete inactive payees",  // payee 1 has no lines
       [](Ledger& l, ScriptedUi&) { return l.DeleteInactivePayees() == 1; }},
      {"append lines with a file beside the books",
       [](Ledger& l, ScriptedUi&) {
         LinesChange change;
         change.exchange_mark = kMarkCheckedOut;
         change.appended = {Line(kJournalLine, "650", 55, "five"),
                            Line(kJournalLine, "130", -55, "six")};
         change.alongside = {{"KXPAY.PRC", std::string(500, 'x')}, {"KXACCT.RJE", std::nullopt}};
         return l.ChangeLinesWithFiles(change);
       }},
  };
}

class InjectedFaultsTest : public LedgerFixture {
 protected:
  // A company kept in the order entered, with checks to payees 2 and 3 (3's
  // printed, so it may be deleted), none to payee 1, recurring entries naming
  // payee 3, and a balanced journal entry alone in the oldest year.
  void SetUp() override {
    date_order_ = 0;
    OpenCompany();
    Append(Line(kJournalLine, "650", 100, "one", Date(2025, 3, 1)));
    Append(Line(kCheckOrDeposit, "720", 200, "two", Date(2025, 1, 1), "101", 2));
    Append(Line(kCheckOrDeposit, "650", 300, "three", Date(2025, 2, 1), "102", 3));
    Append(Line(kJournalLine, "130", 400, "four", Date(2024, 12, 1)));
    Append(Line(kJournalLine, "650", -400, "five", Date(2024, 12, 1)));
    ledger_.Close();
    std::string lines = dir_.ReadFile("KXACCT.TRN");
    PutUnprintedFlag(lines, 0, 2 * 328);
    dir_.WriteFile("KXACCT.TRN", lines);
    dir_.WriteFile("KXACCT.RJE", EncodeRecurringEntries({RentCheck(), AccruedRent()}));
    for (const std::string& name : dir_.ListingNames()) company_[name] = dir_.ReadFile(name);
  }

  // Puts the company back as SetUp left it and loads it.
  void Reload() {
    ledger_.Close();
    for (const std::string& name : dir_.ListingNames()) std::remove(dir_.File(name).c_str());
    for (const auto& [name, bytes] : company_) dir_.WriteFile(name, bytes);
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }

  // The files of the folder but the lock file, whose counters tell other
  // programs about every attempt to change the books.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : dir_.ListingNames()) {
      if (name != "KXACCT.LCK") files[name] = dir_.ReadFile(name);
    }
    return files;
  }

  // The names of the files that differ from `before`.
  std::vector<std::string> ChangedFiles(const std::map<std::string, std::string>& before) const {
    std::vector<std::string> changed;
    const std::map<std::string, std::string> now = Files();
    for (const auto& [name, bytes] : now) {
      if (!before.count(name) || before.at(name) != bytes) changed.push_back(name);
    }
    for (const auto& [name, bytes] : before) {
      if (!now.count(name)) changed.push_back(name + " (gone)");
    }
    return changed;
  }

  // What the ledger holds in memory, in bytes.
  std::string Memory() {
    std::string memory = ledger_.settings().Encode() + ledger_.chart().Encode() +
                         ledger_.payees().Encode() + std::to_string(ledger_.transaction_count());
    const TransactionSummary& s = ledger_.summary();
    memory += s.check_deposit_total.ToString() + s.journal_total.ToString() +
              std::to_string(s.unpaid_count) + s.unpaid_total.ToString();
    ledger_.ForEachTransaction([&](const TransactionRecord& line) { memory += line.Encode(); });
    return memory;
  }

  std::map<std::string, std::string> company_;
};

TEST_F(InjectedFaultsTest, EveryStepOfEveryOperationFailsWithoutTouchingTheBooks) {
  for (const Operation& operation : Operations()) {
    // How many steps of each kind the operation takes when nothing fails.
    Reload();
    if (operation.prepare) operation.prepare(ledger_);
    fs_.ResetCounts();
    ASSERT_TRUE(operation.run(ledger_, ui_))
        << operation.name << ": " << ::testing::PrintToString(ui_.Texts());
    int steps[4];
    for (Step kind : kAllSteps) steps[static_cast<int>(kind)] = fs_.count(kind);

    for (Step kind : kAllSteps) {
      for (int n = 1; n <= steps[static_cast<int>(kind)]; ++n) {
        SCOPED_TRACE(std::string(operation.name) + ", " + StepName(kind) + " " + std::to_string(n));
        Reload();
        if (operation.prepare) operation.prepare(ledger_);
        const std::map<std::string, std::string> files = Files();
        const std::string memory = Memory();
        fs_.FailNth(kind, n);
        EXPECT_FALSE(operation.run(ledger_, ui_));
        fs_.ClearFaults();
        EXPECT_EQ(ChangedFiles(files), std::vector<std::string>{});
        EXPECT_TRUE(Memory() == memory) << "the tables in memory changed";
        ASSERT_FALSE(ui_.messages().empty());
        EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
      }
    }
  }
}

// The load's repairs (a sort, posted totals) are saved one after another: a
// failed step leaves each file as it was or as a fault-free load leaves it,
// and the user is told.
TEST_F(InjectedFaultsTest, ALoadWhoseRepairsCannotBeSavedLeavesEachFileWholeAndSaysSo) {
  CompanySettings settings = CompanySettings::Decode(company_["KXACCT.CFG"]);
  settings.date_order = 1;  // the file is in the order entered
  company_["KXACCT.CFG"] = settings.Encode();
  ChartOfAccounts chart = ChartOfAccounts::Decode(company_["KXACCT.COA"]);
  chart.mutable_account(chart.FindAccount("650")).posted_total += Money::FromCents(1);
  company_["KXACCT.COA"] = chart.Encode();
  fs_.ResetCounts();
  Reload();
  int steps[4];
  for (Step kind : kAllSteps) steps[static_cast<int>(kind)] = fs_.count(kind);
  const std::map<std::string, std::string> repaired = Files();

  for (Step kind : kAllSteps) {
    for (int n = 1; n <= steps[static_cast<int>(kind)]; ++n) {
      SCOPED_TRACE(std::string(StepName(kind)) + " " + std::to_string(n));
      Reload();
      ledger_.Close();
      for (const auto& [name, bytes] : company_) dir_.WriteFile(name, bytes);
      ui_.ClearMessages();
      fs_.FailNth(kind, n);
      ledger_.OpenDataFolder();
      fs_.ClearFaults();
      for (const auto& [name, bytes] : Files()) {
        if (bytes != company_[name] && bytes != repaired.at(name)) {
          ADD_FAILURE() << name << " is neither as it was nor as repaired";
        }
      }
      EXPECT_TRUE(std::any_of(ui_.messages().begin(), ui_.messages().end(), [](const Message& m) {
        return m.kind == MessageKind::kError;
      })) << ::testing::PrintToString(ui_.Texts());
    }
  }
}

}  // namespace
}  // namespace zenkar::testing
