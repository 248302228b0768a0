#include "app/reports/mailing_labels_group.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/window/tab_page.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// Control numbers of the group.
constexpr int kUppercaseBox = 441;
constexpr int kPhoneBox = 442;
constexpr int kMemoBox = 443;
constexpr int kLeftMarginField = 444;
constexpr int kTopMarginField = 445;
constexpr int kFirstCountChoice = 446;  // to 450
constexpr int kPayeeList = 451;
constexpr int kPrintButton = 452;
constexpr int kPreviewButton = 453;

template <typename Widget>
Widget* Named(Widget* widget, int number) {
  widget->setObjectName(ControlName(number));
  return widget;
}

}  // namespace

MailingLabelsGroup::MailingLabelsGroup(Program& program, std::function<OutputServices()> services)
    : QGroupBox("Payee Mailing Labels"), program_(program), services_(std::move(services)) {
  uppercase_ = Named(new QCheckBox("PRINT IN UPPERCASE"), kUppercaseBox);
  phone_ = Named(new QCheckBox("Include Payee Phone"), kPhoneBox);
  memo_ = Named(new QCheckBox("Include Payee Memo"), kMemoBox);
  left_margin_ = Named(new QLineEdit, kLeftMarginField);
  top_margin_ = Named(new QLineEdit, kTopMarginField);
  for (size_t i = 0; i < counts_.size(); ++i) {
    counts_[i] = Named(new QRadioButton(FromCp1252(kLabelsPerPayeeCaptions[i])),
                       kFirstCountChoice + static_cast<int>(i));
  }
  payees_ = Named(new QListWidget, kPayeeList);
  payees_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* print = Named(new QPushButton("Print"), kPrintButton);
  auto* preview = Named(new QPushButton("Preview (PDF)"), kPreviewButton);
  connect(print, &QPushButton::clicked, this, [this] { Run(OutputTarget::kPrinter); });
  connect(preview, &QPushButton::clicked, this, [this] { Run(OutputTarget::kPdf); });

  auto* options = new QVBoxLayout;
  for (QWidget* box : {static_cast<QWidget*>(uppercase_), static_cast<QWidget*>(phone_),
                       static_cast<QWidget*>(memo_)}) {
    options->addWidget(box);
  }
  auto* margins = new QFormLayout;
  margins->addRow("Left Margin (Inches)", left_margin_);
  margins->addRow("Top Margin (Inches)", top_margin_);
  options->addLayout(margins);
  for (QRadioButton* count : counts_) options->addWidget(count);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(print);
  buttons->addWidget(preview);
  options->addLayout(buttons);
  options->addStretch();
  auto* items = new QVBoxLayout;
  items->addWidget(new QLabel("Select Items"));
  items->addWidget(payees_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addLayout(items);
  Refresh();
}

void MailingLabelsGroup::Refresh() {
  const MailingLabelEntry entry = MailingLabelEntryOf(program_.ledger().settings());
  uppercase_->setChecked(entry.uppercase);
  phone_->setChecked(entry.phone);
  memo_->setChecked(entry.memo);
  left_margin_->setText(FromCp1252(entry.left_margin));
  top_margin_->setText(FromCp1252(entry.top_margin));
  for (size_t i = 0; i < counts_.size(); ++i) {
    counts_[i]->setChecked(kLabelsPerPayeeChoices[i] == entry.per_payee);
  }
  payees_->clear();
  const Ledger& ledger = program_.ledger();
  for (int number = 1; number <= ledger.payees().count(); ++number) {
    const std::string name = ledger.PayeeName(number);
    if (name.empty()) continue;
    auto* item = new QListWidgetItem(FromCp1252(name), payees_);
    item->setData(Qt::UserRole, number);
  }
}

MailingLabelEntry MailingLabelsGroup::Entry() const {
  MailingLabelEntry entry;
  entry.uppercase = uppercase_->isChecked();
  entry.phone = phone_->isChecked();
  entry.memo = memo_->isChecked();
  entry.left_margin = ToCp1252(left_margin_->text());
  entry.top_margin = ToCp1252(top_margin_->text());
  for (size_t i = 0; i < counts_.size(); ++i) {
    if (counts_[i]->isChecked()) entry.per_payee = kLabelsPerPayeeChoices[i];
  }
  for (int row = 0; row < payees_->count(); ++row) {
    const QListWidgetItem* item = payees_->item(row);
    if (item->isSelected()) entry.payees.push_back(item->data(Qt::UserRole).toInt());
  }
  return entry;
}

void MailingLabelsGroup::Run(OutputTarget target) {
  OutputServices services = services_();
  RunMailingLabels(program_.ledger(), services, target, Entry());
}

}  // namespace zenkar
