#pragma once
// The exceptions of the network components. Each carries the message text its raiser gives it.

#include <stdexcept>
#include <string>
#include <utility>

#include "net/mail_faults.h"
#include "net/secure_refusals.h"
#include "platform/socket.h"

namespace vantrel::net {

// The general exception: a message text and nothing more.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ESockError : public Exception {
 public:
  using Exception::Exception;
};

class EAbortError : public ESockError {
 public:
  using ESockError::ESockError;
};

// A name lookup that a time-out or a cancel ended: no answer came, so asking the owner for
// another host would be pointless.
class ELookupInterrupted : public ESockError {
 public:
  using ESockError::ESockError;
};

// A secure connection that could not be made: the handshake or the server's certificate was
// refused. Nothing was sent over the connection, which is closed. Refusal says what the reason
// comes down to, where that is known.
class ETlsError : public ESockError {
 public:
  explicit ETlsError(const std::string& reason,
                     platform::TlsRefusal refusal = platform::TlsRefusal::Other)
      : ESockError("Secure connection failed: " + reason), reason_(reason), refusal_(refusal) {}
  // A mail client's own refusal to send a password in clear text.
  explicit ETlsError(platform::TlsRefusal refusal)
      : ETlsError(std::string(secureRefusalWords(refusal)), refusal) {}
  const std::string& Reason() const { return reason_; }
  platform::TlsRefusal Refusal() const { return refusal_; }

 private:
  std::string reason_;
  platform::TlsRefusal refusal_;
};

// A secure connection that this TLS engine could not make and the other one may: the connection
// is closed, and a new one, started over from its first byte, is secured by the other engine.
// Caught by the component that can start its connection over (see TAsyncSocket's
// withTlsEngineRetry); nothing for the user to hear of. Its message is the engine's reason.
class ETlsRetry : public ESockError {
 public:
  using ESockError::ESockError;
};

// A text that should be a number and is not.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A value outside the range of the field that receives it.
class ERangeError : public Exception {
 public:
  using Exception::Exception;
};

// The server refused the password (or it was not given again when asked): the login itself, not
// the server, is in question.
class EAuthenticationFailed : public Exception {
 public:
  using Exception::Exception;
};

// A mail client gave up for a reason of its own, in its own words: none of them the server's.
class EMailFault : public Exception {
 public:
  explicit EMailFault(MailFault fault)
      : Exception(std::string(mailFaultWords(fault))), fault_(fault) {}
  MailFault Fault() const { return fault_; }

 private:
  MailFault fault_;
};

// The server turned the login down for a reason of its own, not the password: a back end that is
// down, a limit, an account it wants seen to. The message is the server's line; ServerText is
// what it says for a person, Code its response code in capitals.
class EServerRefusal : public Exception {
 public:
  EServerRefusal(const std::string& line, std::string code, std::string text)
      : Exception(line), code_(std::move(code)), text_(std::move(text)) {}
  const std::string& Code() const { return code_; }
  const std::string& ServerText() const { return text_; }

 private:
  std::string code_;
  std::string text_;
};

}  // namespace vantrel::net
