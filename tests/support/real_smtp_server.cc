#include "support/real_smtp_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

extern char** environ;

namespace zenkar::testing {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

std::string Script(const char* name) { return std::string(ZENKAR_TEST_SUPPORT_DIR) + "/" + name; }

// Starts `args` with its standard input and output on pipes (either may be
// null: then /dev/null's). The process, or -1.
pid_t Spawn(const std::vector<std::string>& args, int* input, int* output) {
  int in[2] = {-1, -1}, out[2] = {-1, -1};
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  if (input != nullptr)
    *input = in[1];
  else
    ::close(in[1]);
  if (output != nullptr)
    *output = out[0];
  else
    ::close(out[0]);
  return pid;
}

// The first line the process writes, waiting up to `seconds`.
std::string FirstLine(int fd, int seconds) {
  std::string line;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, 100) <= 0) continue;
    char buffer[256];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    line.append(buffer, static_cast<size_t>(got));
  }
  return line.substr(0, line.find('\n'));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t at = line.find(separator); at != std::string::npos;
       at = line.find(separator, start)) {
    fields.push_back(line.substr(start, at - start));
    start = at + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

RealSmtpServer::RealSmtpServer(const CertificateAndKey& identity, std::string login,
                               std::string password) {
  int output = -1;
  pid_ = Spawn({kPython, Script("smtp_receiver.py"), identity.certificate, identity.key, login,
                password, folder_.path()},
               &input_, &output);
  if (pid_ < 0) return;
  const std::string port = FirstLine(output, 20);
  ::close(output);
  port_ = static_cast<uint16_t>(std::atoi(port.c_str()));
}

RealSmtpServer::~RealSmtpServer() {
  if (input_ >= 0) ::close(input_);
  if (pid_ < 0) return;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string RealSmtpServer::WaitForMessage(int n, int seconds) const {
  const std::string name = "message-" + std::to_string(n) + ".eml";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!folder_.Exists(name)) {
    if (std::chrono::steady_clock::now() > end) return "";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return folder_.File(name);
}

std::vector<std::string> RealSmtpServer::Envelope(int n) const {
  return Lines(folder_.ReadFile("message-" + std::to_string(n) + ".envelope"));
}

std::vector<std::string> ReceivedMessage::Values(const std::string& name) const {
  std::vector<std::string> values;
  for (const std::string& header : headers) {
    if (header.rfind(name + ": ", 0) == 0) values.push_back(header.substr(name.size() + 2));
  }
  return values;
}

bool ReadReceivedMessage(const std::string& eml_path, ReceivedMessage* message) {
  TempDir folder;
  const pid_t pid =
      Spawn({kPython, Script("read_message.py"), eml_path, folder.path()}, nullptr, nullptr);
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return false;
  }
  for (const std::string& line : Lines(folder.ReadFile("headers.txt"))) {
    if (line.rfind("defect: ", 0) == 0) {
      message->defects.push_back(line.substr(8));
    } else {
      message->headers.push_back(line);
    }
  }
  message->text = folder.ReadFile("text.txt");
  int number = 0;
  for (const std::string& line : Lines(folder.ReadFile("parts.txt"))) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 3) return false;
    message->attachments.push_back(
        {fields[0], fields[1], fields[2], folder.ReadFile("part-" + std::to_string(++number))});
  }
  return true;
}

}  // namespace zenkar::testing
