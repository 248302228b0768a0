// RealSmtpServer: aiosmtpd, a real SMTP server, on 127.0.0.1 for one test
// (smtp_receiver.py): STARTTLS with the tests' server certificate required
// before anything else, AUTH LOGIN with one login and password.
//
// Each message it accepts lands in its folder; ReadReceivedMessage takes one
// apart with Python's email package (read_message.py), so that a test
// compares what a MIME parser makes of the message -- headers, defects, the
// decoded attachments -- with what was sent.
#ifndef ZENKAR_TESTS_SUPPORT_REAL_SMTP_SERVER_H_
#define ZENKAR_TESTS_SUPPORT_REAL_SMTP_SERVER_H_

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_certificates.h"

namespace zenkar::testing {

class RealSmtpServer {
 public:
  RealSmtpServer(const CertificateAndKey& identity, std::string login, std::string password);
  ~RealSmtpServer();
  RealSmtpServer(const RealSmtpServer&) = delete;
  RealSmtpServer& operator=(const RealSmtpServer&) = delete;

  // 0 when the server did not start.
  uint16_t port() const { return port_; }
  // The n-th message received (from 1), waiting up to `seconds` for it: the
  // path of its .eml file, or "" when none came.
  std::string WaitForMessage(int n, int seconds = 20) const;
  // The sender and the recipients of the n-th message's envelope.
  std::vector<std::string> Envelope(int n) const;

 private:
  TempDir folder_;
  pid_t pid_ = -1;
  int input_ = -1;  // the server's standard input; closing it stops the server
  uint16_t port_ = 0;
};

// A message taken apart by Python's email package.
struct ReceivedMessage {
  std::vector<std::string> headers;  // "Name: value", in order
  std::vector<std::string> defects;  // what the parser found wrong
  std::string text;                  // the first part's text
  struct Part {
    std::string content_type;
    std::string disposition;
    std::string file_name;
    std::string data;  // decoded
  };
  std::vector<Part> attachments;
  // The values of the header fields named `name`, in order.
  std::vector<std::string> Values(const std::string& name) const;
};
// False when the parser could not be run.
bool ReadReceivedMessage(const std::string& eml_path, ReceivedMessage* message);

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_REAL_SMTP_SERVER_H_
