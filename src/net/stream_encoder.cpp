#include "net/stream_encoder.h"

#include <array>
#include <iostream>

namespace vantrel::net {

void TStreamEncoder::Encode() {
  InputStream->clear();
  InputStream->seekg(0);
  if (OnBeginEncode) OnBeginEncode(*this);
  std::array<char, kBytesPerLine> chunk{};
  for (;;) {
    InputStream->read(chunk.data(), chunk.size());
    const auto n = static_cast<std::size_t>(InputStream->gcount());
    if (n == 0) break;
    const std::string line = EncodeLine(std::string_view(chunk.data(), n), Method);
    OutputStream->write(line.data(), static_cast<std::streamsize>(line.size()));
  }
  if (Method == UUMethods::uuCode) *OutputStream << UUEndLine();
  OutputStream->seekg(0);
  OutputStream->seekp(0);
  if (OnEndEncode) OnEndEncode(*this);
}

}  // namespace vantrel::net
