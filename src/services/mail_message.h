// The message the program mails: its recipients, its header lines and its
// parts, as lines of text (the session sends them, mail_session.h).
//
// A message is MIME multipart/mixed: a short text part, then the PDF report
// or the data files, each in base64 in lines of 74 characters. Every text
// that goes into a header line or the envelope is checked first: no control
// character (a line break would start a header line or a command of its own),
// an address that is exactly one address. Display names are quoted, with "\"
// and a double quote escaped; a name or subject with characters beyond ASCII
// is written as an encoded word of its Windows-1252 bytes (RFC 2047).
#ifndef ZENKAR_SERVICES_MAIL_MESSAGE_H_
#define ZENKAR_SERVICES_MAIL_MESSAGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "services/mail_settings.h"

namespace zenkar {

// The MIME boundary of every message: 61 characters of "=", "_" and letters.
inline constexpr std::string_view kMailBoundary =
    "=_=_=_=_=_=_ZenkarAccountingMimeBoundaryBetweenParts_=_=_=_=_";
inline constexpr std::string_view kMailProduct = "Zenkar Accounting";
// The X-Mailer header: this text, " - " and the product.
inline constexpr std::string_view kMailerName = "Zenkar Mail 4.7";
inline constexpr size_t kBase64LineLength = 74;

// What follows the header lines.
enum class MailMessageKind {
  kPlainText = 0,  // an empty line, then plain text
  kDataFiles = 1,  // a text part, then files as attachments
  kPdf = 2,        // a text part, then one PDF
};

// True when `text`, in lower case, holds something of the form
// "name@domain" (the letters, digits, ".", "_" and "-" on either side).
bool LooksLikeAddress(std::string_view text);
// True when `text` is one bare address: one "@" with something on either
// side, no blank, control character or any of < > ( ) [ ] , ; : " \.
bool IsOneAddress(std::string_view text);
// True when `text` holds a control character (a line break among them).
bool HoldsControlCharacter(std::string_view text);

// The envelope's recipients: the To text, or the reply address for "Test";
// a text holding ";" names a first recipient before it and a second after
// it (trimmed; none when nothing follows).
struct Recipients {
  std::string first;
  std::string second;
};
Recipients RecipientsOf(std::string_view to_text, std::string_view reply_address);

// "Sat, 14 Mar 2026 09:30:00 +0100": the local date and time in English
// and the zone as hours and minutes east of UTC.
std::string FormatMailDate(const LocalDateTime& now, int utc_offset_minutes);

// A display name as a header line writes it (see above).
std::string DisplayName(std::string_view name);

// The header lines in their order (Reply-To, From, To, a second To, Cc,
// Subject, Date, X-Mailer), then the lines of `kind` up to its text part's
// own text. `date` is FormatMailDate's.
std::vector<std::string> MessageHeaderLines(const MailSettings& settings,
                                            const Recipients& recipients, MailMessageKind kind,
                                            const std::string& date);
// The PDF message's text, then the head of its PDF part named `file_name`.
std::vector<std::string> PdfPartLines(std::string_view web_host, std::string_view file_name);
// The head of the part of a data file named `file_name`.
std::vector<std::string> DataFilePartLines(std::string_view file_name);
// "--" + boundary + "--": the end of the last part.
std::string ClosingBoundaryLine();

// `line` as it travels in DATA: a line starting with "." gets another one,
// so that it cannot end the message early.
std::string DataLine(std::string_view line);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_MAIL_MESSAGE_H_
