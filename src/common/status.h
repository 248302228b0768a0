// Status: what went wrong at an I/O edge, as a value.
//
// File, record and document code returns a Status instead of showing messages
// itself, so a failure can never be reported as success; the workflow that
// called it turns a failed Status into the system's message box.
#ifndef ZENKAR_COMMON_STATUS_H_
#define ZENKAR_COMMON_STATUS_H_

#include <string>
#include <string_view>
#include <utility>

namespace zenkar {

class [[nodiscard]] Status {
 public:
  enum class Code { kOk, kNotFound, kIoError, kInvalidFile, kInUse, kDiskFull };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string message) {
    return Status(Code::kNotFound, std::move(message));
  }
  static Status IoError(std::string message, int error_number = 0) {
    Status status(Code::kIoError, std::move(message));
    status.error_number_ = error_number;
    return status;
  }
  static Status InvalidFile(std::string message) {
    return Status(Code::kInvalidFile, std::move(message));
  }
  static Status InUse(std::string message) { return Status(Code::kInUse, std::move(message)); }
  static Status DiskFull(std::string message) {
    return Status(Code::kDiskFull, std::move(message));
  }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  // The text to show the user; empty when ok().
  const std::string& message() const { return message_; }
  // The operating system's error number behind an I/O failure, or 0.
  int error_number() const { return error_number_; }

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = Code::kOk;
  std::string message_;
  int error_number_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_STATUS_H_
