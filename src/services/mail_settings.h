// The mail settings of a company and their dialog, "E-Mail Settings -
// Contact your mail provider for this information".
//
// The settings live in the company settings record (KXACCT.CFG, offsets 1921
// to 2381) and are saved with it. Every send shows the dialog first: the
// fields in their order, with a placeholder written into each empty field,
// and on "Continue" the checks, each with its message and the field it puts
// the focus on. The dialog itself is a port (MailSettingsForm): a Qt dialog
// in kxacct, the command line's values in kxbatch, a scripted form in tests.
//
// The password is kept scrambled (ScramblePassword) and only when "Save
// Password" is ticked: otherwise it stays in memory for the one send and the
// dialog asks for it the next time.
#ifndef ZENKAR_SERVICES_MAIL_SETTINGS_H_
#define ZENKAR_SERVICES_MAIL_SETTINGS_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui.h"
#include "ledger/company_settings.h"
#include "ledger/ledger.h"

namespace zenkar {

inline constexpr std::string_view kMailSettingsTitle =
    "E-Mail Settings - Contact your mail provider for this information";
inline constexpr std::string_view kEnterMissingData = "Enter Missing Data";
inline constexpr std::string_view kInvalidReplyAddress = "Invalid Reply To Address";
inline constexpr std::string_view kInvalidToAddress = "Invalid To Address";
inline constexpr std::string_view kPasswordTooLong =
    "The SMTP Password may have at most 20 characters (the most the settings can keep).";

// The one entry of the "Connection" list: there is no dial-up phonebook here,
// the system keeps the machine online.
inline constexpr std::string_view kDirectConnection = "Direct Connection (DSL, Cable, LAN, etc.)";

// What an empty field shows when the dialog opens.
inline constexpr std::string_view kServerPlaceholder = "mail.example.com";
inline constexpr std::string_view kPortPlaceholder = "587";
inline constexpr std::string_view kUserNamePlaceholder = "your mail server login";
inline constexpr std::string_view kReplyAddressPlaceholder = "you@example.com";
inline constexpr std::string_view kSubjectPlaceholder = "Subject";
inline constexpr std::string_view kSenderNamePlaceholder = "Your Name";

// To texts that stand for addresses the program fills in itself: the To
// field is then read-only.
inline constexpr std::string_view kMultipleAddresses = "Multiple Addresses";
inline constexpr std::string_view kCustomerAddresses = "Customer Address(es)";
// A To text of exactly this sends to the reply address: a test to oneself.
inline constexpr std::string_view kTestRecipient = "Test";

inline constexpr size_t kPasswordStoreWidth = 21;
inline constexpr size_t kMostPasswordLength = 20;

// The 21 bytes kept for `password` (at most 20 characters): the password
// padded with spaces to 20, each byte raised by k = 255 - the largest of
// them, then k itself.
std::string ScramblePassword(std::string_view password);
// The password kept in `store`, its trailing spaces removed; a blank store
// (spaces or zero bytes) holds none.
std::string UnscramblePassword(std::string_view store);

// The fields of the dialog, in their order.
enum class MailField {
  kConnection,
  kSenderName,    // "Your Name"
  kReplyAddress,  // "Your Reply Address"
  kServer,        // "SMTP Mail Server"
  kPort,          // "SMTP Port"
  kUserName,      // "SMTP User Name"
  kPassword,      // "SMTP Password"
  kSavePassword,  // "Save Password"
  kToAddress,     // "To E-Mail Address"
  kSubject,       // "Subject"
  kCarbonCopy,    // "Send Carbon Copies to Your Reply Address"
};
std::string_view CaptionOf(MailField field);

// The settings a send works with: what the dialog shows and returns,
// trimmed, the password in clear.
struct MailSettings {
  int connection = 0;  // position in MailConnectionChoices()
  std::string sender_name;
  std::string reply_address;
  std::string server;
  std::string port;
  std::string user_name;
  std::string password;
  bool save_password = false;
  std::string to_address;  // one address, two separated by ";", or "Test"
  std::string subject;
  bool carbon_copy = true;
};

// The "Connection" list.
const std::vector<std::string_view>& MailConnectionChoices();

// The company's mail settings, trimmed, the password unscrambled. A dial-up
// entry kept by another installation shows as the direct connection.
MailSettings MailSettingsOf(const CompanySettings& company);
// True when the To field may not be edited (kMultipleAddresses,
// kCustomerAddresses).
bool ToIsReadOnly(std::string_view to);
// The field the dialog starts on: "Subject" when the To field is read-only,
// else "To E-Mail Address".
MailField FirstFocusOf(const MailSettings& settings);

// Writes the placeholder into each empty field of `company`, as the dialog
// does when it opens; returns the fields so filled.
std::vector<MailField> WriteMailPlaceholders(CompanySettings& company);

// "Continue": every text field from "Your Name" to "Subject" must hold
// something ("Enter Missing Data"), the password fit the settings; then the
// values are stored in `company` (the password scrambled when it is to be
// saved, otherwise none); then the reply address and the To address must
// look like addresses ("Invalid Reply To Address", "Invalid To Address"),
// and be exactly one address each, with no control character in a text that
// goes into a header line. Nothing when the entry was accepted; otherwise the
// field to put the focus on, the reason shown through `ui`.
std::optional<MailField> ContinueMailSettings(const MailSettings& entry, CompanySettings& company,
                                              Ui& ui);

// The dialog.
class MailSettingsForm {
 public:
  // Answers "Continue" with the fields' values: the field to focus when they
  // were refused (the dialog stays open), or nothing when they were accepted
  // (the dialog closes).
  using ContinueCheck = std::function<std::optional<MailField>(const MailSettings&)>;

  virtual ~MailSettingsForm() = default;
  // Shows `shown` (the fields in `placeholders` hold their placeholder) until
  // the user presses "Continue" and `on_continue` accepts, or cancels. True
  // when the values were accepted.
  virtual bool Show(const MailSettings& shown, const std::vector<MailField>& placeholders,
                    const ContinueCheck& on_continue) = 0;
};

// The dialog for one send: placeholders written, the form shown, the values
// accepted stored and the settings saved (unless the books are open for
// reading only, as in kxbatch: then they stay in memory). The settings the
// send uses; nothing when the user cancelled.
std::optional<MailSettings> RunMailSettingsDialog(Ledger& ledger, MailSettingsForm& form);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_MAIL_SETTINGS_H_
