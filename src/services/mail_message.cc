#include "services/mail_message.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "common/base64.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

bool IsAddressCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
}

bool IsPlainAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// A text of the books in a header line: as it is in ASCII, otherwise an
// encoded word of its Windows-1252 bytes.
std::string HeaderText(std::string_view text) {
  if (IsPlainAscii(text)) return std::string(text);
  return "=?windows-1252?B?" + Base64Encode(text) + "?=";
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string NameAndAddress(std::string_view name, std::string_view address) {
  return DisplayName(name) + " <" + std::string(address) + ">";
}

void AddMultipartLines(std::vector<std::string>& lines) {
  lines.push_back("MIME-Version: 1.0");
  lines.push_back("Content-Type: multipart/mixed; boundary=" + Quoted(kMailBoundary));
  lines.push_back("");
  lines.push_back("--" + std::string(kMailBoundary));
  lines.push_back("Content-Type: text/plain; charset=\"us-ascii\"");
  lines.push_back("Content-Transfer-Encoding: 7bit");
  lines.push_back("");
}

}  // namespace

bool LooksLikeAddress(std::string_view text) {
  for (size_t at = text.find('@'); at != std::string_view::npos; at = text.find('@', at + 1)) {
    const auto lower = [&](size_t i) {
      const char c = text[i];
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    };
    if (at > 0 && at + 1 < text.size() && IsAddressCharacter(lower(at - 1)) &&
        IsAddressCharacter(lower(at + 1))) {
      return true;
    }
  }
  return false;
}

bool IsOneAddress(std::string_view text) {
  constexpr std::string_view kNotInAddress = " <>()[],;:\"\\";
  const size_t at = text.find('@');
  if (at == 0 || at == std::string_view::npos || at + 1 == text.size() ||
      text.find('@', at + 1) != std::string_view::npos) {
    return false;
  }
  for (const char c : text) {
    if (IsControlCharacter(static_cast<unsigned char>(c)) ||
        kNotInAddress.find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

bool HoldsControlCharacter(std::string_view text) {
  for (const char c : text) {
    if (IsControlCharacter(static_cast<unsigned char>(c))) return true;
  }
  return false;
}

Recipients RecipientsOf(std::string_view to_text, std::string_view reply_address) {
  if (to_text == kTestRecipient) return {std::string(reply_address), ""};
  const size_t separator = to_text.find(';');
  if (separator == std::string_view::npos) return {std::string(Trim(to_text)), ""};
  return {std::string(Trim(to_text.substr(0, separator))),
          std::string(Trim(to_text.substr(separator + 1)))};
}

std::string FormatMailDate(const LocalDateTime& now, int utc_offset_minutes) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  using namespace std::chrono;
  const year_month_day date{year{now.year}, month{static_cast<unsigned>(now.month)},
                            day{static_cast<unsigned>(now.day)}};
  const unsigned weekday_index = weekday{sys_days{date}}.c_encoding();
  const int magnitude = std::abs(utc_offset_minutes);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %d %s %04d %02d:%02d:%02d %c%02d%02d", kDays[weekday_index],
                now.day, kMonths[(now.month + 11) % 12], now.year, now.hour, now.minute, now.second,
                utc_offset_minutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

std::string DisplayName(std::string_view name) {
  return IsPlainAscii(name) ? Quoted(name) : HeaderText(name);
}

std::vector<std::string> MessageHeaderLines(const MailSettings& settings,
                                            const Recipients& recipients, MailMessageKind kind,
                                            const std::string& date) {
  std::vector<std::string> lines;
  lines.push_back("Reply-To: " + NameAndAddress(settings.sender_name, settings.reply_address));
  lines.push_back("From: " + NameAndAddress(settings.sender_name, settings.reply_address));
  const std::string shown_to =
      settings.to_address.empty() ? "" : " " + DisplayName(settings.to_address);
  lines.push_back("To:" + shown_to + " <" + recipients.first + ">");
  if (!recipients.second.empty()) lines.push_back("To: <" + recipients.second + ">");
  if (settings.carbon_copy) {
    lines.push_back("Cc: " + NameAndAddress(settings.sender_name, settings.reply_address));
  }
  lines.push_back("Subject: " + HeaderText(settings.subject));
  lines.push_back("Date: " + date);
  lines.push_back("X-Mailer: " + std::string(kMailerName) + " - " + std::string(kMailProduct));
  switch (kind) {
    case MailMessageKind::kPlainText:
      lines.push_back("");
      break;
    case MailMessageKind::kPdf:
      AddMultipartLines(lines);
      break;
    case MailMessageKind::kDataFiles:
      AddMultipartLines(lines);
      lines.push_back(std::string(kMailProduct) + " data files are attached");
      lines.push_back("");
      break;
  }
  return lines;
}

std::vector<std::string> PdfPartLines(std::string_view web_host, std::string_view file_name) {
  return {"The attached file can be opened using any PDF reader.",
          "Printing in Fit or Shrink mode may give better results than using Actual Size.",
          "",
          "Created and sent using Zenkar Software (" + std::string(web_host) + ")",
          "",
          "--" + std::string(kMailBoundary),
          "Content-Type: application/pdf; name=" + Quoted(file_name),
          "Content-Transfer-Encoding: base64",
          "Content-Disposition: inline",
          ""};
}

std::vector<std::string> DataFilePartLines(std::string_view file_name) {
  return {"--" + std::string(kMailBoundary),
          "Content-Type: application/octet-stream; name=" + Quoted(file_name),
          "Content-Transfer-Encoding: base64",
          "Content-Disposition: attachment; filename=" + Quoted(file_name), ""};
}

std::string ClosingBoundaryLine() { return "--" + std::string(kMailBoundary) + "--"; }

std::string DataLine(std::string_view line) {
  return !line.empty() && line.front() == '.' ? "." + std::string(line) : std::string(line);
}

}  // namespace zenkar
