#include "app/transactions/insert_transaction_dialog.h"

#include <QVBoxLayout>

#include "app/transactions/line_dialog.h"
#include "app/transactions/review_page.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The entry the new line goes after, its columns side by side.
QString AfterLineText(const LatestEntryText& text) {
  QStringList columns;
  for (const std::string* column :
       {&text.payee, &text.reference, &text.date, &text.account, &text.amount, &text.ytd}) {
    if (!column->empty()) columns << FromCp1252(*column);
  }
  return columns.join("    ");
}

}  // namespace

InsertTransactionDialog::InsertTransactionDialog(QWidget* parent, Program& program,
                                                 ReviewList& list, int after)
    : QDialog(parent), program_(program), list_(list), after_(after) {
  setObjectName("insertTransaction");
  setWindowTitle("Insert New Transaction");
  PrepareLineDialog(*this, parent, program, kHelpReviewTransactions);

  auto* after_caption = new QLabel("Insert New Transaction After");
  after_line_ = new QLabel(after > 0 ? AfterLineText(list.RowText(after)) : QString());
  after_line_->setObjectName("afterLine");
  after_line_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  EntryFormOptions options;
  options.captions = {"Description / Payee", "Ref. /\nCk Num", "Date", "Acct", "Amount", "* YTD"};
  options.ytd_box = true;
  options.beep = [this] { program_.ui().Beep(); };
  options.fixed_decimal = [this] { return program_.ledger().settings().fixed_decimal != 0; };
  form_ = new EntryLineForm(options, program.date_patterns());
  form_->SetPayees(program.ledger().payees());
  account_lines_ = PostingAccountLines(program.ledger().chart());
  form_->SetAccountLines(&account_lines_);
  EntryLine line;
  const TransactionRecord* previous = list.Line(after);
  line.date =
      previous != nullptr && previous->date != kNoDate ? previous->date : program.clock().Today();
  form_->SetLine(line);

  save_check_ = new QPushButton("Save as Check/Deposit");
  save_check_->setObjectName("saveAsCheck");
  save_journal_ = new QPushButton("Save as Journal Entry");
  save_journal_->setObjectName("saveAsJournal");
  connect(save_check_, &QPushButton::clicked, this, [this] { Save(kCheckOrDeposit); });
  connect(save_journal_, &QPushButton::clicked, this, [this] { Save(kJournalLine); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(after_caption);
  layout->addWidget(after_line_);
  layout->addWidget(form_);
  layout->addWidget(form_->account_list());
  layout->addWidget(new QLabel(kInsertHint));
  layout->addLayout(LineDialogButtons(*this, form_->ytd(), {save_check_, save_journal_}));
  form_->payee()->setFocus();
}

QWidget* InsertTransactionDialog::FieldOf(EntryField field) const {
  return field == EntryField::kPayee ? static_cast<QWidget*>(form_->payee()) : form_->amount();
}

void InsertTransactionDialog::Save(int32_t kind) {
  const InsertResult result = list_.Insert(after_, kind, form_->Line());
  if (result.refused) FieldOf(*result.refused)->setFocus(Qt::OtherFocusReason);
  if (result.record_number == 0) return;
  inserted_ = result.record_number;
  accept();
}

}  // namespace zenkar
