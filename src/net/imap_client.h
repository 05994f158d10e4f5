#pragma once
// TImapClient: logs in to one IMAP mailbox, reads the number of unread messages of its inbox
// and logs out: inside the inbox opened read-only where the server offers ESEARCH, with STATUS
// otherwise. A plain connection to a server that offers STARTTLS is secured before the login; one
// to a server that refuses passwords in clear text, or that has offered TLS before, or with a
// password that has gone over TLS before, never sends one. On request, before the logout, the
// summaries of the newest unread messages.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/imap_answers.h"
#include "net/imap_login_rules.h"
#include "net/imap_summary_answers.h"
#include "net/mail_client.h"
#include "net/mail_summary.h"

namespace vantrel::net {

// OnConnect follows a count that succeeded, with the connection still open.
class TImapClient : public TMailClient {
 public:
  TImapClient(platform::EventLoop& loop, platform::Sockets& sockets,
              SecureServers* secureServers = nullptr);

  // Set before Connect: how many of the newest unread messages the count names too, for
  // NewestMark and RetrieveUnseenSummaries; 0, the count alone, costs the server least.
  int NewestWanted = 0;

  // LOGOUT, read up to its answer; a server that says goodbye and hangs up is fine.
  void Disconnect() override;

  int UnseenCount() const { return count_; }
  // With NewestWanted above 0, what identifies the newest unread messages the count found: the
  // same text at the next count, the same messages. Empty when the server told nothing that does.
  const std::string& NewestMark() const { return mark_; }
  // The [ALERT]s the server sent since they were last taken, which its user must read: a few at
  // most, each cut to what a message box can show.
  std::vector<std::string> TakeAlerts();
  // Whether the refused LOGIN that OnAuthenticationFailed is asked about came with an [ALERT]
  // alone: the server says why in the alert, which may ask for another password or not.
  bool LoginRefusedWithAlert() const { return loginAlerted_; }

  // For the owner's OnConnect, the connection still open after the count: the summaries of the
  // newest `newest` unread messages of the inbox (the highest UIDs), newest first, within one
  // TimeOut: of those the count named (NewestWanted at most) when it searched, else of those a
  // search finds now. The inbox is opened read-only and the headers fetched with BODY.PEEK, so no
  // flag changes. Raises nothing for the server's sake, and gives what it had when it stopped: a
  // refusal leaves the connection as it was; an answer past its bound, a goodbye, a hang-up or
  // the time-out leave it closed.
  std::vector<TSummary> RetrieveUnseenSummaries(int newest);

 private:
  struct Reply {
    ImapLine line;
    std::string text;
  };
  using Untagged = std::function<void(const ImapAnswer& answer, const ImapLine& line)>;

  void dialogue(bool& announce) override;
  std::vector<std::string> askCapabilities();
  void upgrade();
  Login login();
  // Sends LOGIN, its user name and password as literals where quoting cannot carry them.
  Reply sendLogin();
  void sendLiteral(const std::string& bytes);
  Reply command(const std::string& text, const Untagged& untagged = {});
  // The next answer with its literals read; none when the server hung up.
  std::optional<ImapAnswer> readAnswer();
  // Reads up to the answer tagged `tag` (or a continuation, if asked), handing the untagged
  // ones to `untagged`; none when the server hung up first.
  std::optional<Reply> readUpTo(const std::string& tag, const Untagged& untagged,
                                bool continuation);
  // As readUpTo, but a goodbye or a hang-up ends the conversation with an ESockError.
  Reply expect(const std::string& tag, const Untagged& untagged = {}, bool continuation = false);
  std::string nextTag();
  // The server has said its last word: closes without a goodbye of ours and raises ESockError.
  [[noreturn]] void leave(const std::string& why);
  // Keeps the capabilities an answer announces, with the tag they came under.
  void noteCapabilities(const std::string& answer);

  // The count side (imap_count.cpp): the count, and what the summaries need of it.
  void countUnseen();
  // Whether the server offers `name` now that it has let us in: none when it has not said.
  std::optional<bool> offeredSinceLogin(const char* name) const;

  // The summary side (imap_summaries.cpp).
  using Pieces = std::function<void(std::string_view)>;
  bool offersEsearch();
  // EXAMINE and the UIDs of the newest unread messages, for a count that did not search.
  std::vector<std::uint32_t> searchAfterStatus(std::size_t newest);
  std::vector<std::uint32_t> searchUnseen(bool esearch, std::size_t newest);
  void fetchSummaries(SummaryCollector& found, const std::vector<std::uint32_t>& uids);
  // As readAnswer, but a line may be of any length: each piece of it goes to `pieces` as it
  // comes, and only its start is kept. Literals are kept to TSummary::kKeptHeader bytes; one
  // announced past its bound closes the connection and raises ESockError.
  std::optional<ImapAnswer> readLongAnswer(const Pieces& pieces);
  // As expect, with readLongAnswer.
  Reply expectLong(const std::string& tag, const Pieces& pieces, const Untagged& untagged);

  unsigned tags_ = 0;
  ImapAlerts alerts_;
  bool loginAlerted_ = false;
  struct Capabilities {
    unsigned tag = 0;  // of the command under way when they came; 0 before any
    std::vector<std::string> names;
  };
  std::optional<Capabilities> heard_;
  // Of the last count: whether ESEARCH was offered (none: not said), whether it searched, the
  // UIDs it named newest first, and NewestMark.
  std::optional<bool> esearch_;
  bool searched_ = false;
  std::vector<std::uint32_t> newest_;
  std::string mark_;
};

}  // namespace vantrel::net
