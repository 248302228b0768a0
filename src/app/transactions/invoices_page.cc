#include "app/transactions/invoices_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/reports/reports_page.h"
#include "app/transactions/invoice_edit_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "output/auto_invoice_report.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {

InvoicesPage::InvoicesPage(Program& program, MainWindow& window, QWidget* parent)
    : QWidget(parent), program_(program), window_(window), register_(program) {
  setObjectName("invoices");
  SetHelpContext(this, kHelpInvoices);

  prompt_ = new QLabel;
  prompt_->setObjectName("prompt");
  prompt_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  InvoiceFormOptions options;
  options.on_save = [this] { SaveLine(); };
  options.beep = [this] { program_.ui().Beep(); };
  options.fixed_decimal = [this] { return register_.fixed_decimal(); };
  form_ = new InvoiceLineForm(options, program.date_patterns());
  form_->set_on_field_focus(
      [this](InvoiceField field) { prompt_->setText(FromCp1252(InvoicePrompt(field))); });
  form_->account()->set_on_list_shown(
      [this](bool shown) { stack_->setCurrentIndex(shown ? 1 : 0); });

  auto* box_page = new QWidget;
  auto* caption = new QLabel("Latest Unpaid Entries (most recently entered shown at bottom)");
  caption->setObjectName("boxCaption");
  // "Due Date:" and the due date stand where the check box has the
  // reference, under the due date and the invoice number.
  box_ = new LatestEntriesBox({form_->payee(), form_->due_date(), form_->invoice_date(),
                               form_->account(), form_->amount()});
  box_->SpanColumn(1, form_->invoice_number());
  box_->set_on_left_click([this](int row) { EditRow(row); });
  box_->set_on_right_click([this](int row) { DeleteRow(row); });
  auto* box_layout = new QVBoxLayout(box_page);
  box_layout->setContentsMargins(0, 0, 0, 0);
  box_layout->addWidget(caption);
  box_layout->addWidget(box_);
  stack_ = new QStackedWidget;
  stack_->addWidget(box_page);
  stack_->addWidget(form_->account_list());

  auto* unpaid_caption = new QLabel("Unpaid:");
  unpaid_ = new QLabel;
  unpaid_->setObjectName("unpaid");
  auto_invoice_ = new QPushButton("Auto Invoice");
  auto_invoice_->setObjectName("autoInvoice");
  auto_invoice_->setFocusPolicy(Qt::ClickFocus);
  connect(auto_invoice_, &QPushButton::clicked, this, [this] { PostAutoInvoices(); });
  auto* help = new QPushButton("Help");
  help->setObjectName("help");
  help->setFocusPolicy(Qt::ClickFocus);
  connect(help, &QPushButton::clicked, this, [this] { program_.help().ShowHelp(kHelpInvoices); });
  auto* row = new QHBoxLayout;
  row->addWidget(unpaid_caption);
  row->addWidget(unpaid_);
  row->addStretch();
  row->addWidget(auto_invoice_);
  row->addWidget(help);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(form_);
  layout->addWidget(stack_);
  layout->addLayout(row);
  layout->addStretch();
}

void InvoicesPage::Enter() {
  prompt_->setMinimumHeight(2 * prompt_->fontMetrics().lineSpacing() + 2 * prompt_->frameWidth() +
                            4);
  window_.SetStatusText("Invoices");
  register_.Enter();
  form_->SetPayees(program_.ledger().payees());
  form_->SetAccountLines(&register_.account_lines());
  Redraw();
  StartNewLine();
}

void InvoicesPage::StartNewLine() {
  form_->SetLine(register_.NewLine());
  prompt_->setText(FromCp1252(InvoicePrompt(InvoiceField::kPayee)));
  form_->payee()->setFocus(Qt::OtherFocusReason);
}

void InvoicesPage::SaveLine() {
  const InvoiceLine line = form_->Line();
  if (register_.SaveLine(line) == 0) {
    // Without a payee the line goes back to the payee; a failed save to the
    // amount, ready to try again.
    QWidget* back = program_.ledger().IsValidPayee(line.payee)
                        ? static_cast<QWidget*>(form_->amount())
                        : static_cast<QWidget*>(form_->payee());
    back->setFocus(Qt::OtherFocusReason);
    return;
  }
  Redraw();
  StartNewLine();
}

void InvoicesPage::Redraw() {
  box_->SetLines(register_.LatestTexts());
  unpaid_->setText(FromCp1252(register_.UnpaidTotal().ToString()));
}

void InvoicesPage::EditRow(int row) {
  const int record = register_.RecordOfRow(row);
  if (record == 0) return;
  EditExistingInvoice(program_, this, record);
  register_.RefreshLatest();
  Redraw();
}

void InvoicesPage::DeleteRow(int row) {
  register_.DeleteRow(row);
  Redraw();
}

void InvoicesPage::PostAutoInvoices() {
  const std::optional<AutoInvoicePosting> posting = register_.PostAutoInvoices();
  if (!posting) return;
  Redraw();
  if (posting->checks > 0) ShowTransactionsSubPage(window_, kReviewAllPage);
  if (!posting->posted) return;
  auto* reports = qobject_cast<ReportsPage*>(window_.page("RPT"));
  reports->PrintDocument([&](PrintJob& job) {
    return PrintAutoInvoicesReport(program_.ledger(), job, posting->first_record);
  });
}

}  // namespace zenkar
