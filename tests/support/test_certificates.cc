#include "support/test_certificates.h"

#include <cstdlib>

namespace zenkar::testing {
namespace {

constexpr const char* kNewKey = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
constexpr const char* kServerNames = "subjectAltName=DNS:localhost,IP:127.0.0.1";

bool Run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

const TestCertificates& TestCertificates::Get() {
  static const TestCertificates* const certificates = new TestCertificates;
  return *certificates;
}

TestCertificates::TestCertificates() {
  const std::string openssl = "/usr/bin/openssl ";
  ca_file_ = folder_.File("ca.pem");
  const std::string ca_key = folder_.File("ca.key");
  server_ = {folder_.File("server.pem"), folder_.File("server.key")};
  stranger_ = {folder_.File("stranger.pem"), folder_.File("stranger.key")};
  const std::string request = folder_.File("server.csr");
  const std::string extensions = folder_.File("server.ext");
  folder_.WriteFile("server.ext", std::string(kServerNames) +
                                      "\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n");
  ok_ = Run(openssl + "req -x509 " + kNewKey + " -keyout " + Quoted(ca_key) + " -out " +
            Quoted(ca_file_) + " -days 3650 -subj '/CN=Zenkar Test Authority'" +
            " -addext basicConstraints=critical,CA:TRUE" +
            " -addext keyUsage=critical,keyCertSign,cRLSign") &&
        Run(openssl + "req " + kNewKey + " -keyout " + Quoted(server_.key) + " -out " +
            Quoted(request) + " -subj /CN=localhost") &&
        Run(openssl + "x509 -req -in " + Quoted(request) + " -CA " + Quoted(ca_file_) + " -CAkey " +
            Quoted(ca_key) + " -CAcreateserial -days 3650 -out " + Quoted(server_.certificate) +
            " -extfile " + Quoted(extensions)) &&
        Run(openssl + "req -x509 " + kNewKey + " -keyout " + Quoted(stranger_.key) + " -out " +
            Quoted(stranger_.certificate) + " -days 3650 -subj /CN=localhost -addext " +
            kServerNames);
}

}  // namespace zenkar::testing
