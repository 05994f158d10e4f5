#include "net/mail_faults.h"

namespace vantrel::net {

std::string_view mailFaultWords(MailFault fault) {
  switch (fault) {
    case MailFault::UnsendableLogin:
      return "User name or password holds a line break or a zero byte";
    case MailFault::LoginDisabled:
      return "The server takes no password by LOGIN";
    case MailFault::NoUnseenCount:
      return "The server gave no count of unread messages";
    case MailFault::AnswerTooLong:
      return "The server announced a literal too long to read";
    case MailFault::IdleEnded:
      return "The server ended IDLE by itself";
    case MailFault::IdleRefused:
      return "The server refuses IDLE";
    case MailFault::NoIdle:
      return "The server does not offer IDLE";
    case MailFault::End:
      break;
  }
  return {};
}

}  // namespace vantrel::net
