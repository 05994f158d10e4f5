// The built-in TLS client fed arbitrary server bytes in arbitrary pieces: the handshake, and the
// conversation if one comes about, must end in an orderly way whatever arrives, without reading
// or writing out of bounds. The engine's randomness is a fixed seed, so every run of an input
// is the same; the validator passes every chain, so that the bytes reach all the way in.
// Input: byte 0 seeds the piece sizes, the rest is what the server sends.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/socket.h"
#include "platform/tls/builtin_engine.h"

namespace {

namespace tls = vantrel::platform::tls;
namespace wsa = vantrel::platform::wsa;
using vantrel::platform::SocketHandle;
using vantrel::platform::TlsStep;

// The server's bytes, handed over a piece at a time, with a would-block between pieces.
class ScriptedWire final : public tls::PlainIo {
 public:
  ScriptedWire(std::string_view bytes, unsigned seed) : bytes_(bytes), seed_(seed | 1) {}
  long send(SocketHandle, const char*, std::size_t length) override {
    if (next() % 8 == 0) return fail(wsa::kWouldBlock);
    return static_cast<long>(length);
  }
  long receive(SocketHandle, char* data, std::size_t length) override {
    if (bytes_.empty()) return 0;
    if (blocked_ = !blocked_; blocked_) return fail(wsa::kWouldBlock);
    const std::size_t piece = std::min<std::size_t>({length, bytes_.size(), 1 + next() % 300});
    std::memcpy(data, bytes_.data(), piece);
    bytes_.remove_prefix(piece);
    return static_cast<long>(piece);
  }
  int lastError() const override { return error_; }

 private:
  long fail(int code) {
    error_ = code;
    return -1;
  }
  unsigned next() {
    seed_ = seed_ * 1103515245u + 12345u;
    return seed_ >> 16;
  }

  std::string_view bytes_;
  unsigned seed_;
  bool blocked_ = false;
  int error_ = 0;
};

class AnyChain final : public tls::CertificateValidator {
 public:
  std::string validate(const std::vector<std::string>&, const std::string&) override { return {}; }
};

class FixedRandom final : public tls::RandomSource {
 public:
  bool fill(unsigned char* data, std::size_t length) override {
    for (std::size_t i = 0; i < length; ++i) data[i] = static_cast<unsigned char>(i * 131 + 7);
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ScriptedWire wire(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), data[0]);
  AnyChain validator;
  FixedRandom random;
  tls::BuiltInEngine engine(wire, validator, random);
  const auto session = engine.start(1, "localhost");
  TlsStep step = session->step();
  // Every turn takes a byte or ends: the bound only catches a client that stops moving.
  for (std::size_t turns = 0; turns < 4 * size + 64; ++turns) {
    if (step.state == TlsStep::State::Done || step.state == TlsStep::State::Failed) break;
    step = session->step();
  }
  if (step.state == TlsStep::State::WantRead || step.state == TlsStep::State::WantWrite) {
    std::abort();  // neither done nor failed once the server's bytes have all been given
  }
  if (step.state != TlsStep::State::Done) return 0;
  char line[] = "USER alice\r\n";
  session->send(line, sizeof line - 1);
  char buffer[512];
  for (std::size_t turns = 0; turns < 4 * size + 64; ++turns) {
    const long got = session->receive(buffer, sizeof buffer, turns % 2 == 0);
    if (got == 0 || (got < 0 && session->error() != wsa::kWouldBlock)) break;
  }
  return 0;
}
