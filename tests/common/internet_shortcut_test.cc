#include "common/internet_shortcut.h"

#include <gtest/gtest.h>

#include "support/recording_shell.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::RecordingShell;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::TempDir;

const WebSite kSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"};

TEST(ShortcutFileName, NumbersZeroToTenHaveTheirOwnFile) {
  EXPECT_EQ(ShortcutFileName(0), "Zenkar0.url");
  EXPECT_EQ(ShortcutFileName(10), "Zenkar10.url");
  EXPECT_EQ(ShortcutFileName(11), "Zenkar.url");
  EXPECT_EQ(ShortcutFileName(-1), "Zenkar.url");
}

TEST(WebPageUrl, PagesCarryTheUserQueryAndMailUsesMailto) {
  EXPECT_EQ(WebPageUrl(kSite, WebPage::kNews), "http://www.zenkar.example/news?user=0A1B2C3D");
  EXPECT_EQ(WebPageUrl(kSite, WebPage::kFaq), "http://www.zenkar.example/faq?user=0A1B2C3D");
  EXPECT_EQ(WebPageUrl(kSite, WebPage::kHome), "http://www.zenkar.example/?user=0A1B2C3D");
  EXPECT_EQ(WebPageUrl(kSite, WebPage::kSupportMail), "Mailto:support@zenkar.example");
}

TEST(OpenWebPage, WritesTheShortcutFileAndOpensItsAddress) {
  TempDir folder;
  ScriptedUi ui;
  RecordingShell shell;
  EXPECT_TRUE(OpenWebPage(PosixFileSystem(), shell, ui, folder.path(), kSite, WebPage::kNews));
  EXPECT_EQ(folder.ReadFile("Zenkar1.url"),
            "[InternetShortcut]\r\nURL=http://www.zenkar.example/news?user=0A1B2C3D\r\n");
  ASSERT_EQ(shell.opened_urls.size(), 1u);
  EXPECT_EQ(shell.opened_urls[0], "http://www.zenkar.example/news?user=0A1B2C3D");
  EXPECT_TRUE(ui.messages().empty());

  EXPECT_TRUE(
      OpenWebPage(PosixFileSystem(), shell, ui, folder.path(), kSite, WebPage::kSupportMail));
  EXPECT_EQ(folder.ReadFile("Zenkar3.url"),
            "[InternetShortcut]\r\nURL=Mailto:support@zenkar.example\r\n");
}

TEST(OpenWebPage, ReportsWhenNothingCanOpenTheAddress) {
  TempDir folder;
  ScriptedUi ui;
  RecordingShell shell;
  shell.succeed = false;
  EXPECT_FALSE(OpenWebPage(PosixFileSystem(), shell, ui, folder.path(), kSite, WebPage::kFaq));
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui.LastText(), "Error attempting to open internet application.");
}

TEST(OpenWebPage, AnUnwritableFolderStillOpensThePage) {
  ScriptedUi ui;
  RecordingShell shell;
  EXPECT_TRUE(
      OpenWebPage(PosixFileSystem(), shell, ui, "/nonexistent-folder/", kSite, WebPage::kNews));
  EXPECT_EQ(shell.opened_urls.size(), 1u);
  EXPECT_TRUE(ui.messages().empty());
}

TEST(RemoveInternetShortcuts, RemovesOnlyTheProgramsShortcutFiles) {
  TempDir folder;
  for (const char* name : {"Zenkar.url", "Zenkar0.url", "Zenkar7.url", "Zenkar20.url",
                           "Zenkar21.url", "Other.url", "KXPASS.DAT"}) {
    folder.WriteFile(name, "x");
  }
  RemoveInternetShortcuts(PosixFileSystem(), folder.path());
  EXPECT_EQ(folder.Listing(), "KXPASS.DAT Other.url Zenkar21.url");
}

}  // namespace
}  // namespace zenkar
