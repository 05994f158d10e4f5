#pragma once
// What the last check of each account came to, kept for the run, and the words the e-mail tab
// and the boxes say it with.

#include <cstdint>
#include <exception>
#include <string>

#include "app/lang_texts.h"
#include "net/imap_push_session.h"
#include "net/mail_faults.h"
#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::app {

enum class CheckOutcome {
  Counted,
  NoPassword,
  ServerChanged,  // the password stored was typed for the server the account had before
  NoUserName,
  PasswordRefused,
  ServerRefusal,  // the server turned the login down for a reason of its own, for now
  ServerNotFound,
  NoConnection,
  NoAnswer,
  ConnectionLost,
  SecureRefused,
  Fault,         // the mail client gave up for a reason of its own
  ServerAnswer,  // any other answer than the one the dialogue needed
  NoNetwork,     // the computer had no network: no server was asked
  // Not an outcome: one past the last, for tables over them all.
  End,
};

struct AccountResult {
  platform::TimeOfDay at;
  CheckOutcome outcome = CheckOutcome::Counted;
  std::int32_t count = 0;
  // The server's own words (UTF-8, as serverWords makes them), or the reason of a refused
  // handshake.
  std::string detail;
  platform::TlsRefusal refusal = platform::TlsRefusal::Other;
  net::MailFault fault = net::MailFault::End;  // of a Fault
  platform::TlsEngine securedBy = platform::TlsEngine::None;
  std::string systemEngine;  // the system's TLS engine by name, when it secured the connection
};

// What the mail check saw of a connection that brought no count, besides the error itself.
struct FailureSigns {
  bool hostNotFound = false;      // the server's name did not resolve
  bool connectionFailed = false;  // no connection could be made
  bool timedOut = false;          // a wait ran out of time
};

// "14:05": hours and minutes of two digits each.
std::string timeText(platform::TimeOfDay at);

// The outcome, and its detail, of a check whose Connect raised `failure`.
AccountResult failedCheck(const std::exception_ptr& failure, const FailureSigns& signs);
// The outcome, and its detail, of an IMAP account's push session that ended on `end`.
AccountResult endedPush(const net::ImapPushSession::End& end);

// The language's text for each kind of refusal and fault, none for a kind without one.
std::string TLangTexts::*tlsRefusalField(platform::TlsRefusal refusal);
std::string TLangTexts::*mailFaultField(net::MailFault fault);

// Why a secure connection was refused, in the user's language, with what tells the case apart
// (an error code, a protocol); a reason of no known kind, or one the language leaves without
// words, in its own.
std::string tlsRefusalText(const TLangTexts& texts, platform::TlsRefusal refusal,
                           const std::string& reason);

// A line of the e-mail tab: Windows-1252, or UTF-8 when it quotes a server's words.
struct ResultLine {
  std::string text;
  bool utf8 = false;
  bool operator==(const ResultLine&) const = default;
};

// What came of a check, in a few words.
ResultLine resultReason(const TLangTexts& texts, const AccountResult& result);

// What the e-mail tab says of an account: not checked yet (no result), left out (unticked), or
// when it was last checked and what came of it.
ResultLine accountResultText(const TLangTexts& texts, const AccountResult* result, bool ticked);

// What came of it alone, as the line above says it.
ResultLine resultReasonText(const TLangTexts& texts, const AccountResult& result);

}  // namespace vantrel::app
