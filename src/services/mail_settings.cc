#include "services/mail_settings.h"

#include <algorithm>

#include "common/text_field.h"
#include "services/mail_message.h"

namespace zenkar {
namespace {

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

// The texts as the settings keep them: without blanks around them (the
// password as typed).
MailSettings Trimmed(MailSettings settings) {
  for (std::string* text :
       {&settings.sender_name, &settings.reply_address, &settings.server, &settings.port,
        &settings.user_name, &settings.to_address, &settings.subject}) {
    *text = Trimmed(*text);
  }
  return settings;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// The To texts the address checks leave alone.
bool ToIsSpecial(std::string_view to) { return ToIsReadOnly(to) || StartsWith(to, kTestRecipient); }

std::string NotOneAddress(MailField field, std::string_view text) {
  std::string message =
      "\"" + std::string(CaptionOf(field)) + "\" must be one e-mail address (name@example.com)";
  if (field == MailField::kToAddress) message += ", or two separated by \";\"";
  return message + ", not \"" + std::string(text) + "\".";
}

std::string HoldsControl(MailField field) {
  return "\"" + std::string(CaptionOf(field)) +
         "\" holds a line break or another control character, which an e-mail cannot carry.";
}

// The fields that must not be empty, in the dialog's order.
struct TextField {
  MailField field;
  const std::string MailSettings::*value;
};
constexpr TextField kTextFields[] = {
    {MailField::kSenderName, &MailSettings::sender_name},
    {MailField::kReplyAddress, &MailSettings::reply_address},
    {MailField::kServer, &MailSettings::server},
    {MailField::kPort, &MailSettings::port},
    {MailField::kUserName, &MailSettings::user_name},
    {MailField::kPassword, &MailSettings::password},
    {MailField::kToAddress, &MailSettings::to_address},
    {MailField::kSubject, &MailSettings::subject},
};

void StoreMailSettings(const MailSettings& entry, CompanySettings& company) {
  company.mail_connection = entry.connection;
  company.mail_sender_name = entry.sender_name;
  company.mail_reply_address = entry.reply_address;
  company.mail_server = entry.server;
  company.mail_port = entry.port;
  company.mail_user_name = entry.user_name;
  // A password not to be saved never reaches the disk: it lives in memory
  // for this send only.
  company.mail_password_store = entry.save_password ? ScramblePassword(entry.password) : "";
  company.mail_save_password = entry.save_password ? 1 : 0;
  company.mail_addresses[0] = entry.to_address;
  company.mail_subject = entry.subject;
  company.mail_carbon_copy = entry.carbon_copy ? 1 : 0;
}

// The checks that follow the store: the addresses, and what header lines
// cannot carry.
std::optional<MailField> AddressProblem(const MailSettings& entry, Ui& ui) {
  if (!LooksLikeAddress(entry.reply_address)) {
    ui.Error(kInvalidReplyAddress);
    return MailField::kReplyAddress;
  }
  if (!ToIsSpecial(entry.to_address) && !LooksLikeAddress(entry.to_address)) {
    ui.Error(kInvalidToAddress);
    return MailField::kToAddress;
  }
  const std::pair<MailField, const std::string*> header_texts[] = {
      {MailField::kSenderName, &entry.sender_name},
      {MailField::kReplyAddress, &entry.reply_address},
      {MailField::kToAddress, &entry.to_address},
      {MailField::kSubject, &entry.subject}};
  for (const auto& [field, text] : header_texts) {
    if (HoldsControlCharacter(*text)) {
      ui.Error(HoldsControl(field));
      return field;
    }
  }
  if (!IsOneAddress(entry.reply_address)) {
    ui.Error(NotOneAddress(MailField::kReplyAddress, entry.reply_address));
    return MailField::kReplyAddress;
  }
  const Recipients recipients = RecipientsOf(entry.to_address, entry.reply_address);
  if (!IsOneAddress(recipients.first) ||
      (!recipients.second.empty() && !IsOneAddress(recipients.second))) {
    ui.Error(NotOneAddress(MailField::kToAddress, entry.to_address));
    return MailField::kToAddress;
  }
  return std::nullopt;
}

}  // namespace

std::string ScramblePassword(std::string_view password) {
  std::string store = FitText(password, kMostPasswordLength);
  const unsigned char largest =
      static_cast<unsigned char>(*std::max_element(store.begin(), store.end(), [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
      }));
  const unsigned char shift = static_cast<unsigned char>(255 - largest);
  for (char& c : store) c = static_cast<char>(static_cast<unsigned char>(c) + shift);
  return store + static_cast<char>(shift);
}

std::string UnscramblePassword(std::string_view store) {
  if (store.size() < kPasswordStoreWidth ||
      store.substr(0, kPasswordStoreWidth).find_first_not_of(std::string_view(" \0", 2)) ==
          std::string_view::npos) {
    return "";
  }
  const unsigned char shift = static_cast<unsigned char>(store[kMostPasswordLength]);
  std::string password(store.substr(0, kMostPasswordLength));
  for (char& c : password) c = static_cast<char>(static_cast<unsigned char>(c) - shift);
  return std::string(TrimRight(password));
}

std::string_view CaptionOf(MailField field) {
  switch (field) {
    case MailField::kConnection:
      return "Connection";
    case MailField::kSenderName:
      return "Your Name";
    case MailField::kReplyAddress:
      return "Your Reply Address";
    case MailField::kServer:
      return "SMTP Mail Server";
    case MailField::kPort:
      return "SMTP Port";
    case MailField::kUserName:
      return "SMTP User Name";
    case MailField::kPassword:
      return "SMTP Password";
    case MailField::kSavePassword:
      return "Save Password";
    case MailField::kToAddress:
      return "To E-Mail Address";
    case MailField::kSubject:
      return "Subject";
    case MailField::kCarbonCopy:
      return "Send Carbon Copies to Your Reply Address";
  }
  return "";
}

const std::vector<std::string_view>& MailConnectionChoices() {
  static const std::vector<std::string_view> choices = {kDirectConnection};
  return choices;
}

MailSettings MailSettingsOf(const CompanySettings& company) {
  MailSettings settings;
  settings.sender_name = Trimmed(company.mail_sender_name);
  settings.reply_address = Trimmed(company.mail_reply_address);
  settings.server = Trimmed(company.mail_server);
  settings.port = Trimmed(company.mail_port);
  settings.user_name = Trimmed(company.mail_user_name);
  settings.password = UnscramblePassword(company.mail_password_store);
  settings.save_password = company.mail_save_password != 0;
  settings.to_address = Trimmed(company.mail_addresses[0]);
  settings.subject = Trimmed(company.mail_subject);
  settings.carbon_copy = company.mail_carbon_copy != 0;
  return settings;
}

bool ToIsReadOnly(std::string_view to) {
  return to == kMultipleAddresses || to == kCustomerAddresses;
}

MailField FirstFocusOf(const MailSettings& settings) {
  return ToIsReadOnly(settings.to_address) ? MailField::kSubject : MailField::kToAddress;
}

std::vector<MailField> WriteMailPlaceholders(CompanySettings& company) {
  const std::pair<std::string*, std::pair<MailField, std::string_view>> fields[] = {
      {&company.mail_server, {MailField::kServer, kServerPlaceholder}},
      {&company.mail_port, {MailField::kPort, kPortPlaceholder}},
      {&company.mail_user_name, {MailField::kUserName, kUserNamePlaceholder}},
      {&company.mail_reply_address, {MailField::kReplyAddress, kReplyAddressPlaceholder}},
      {&company.mail_subject, {MailField::kSubject, kSubjectPlaceholder}},
      {&company.mail_sender_name, {MailField::kSenderName, kSenderNamePlaceholder}},
  };
  std::vector<MailField> filled;
  for (const auto& [value, placeholder] : fields) {
    if (!Trim(*value).empty()) continue;
    *value = std::string(placeholder.second);
    filled.push_back(placeholder.first);
  }
  std::sort(filled.begin(), filled.end());
  return filled;
}

std::optional<MailField> ContinueMailSettings(const MailSettings& entry, CompanySettings& company,
                                              Ui& ui) {
  for (const TextField& text : kTextFields) {
    if (Trim(entry.*(text.value)).empty()) {
      ui.Information(kEnterMissingData);
      return text.field;
    }
  }
  if (entry.password.size() > kMostPasswordLength) {
    ui.Error(kPasswordTooLong);
    return MailField::kPassword;
  }
  StoreMailSettings(entry, company);
  return AddressProblem(entry, ui);
}

std::optional<MailSettings> RunMailSettingsDialog(Ledger& ledger, MailSettingsForm& form) {
  CompanySettings& company = ledger.settings();
  const std::vector<MailField> placeholders = WriteMailPlaceholders(company);
  std::optional<MailSettings> accepted;
  const bool continued =
      form.Show(MailSettingsOf(company), placeholders, [&](const MailSettings& typed) {
        const MailSettings entry = Trimmed(typed);
        const std::optional<MailField> problem = ContinueMailSettings(entry, company, ledger.ui());
        if (!problem) accepted = entry;
        return problem;
      });
  if (!continued || !accepted) return std::nullopt;
  if (ledger.access() != Ledger::Access::kReadOnly) ledger.SaveCompanySettings();
  return accepted;
}

}  // namespace zenkar
