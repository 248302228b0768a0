#include "app/setup_page.h"

#include <QVBoxLayout>

#include "common/program_password.h"

namespace zenkar {

SetupPage::SetupPage(const TabPageInfo& info, PageContext context) : TabPage(info, context) {
  QPushButton* password = MakeButton(0, "Set or Change Password", [this] {
    SetOrChangePassword(program().ui(), program().secret_input(), program().password());
  });
  password->setObjectName("setPassword");
  auto* row = new QHBoxLayout;
  row->addWidget(password);
  row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch();
}

}  // namespace zenkar
