#pragma once
// TUrlEncoder: encodes a text for a URL query or a form body, byte by byte.

#include <functional>
#include <string>

namespace vantrel::net {

class TUrlEncoder {
 public:
  using TOnErrorEvent = std::function<void(TUrlEncoder& sender, const std::string& operation,
                                           const std::string& errMsg)>;

  std::string InputString;
  TOnErrorEvent OnError;

  // Never raises: a failure goes to OnError and gives InputString unchanged.
  std::string Encode();
};

std::string UrlEncode(const std::string& text);

}  // namespace vantrel::net
