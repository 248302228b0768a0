// MemoryConnection: a Connection to a server that exists only in memory.
//
// The "server" sends fixed pieces of bytes -- each receive returns at most
// the rest of the current piece, as a network delivers a packet -- then
// closes the connection, or, when told, stops answering, so that the next
// receive fails as a time-out would. What the client sends and how much it
// asked for at each receive are kept.
#ifndef ZENKAR_TESTS_SUPPORT_MEMORY_CONNECTION_H_
#define ZENKAR_TESTS_SUPPORT_MEMORY_CONNECTION_H_

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/socket.h"

namespace zenkar::testing {

class MemoryConnection : public Connection {
 public:
  explicit MemoryConnection(std::vector<std::string> pieces) : pieces_(std::move(pieces)) {}

  // `bytes` cut into pieces of `size` bytes (the last one shorter).
  static std::vector<std::string> Pieces(std::string_view bytes, size_t size) {
    std::vector<std::string> pieces;
    for (size_t at = 0; at < bytes.size(); at += std::max<size_t>(size, 1)) {
      pieces.emplace_back(bytes.substr(at, std::max<size_t>(size, 1)));
    }
    return pieces;
  }

  // After the last piece, receives fail instead of seeing the connection
  // closed.
  void StallAtEnd() { stall_at_end_ = true; }

  Status Send(std::string_view data) override {
    sent_.append(data);
    return Status::Ok();
  }
  Status Receive(size_t max, std::string* out) override {
    asked_.push_back(max);
    if (piece_ == pieces_.size()) {
      if (stall_at_end_) return Status::IoError("receive: timed out", ETIMEDOUT);
      return Status::Ok();
    }
    const std::string& piece = pieces_[piece_];
    const size_t count = std::min(max, piece.size() - offset_);
    out->append(piece, offset_, count);
    given_ += count;
    offset_ += count;
    if (offset_ == piece.size()) {
      ++piece_;
      offset_ = 0;
    }
    return Status::Ok();
  }

  const std::string& sent() const { return sent_; }
  // How many bytes the client has taken.
  size_t given() const { return given_; }
  // The `max` of each receive, in order.
  const std::vector<size_t>& asked() const { return asked_; }

 private:
  std::vector<std::string> pieces_;
  size_t piece_ = 0;
  size_t offset_ = 0;
  size_t given_ = 0;
  bool stall_at_end_ = false;
  std::string sent_;
  std::vector<size_t> asked_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_MEMORY_CONNECTION_H_
