// The "Setup" page. Today it offers "Set or Change Password", the program
// password of this installation; the company's settings and the chart of
// accounts join it as sub-pages.
#ifndef ZENKAR_APP_SETUP_PAGE_H_
#define ZENKAR_APP_SETUP_PAGE_H_

#include "app/tab_page.h"

namespace zenkar {

class SetupPage : public TabPage {
  Q_OBJECT

 public:
  SetupPage(const TabPageInfo& info, PageContext context);
};

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_PAGE_H_
