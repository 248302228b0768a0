// TestCertificates: a certificate authority of the tests' own and the
// certificates of mail servers on this machine, made with the openssl
// program in a temporary folder.
//
// `server` is signed by the authority and names "localhost" and 127.0.0.1;
// `stranger` is a self-signed certificate for the same names that no one
// trusts. The programs trust the authority through ZENKAR_CA_FILE (in tests:
// MailTransport::extra_trusted_certificates = ca_file).
#ifndef ZENKAR_TESTS_SUPPORT_TEST_CERTIFICATES_H_
#define ZENKAR_TESTS_SUPPORT_TEST_CERTIFICATES_H_

#include <string>

#include "support/temp_dir.h"

namespace zenkar::testing {

struct CertificateAndKey {
  std::string certificate;  // PEM file
  std::string key;          // PEM file
};

class TestCertificates {
 public:
  // Made once per test program; `ok()` is false when openssl failed.
  static const TestCertificates& Get();

  bool ok() const { return ok_; }
  const std::string& ca_file() const { return ca_file_; }
  const CertificateAndKey& server() const { return server_; }
  const CertificateAndKey& stranger() const { return stranger_; }

 private:
  TestCertificates();

  TempDir folder_;
  bool ok_ = false;
  std::string ca_file_;
  CertificateAndKey server_;
  CertificateAndKey stranger_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_TEST_CERTIFICATES_H_
