#pragma once
// Reading what a mailbox waiting in IDLE is told, without a connection: the notices of a change.

#include "net/imap_answers.h"

namespace vantrel::net {

// Whether an answer tells of a change of the mailbox's messages or of their flags:
// "* n EXISTS", "* n EXPUNGE", "* n FETCH (... FLAGS ...)".
bool tellsOfChange(const ImapLine& line);

}  // namespace vantrel::net
