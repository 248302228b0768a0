#include "app/transactions/entry_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/transactions/edit_entry_dialog.h"
#include "app/window/main_window.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

struct PageTexts {
  QStringList captions;
  const char* box_caption;
  const char* status;
};

PageTexts TextsOf(int32_t kind) {
  if (kind == kJournalLine) {
    return {{"Description / Payee", "Reference\nNumber", "Date", "Acct", "Amount", "* YTD"},
            "Latest Journal Entries (most recently entered shown at bottom)",
            "Journal Entries"};
  }
  return {{"Payee", "Check\nNumber", "Date", "Acct", "Amount"},
          "Latest Check Entries (most recently entered shown at bottom)",
          "Checks and Deposits"};
}

}  // namespace

EntryPage::EntryPage(Program& program, MainWindow& window, int32_t kind, QWidget* parent)
    : QWidget(parent), program_(program), window_(window), register_(program, kind) {
  const PageTexts texts = TextsOf(kind);
  setObjectName(kind == kJournalLine ? "journalEntries" : "checksAndDeposits");
  SetHelpContext(this, kind == kJournalLine ? kHelpJournalEntries : kHelpChecksAndDeposits);

  prompt_ = new QLabel;
  prompt_->setObjectName("prompt");
  prompt_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  EntryFormOptions options;
  options.captions = texts.captions;
  options.ytd_box = kind == kJournalLine;
  options.on_save = [this] { SaveLine(); };
  options.beep = [this] { program_.ui().Beep(); };
  options.fixed_decimal = [this] { return register_.fixed_decimal(); };
  form_ = new EntryLineForm(options, program.date_patterns());
  form_->set_on_field_focus([this](EntryField field) {
    prompt_->setText(FromCp1252(EntryPrompt(register_.kind(), field)));
  });
  form_->account()->set_on_list_shown(
      [this](bool shown) { stack_->setCurrentIndex(shown ? 1 : 0); });
  form_->date()->set_on_changed([this](DayNumber day) { register_.DateChanged(day); });

  stack_ = new QStackedWidget;
  stack_->addWidget(BuildBoxPage(texts.box_caption));
  stack_->addWidget(form_->account_list());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(form_);
  layout->addWidget(stack_);
  layout->addLayout(BuildFigureRow());
  layout->addStretch();
}

QWidget* EntryPage::BuildBoxPage(const char* caption_text) {
  auto* page = new QWidget;
  auto* caption = new QLabel(caption_text);
  caption->setObjectName("boxCaption");
  box_ = new LatestEntriesBox(form_->columns());
  box_->set_on_left_click([this](int row) { EditRow(row); });
  box_->set_on_right_click([this](int row) { VoidOrDeleteRow(row); });
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addWidget(box_);
  return page;
}

QLayout* EntryPage::BuildFigureRow() {
  figure_caption_ = new QLabel;
  figure_caption_->setObjectName("figureCaption");
  figure_ = new QLabel;
  figure_->setObjectName("figure");
  auto* help = new QPushButton("Help");
  help->setObjectName("help");
  help->setFocusPolicy(Qt::ClickFocus);
  const int context = register_.is_check_page() ? kHelpChecksAndDeposits : kHelpJournalEntries;
  connect(help, &QPushButton::clicked, this,
          [this, context] { program_.help().ShowHelp(context); });
  button_row_ = new QHBoxLayout;
  button_row_->addWidget(figure_caption_);
  button_row_->addWidget(figure_);
  button_row_->addStretch();
  button_row_->addWidget(help);
  return button_row_;
}

void EntryPage::AddButton(QPushButton* button) {
  button_row_->insertWidget(button_row_->count() - 1, button);
}

void EntryPage::Enter() {
  // Room for the two lines of the longest prompts in the window's font, so
  // the page does not move as the prompts change.
  prompt_->setMinimumHeight(2 * prompt_->fontMetrics().lineSpacing() + 2 * prompt_->frameWidth() +
                            4);
  window_.SetStatusText(TextsOf(register_.kind()).status);
  register_.Enter();
  form_->SetPayees(program_.ledger().payees());
  form_->SetAccountLines(&register_.account_lines());
  Redraw();
  StartNewLine();
}

void EntryPage::StartNewLine() {
  form_->SetLine(register_.NewLine());
  prompt_->setText(FromCp1252(EntryPrompt(register_.kind(), EntryField::kPayee)));
  form_->payee()->setFocus(Qt::OtherFocusReason);
}

void EntryPage::DefaultCheckDateChanged() {
  form_->date()->SetDay(register_.OpenLineDate(form_->date()->day()));
}

void EntryPage::SaveLine() {
  if (register_.SaveLine(form_->Line()) == 0) {
    form_->amount()->setFocus(Qt::OtherFocusReason);
    return;
  }
  Redraw();
  StartNewLine();
}

void EntryPage::Redraw() {
  box_->SetLines(register_.LatestTexts());
  ShowFigure();
}

void EntryPage::ShowFigure() {
  const Money figure =
      register_.is_check_page() ? register_.BankBalance() : register_.PostingTotal();
  figure_caption_->setText(register_.is_check_page() ? FromCp1252(register_.BankCaption())
                                                     : QString("Posting Total:"));
  figure_->setText(FromCp1252(figure.ToString()));
  const bool red = register_.is_check_page() && figure.IsNegative();
  figure_->setStyleSheet(red ? "color: red;" : "");
}

void EntryPage::EditRow(int row) {
  const std::optional<TransactionRecord> entry = register_.EntryToEdit(row);
  if (!entry) return;
  EditEntryDialog dialog(this, register_, *entry, program_);
  dialog.exec();
  Redraw();
}

void EntryPage::VoidOrDeleteRow(int row) {
  register_.VoidOrDeleteRow(row);
  Redraw();
}

}  // namespace zenkar
