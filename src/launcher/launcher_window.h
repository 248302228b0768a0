// LauncherWindow: kxmenu's one window, over the Launcher's rules.
//
// The recent folders in a list ("Select Data Folder (Recently used
// folders)"), for each program of the suite a button, its label and the
// company it keeps in the selected folder (controls 501-503, 511-513,
// 521-523; a click on any of the three starts the program), "Legacy GL" and
// "Legacy AP" where the accounting program is not installed, the web buttons
// and "Backup Data", and the "Search for Data" menu.
#ifndef ZENKAR_LAUNCHER_LAUNCHER_WINDOW_H_
#define ZENKAR_LAUNCHER_LAUNCHER_WINDOW_H_

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <map>

#include "launcher/launcher.h"

namespace zenkar {

class LauncherWindow : public QWidget, public LauncherHost {
  Q_OBJECT

 public:
  LauncherWindow(Launcher& launcher, ListPrinter& printer);

  QListWidget* folder_list() const { return folders_; }
  // The selected data folder ("" when none).
  std::string SelectedFolder() const;
  QLabel* status_label(int status_id) const { return statuses_.at(status_id); }

  // "Search for Data": asks for the folder, searches it, shows what was
  // found and offers to print the list.
  void SearchForData();

  void Hide() override { hide(); }
  void Show() override { show(); }
  void EnterFolder(const std::string& folder) override;

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildPrograms();
  QWidget* BuildOtherButtons();
  QPushButton* MakeButton(const QString& caption, const QString& name,
                          std::function<void()> action);
  void ShowFolders(const std::vector<std::string>& folders);
  void RefreshStatuses();

  Launcher& launcher_;
  ListPrinter& printer_;
  QListWidget* folders_ = nullptr;
  std::map<int, QLabel*> statuses_;
};

}  // namespace zenkar

#endif  // ZENKAR_LAUNCHER_LAUNCHER_WINDOW_H_
