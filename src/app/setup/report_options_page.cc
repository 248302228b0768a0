#include "app/setup/report_options_page.h"

#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app_rules/setup/report_options.h"

namespace zenkar {

ReportOptionsPage::ReportOptionsPage(Program& program) : program_(program) {
  setObjectName("reportOptions");
  auto* box = new QGroupBox("Report Options");
  auto* column = new QVBoxLayout(box);
  for (size_t i = 0; i < kReportOptionFields.size(); ++i) {
    const std::string_view caption = kReportOptionFields[i].caption;
    auto* check = new QCheckBox(QString::fromLatin1(caption.data(), caption.size()));
    check->setObjectName(QString("reportOption%1").arg(i + 1));
    connect(check, &QCheckBox::toggled, this, [this, i](bool on) { Toggled(i, on); });
    boxes_.push_back(check);
    column->addWidget(check);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addStretch();
  PageShown();
}

void ReportOptionsPage::Toggled(size_t index, bool on) {
  if (SetReportOption(program_.ledger(), kReportOptionFields[index], on)) return;
  const QSignalBlocker quiet(boxes_[index]);
  boxes_[index]->setChecked(!on);  // not kept: the box shows what the settings hold
}

void ReportOptionsPage::PageShown() {
  const CompanySettings& settings = program_.ledger().settings();
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const QSignalBlocker quiet(boxes_[i]);
    boxes_[i]->setChecked(settings.*kReportOptionFields[i].field != 0);
  }
}

}  // namespace zenkar
