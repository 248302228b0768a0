#include "app/help/help_page.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>

#include "app_rules/utilities/utility_actions.h"
#include "app_rules/window/program_identity.h"
#include "common/backup_dialog.h"
#include "platform/text_conversion.h"

namespace zenkar {

HelpPage::HelpPage(const TabPageInfo& info, PageContext context) : TabPage(info, context) {
  HelpSystem& help = program().help();
  const struct {
    int number;
    QString caption;
    std::function<void()> action;
  } kButtons[] = {
      {802, "Contents", [&help] { help.ShowHelp(kHelpContents); }},
      {803, "Index", [&help] { help.ShowHelp(kHelpIndex); }},
      {804, "Search", [&help] { help.ShowHelp(kHelpSearch); }},
      {805, "Program Description", [&help] { help.ShowHelp(kHelpProgramDescription); }},
      {806, "Getting Started", [&help] { help.ShowHelp(kHelpGettingStarted); }},
      {807, "Ordering Checks/Forms", [&help] { help.ShowHelp(kHelpOrderingChecks); }},
      {808, "Check for Update", [this] { CheckForUpdate(program()); }},
      {809, "Latest News", [this] { program().OpenWebPage(WebPage::kNews); }},
      {810, QString::fromStdString(program().web_site().host),
       [this] { program().OpenWebPage(WebPage::kHome); }},
      {811, "Zenkar FAQ", [this] { program().OpenWebPage(WebPage::kFaq); }},
      {815, "Ask Questions by E-Mail", [this] { program().OpenWebPage(WebPage::kSupportMail); }},
      {816, "Where Am I?", [this] { WhereAmI(program()); }},
  };
  auto* buttons = new QGridLayout;
  int row = 0;
  for (const auto& button : kButtons) {
    buttons->addWidget(MakeButton(button.number, button.caption, button.action), row / 2, row % 2);
    ++row;
  }

  panel_ = new QLabel;
  panel_->setObjectName("informationPanel");
  panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  panel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  panel_->setWordWrap(true);
  panel_->setMargin(8);

  auto* columns = new QHBoxLayout;
  auto* button_column = new QVBoxLayout;
  button_column->addLayout(buttons);
  button_column->addStretch();
  columns->addLayout(button_column);
  columns->addSpacing(24);
  columns->addWidget(panel_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  PageShown();
}

QStringList HelpPage::PanelLines() {
  const DatePatterns& patterns = program().date_patterns();
  const std::optional<DayNumber> program_date =
      FileModificationDate(ToPath(QCoreApplication::applicationFilePath()));
  return {
      FromCp1252(PanelVersionText()),
      "EXE File Date: " +
          FromCp1252(program_date ? FormatDate(*program_date, patterns.numeric) : ""),
      "Last Backup: " +
          FromCp1252(LastBackupDate(program().fs(), program().ledger().data_folder())),
      "Installation Folder:",
      FromPath(program().installation().program_folder),
      FromPath(program().ledger().data_folder()),
  };
}

void HelpPage::PageShown() { panel_->setText(PanelLines().join('\n')); }

}  // namespace zenkar
