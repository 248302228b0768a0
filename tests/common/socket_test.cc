// The POSIX connector against servers on the loopback address: a whole
// exchange, the two ends' addresses, a server that stops answering, a port
// nobody listens on.
#include "common/socket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "support/loopback_http_server.h"

namespace zenkar {
namespace {

using testing::LoopbackHttpServer;

constexpr int kShortTimeoutMs = 300;

// Receives until the server closes the connection.
std::string ReceiveAll(Connection& connection) {
  std::string received;
  for (size_t before = SIZE_MAX; received.size() != before;) {
    before = received.size();
    EXPECT_TRUE(connection.Receive(7, &received).ok());
  }
  return received;
}

TEST(PosixConnectorTest, SendsAndReceivesUntilTheServerCloses) {
  LoopbackHttpServer server;
  server.Queue({"HTTP/1.1 200 OK\r\n\r\nall of it", /*close=*/true});
  const auto connector = PosixConnector(kShortTimeoutMs);
  EXPECT_TRUE(connector->HasRoute("127.0.0.1", server.port())) << "loopback always has a route";

  std::unique_ptr<Connection> connection;
  ASSERT_TRUE(connector->Connect("127.0.0.1", server.port(), &connection).ok());
  ASSERT_TRUE(connection->Send("GET / HTTP/1.1\r\n\r\n").ok());
  EXPECT_EQ(ReceiveAll(*connection), "HTTP/1.1 200 OK\r\n\r\nall of it");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].bytes, "GET / HTTP/1.1\r\n\r\n");
}

TEST(PosixConnectorTest, NamesItsOwnAddressAsAGreetingWritesItAndKnowsALoopbackPeer) {
  LoopbackHttpServer server;
  std::unique_ptr<Connection> connection;
  ASSERT_TRUE(
      PosixConnector(kShortTimeoutMs)->Connect("127.0.0.1", server.port(), &connection).ok());
  EXPECT_EQ(connection->LocalAddress(), "[127.0.0.1]");
  EXPECT_TRUE(connection->PeerIsLoopback());
}

TEST(PosixConnectorTest, AServerThatSaysNothingTimesOut) {
  LoopbackHttpServer server;
  server.Queue({"", /*close=*/false});  // keeps the connection, sends nothing
  const auto connector = PosixConnector(kShortTimeoutMs);
  std::unique_ptr<Connection> connection;
  ASSERT_TRUE(connector->Connect("127.0.0.1", server.port(), &connection).ok());
  ASSERT_TRUE(connection->Send("GET / HTTP/1.1\r\n\r\n").ok());

  const auto start = std::chrono::steady_clock::now();
  std::string received;
  const Status status = connection->Receive(100, &received);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(status.error_number(), ETIMEDOUT);
  EXPECT_TRUE(received.empty());
  EXPECT_GE(waited, std::chrono::milliseconds(kShortTimeoutMs));
  EXPECT_LT(waited, std::chrono::seconds(5));
}

TEST(PosixConnectorTest, APortNobodyListensOnIsRefused) {
  // A bound socket that does not listen holds the port for the test.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);

  std::unique_ptr<Connection> connection;
  const Status status =
      PosixConnector(kShortTimeoutMs)->Connect("127.0.0.1", ntohs(address.sin_port), &connection);
  ::close(fd);
  EXPECT_EQ(status.error_number(), ECONNREFUSED);
  EXPECT_EQ(connection, nullptr);
}

}  // namespace
}  // namespace zenkar
