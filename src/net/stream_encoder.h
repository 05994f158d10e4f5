#pragma once
// TStreamEncoder: the bytes of a stream as Base64 or uuencode lines of 45 input bytes each.

#include <functional>
#include <iosfwd>
#include <string>

#include "net/encoded_lines.h"

namespace vantrel::net {

class TStreamEncoder {
 public:
  using TNotifyEvent = std::function<void(TStreamEncoder& sender)>;

  UUMethods Method = UUMethods::uuMime;
  TNotifyEvent OnBeginEncode;
  TNotifyEvent OnEndEncode;
  TNotifyEvent OnBeginDecode;
  TNotifyEvent OnEndDecode;
  // Not owned.
  std::iostream* InputStream = nullptr;
  std::iostream* OutputStream = nullptr;

  void Encode();
};

}  // namespace vantrel::net
