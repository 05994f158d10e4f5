// The IMAP push session on any server bytes, on the stand-in platform's virtual clock: the bytes
// are the server's stream, a piece of it at the greeting, after each line the client sends and
// every tenth of a second of its own accord, and ten minutes pass, through renewals and time-outs.
// The first byte sets the size of the pieces (its low six bits, 0 for all at once) and whether TLS
// comes from the first byte (0x40). Whatever comes, the session counts, waits or ends.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "net/imap_push_session.h"
#include "platform/standin/standin_event_loop.h"
#include "platform/standin/standin_sockets.h"

namespace {

using vantrel::platform::standin::StandinConnection;

class StreamServer final : public StandinConnection {
 public:
  StreamServer(std::string_view stream, std::size_t piece, StreamServer*& open)
      : stream_(stream), piece_(piece == 0 ? stream.size() : piece), open_(open) {
    open_ = this;
  }
  StreamServer(const StreamServer&) = delete;
  StreamServer& operator=(const StreamServer&) = delete;
  ~StreamServer() override { open_ = nullptr; }

  std::string greeting() override { return next(); }
  std::string received(std::string_view) override { return next(); }
  bool hungUp() const override { return at_ >= stream_.size(); }
  std::string tlsRefusal(const std::string&) override { return {}; }
  // Whether more is left to say.
  bool speak() {
    say(next());
    return at_ < stream_.size();
  }

 private:
  std::string next() {
    const std::string_view piece = stream_.substr(at_, piece_);
    at_ += piece.size();
    return std::string(piece);
  }

  std::string_view stream_;
  std::size_t piece_;
  std::size_t at_ = 0;
  StreamServer*& open_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
  vantrel::platform::standin::StandinEventLoop loop;
  vantrel::platform::standin::StandinSockets sockets(loop);
  StreamServer* open = nullptr;
  sockets.listen(vantrel::platform::standin::ipv4(127, 0, 0, 1), 143,
                 [&] { return std::make_unique<StreamServer>(stream, data[0] & 0x3f, open); });
  std::function<void()> speak = [&] {
    if (open != nullptr && open->speak()) loop.atTime(loop.nowMs() + 100, speak);
  };
  loop.atTime(100, speak);
  vantrel::net::ImapPushSession::Account account;
  account.host = "127.0.0.1";
  account.secure = (data[0] & 0x40) != 0;
  account.user = "fuzz";
  // An accented letter: the password goes as a literal, after the server's go-ahead.
  account.password =
      "s\xe9"
      "cret";
  account.summaries = 5;
  vantrel::net::ImapPushSession session(loop, sockets, account, {5000, 60'000}, {});
  loop.runFor(600'000);
  session.close();
  return 0;
}
