#pragma once
// Where an IMAP account's push stands, and the e-mail tab's line that says it: waiting for news
// since when, or when the next try comes and why.

#include <optional>

#include "app/account_results.h"
#include "app/lang_texts.h"
#include "platform/event_loop.h"

namespace vantrel::app {

enum class PushState {
  Opening,     // logging in and counting: nothing to say yet
  Idling,      // the server tells of news as it comes
  Retrying,    // the connection dropped; opened again at `at`
  NoNetwork,   // opened again once a network is there
  Stopped,     // refused (`why`): not again until the configuration is confirmed or a new
               // password is typed
  WithoutIdle  // the server offers no IDLE: the periodic check alone
};

struct PushStatus {
  PushState state = PushState::Opening;
  platform::TimeOfDay at;  // Idling: since when; Retrying: the next try
  AccountResult why;       // Retrying, Stopped: what ended the last connection
};

// The line, in the language's words; none while the push is opening.
std::optional<ResultLine> pushStatusText(const TLangTexts& texts, const PushStatus& status);

// Two lines as one label shows them, the first above; UTF-8 where either is.
ResultLine joinedLines(const ResultLine& first, const ResultLine& second);

// The time of day `ms` after `now`, whole minutes rounded up: a next try is never shown as due
// before it is.
platform::TimeOfDay timeAfter(platform::TimeOfDay now, std::uint32_t ms);

}  // namespace vantrel::app
