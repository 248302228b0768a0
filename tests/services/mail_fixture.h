// A company whose mail goes to a server on the loopback address: the
// ledger fixture's books with mail settings filled in, a scripted settings
// dialog, and the flows' environment over the real socket layer.
#ifndef ZENKAR_TESTS_SERVICES_MAIL_FIXTURE_H_
#define ZENKAR_TESTS_SERVICES_MAIL_FIXTURE_H_

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ledger/ledger_fixture.h"
#include "services/mail_flows.h"
#include "support/test_certificates.h"

namespace zenkar::testing {

// The settings dialog as a user fills it in: each press of "Continue" first
// applies the next queued edit to the fields; once the edits run out after a
// refusal, the user cancels. Without edits, "Continue" is pressed once on
// what the dialog shows.
class ScriptedMailForm : public MailSettingsForm {
 public:
  using Edit = std::function<void(MailSettings&)>;
  std::deque<Edit> edits;
  bool cancel = false;
  std::vector<MailSettings> shown;
  std::vector<MailField> placeholders;
  std::vector<MailField> focused;  // where each refusal put the focus

  bool Show(const MailSettings& settings, const std::vector<MailField>& placeholder_fields,
            const ContinueCheck& on_continue) override {
    shown.push_back(settings);
    placeholders = placeholder_fields;
    if (cancel) return false;
    MailSettings typed = settings;
    do {
      if (!edits.empty()) {
        edits.front()(typed);
        edits.pop_front();
      }
      const std::optional<MailField> refused = on_continue(typed);
      if (!refused) return true;
      focused.push_back(*refused);
    } while (!edits.empty());
    return false;
  }
};

class MailFixture : public LedgerFixture {
 protected:
  static constexpr int kTimeoutMs = 5000;

  // Loads the company with its mail settings pointing at `port` of
  // 127.0.0.1: Ann Lee <ann@harbor.example>, login "ann" with the saved
  // password "s3cret", to books@accountant.example, no carbon copies.
  void OpenMailCompany(uint16_t port) {
    OpenCompany();
    CompanySettings& s = ledger_.settings();
    s.mail_sender_name = "Ann Lee";
    s.mail_reply_address = "ann@harbor.example";
    s.mail_server = "127.0.0.1";
    s.mail_port = std::to_string(port);
    s.mail_user_name = "ann";
    s.mail_password_store = ScramblePassword("s3cret");
    s.mail_save_password = 1;
    s.mail_addresses[0] = "books@accountant.example";
    s.mail_carbon_copy = 0;
  }

  MailEnvironment Environment() {
    return MailEnvironment{ledger_, form_, MailPorts{*connector_, ui_, clock_, fs_}, transport_,
                           "www.zenkar.example"};
  }

  // A PDF-like file of `size` bytes in the data folder.
  std::string WritePdf(size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>((i * 7 + 3) % 256);
    dir_.WriteFile("Income-Statement.pdf", bytes);
    return dir_.File("Income-Statement.pdf");
  }

  ScriptedMailForm form_;
  std::unique_ptr<Connector> connector_ = PosixConnector(kTimeoutMs);
  MailTransport transport_{TestCertificates::Get().ca_file(), kImplicitTlsPort};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SERVICES_MAIL_FIXTURE_H_
