#pragma once
// What a mail client gives up on in words of its own, not the server's: the program says each
// kind in the user's language; the English words are for those who read the network components.

#include <string_view>

namespace vantrel::net {

enum class MailFault {
  UnsendableLogin,  // the user name or the password holds a line break or a zero byte
  LoginDisabled,    // the server takes no password by LOGIN
  NoUnseenCount,    // the server gave no count of unread messages
  AnswerTooLong,    // the server announced more than is ever read
  IdleEnded,        // the server ended IDLE by itself
  IdleRefused,      // the server refuses IDLE
  NoIdle,           // the server does not offer IDLE
  // Not a kind: one past the last, for tables over them all.
  End,
};

std::string_view mailFaultWords(MailFault fault);

}  // namespace vantrel::net
