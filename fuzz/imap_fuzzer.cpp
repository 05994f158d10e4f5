// The IMAP answer reader on any bytes: each line through the pure readers, then the whole
// dialogue against the bytes as the server's stream, the way the mail check drives it, with the
// count naming the newest unread messages and their summaries. The first byte sets the size of the
// packets the stream arrives in.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/imap_answers.h"
#include "net/imap_client.h"
#include "net/imap_summary_answers.h"
#include "net/imap_unseen_count.h"
#include "net/mail_summary.h"
#include "scripted_platform.h"

namespace {

void readLines(std::string_view stream) {
  vantrel::net::NewestUids uids(5);
  uids.feed(stream);
  vantrel::net::TSummary summary;
  vantrel::net::readHeader(stream, summary);
  while (!stream.empty()) {
    const std::size_t end = std::min(stream.find('\n'), stream.size());
    const std::string_view line = stream.substr(0, end);
    stream.remove_prefix(std::min(end + 1, stream.size()));
    const vantrel::net::ImapLine classified = vantrel::net::classifyImapLine(line);
    vantrel::net::capabilitiesOf(classified);
    vantrel::net::responseCode(classified);
    vantrel::net::responseText(classified);
    vantrel::net::literalAtEnd(line);
    vantrel::net::quotedString(line);
    const vantrel::net::ImapAnswer answer{std::string(line), {std::string(line.substr(0, 5))}};
    vantrel::net::inboxStatusOf(answer);
    vantrel::net::uidValidityOf(classified);
    vantrel::net::fetchedItems(answer);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
  readLines(stream);
  vantrel::fuzz::InstantLoop loop;
  vantrel::fuzz::ScriptedSockets sockets(stream, data[0]);
  vantrel::net::TImapClient imap(loop, sockets);
  // The count names the newest five, as the mail check asks, and hands them to the summaries.
  imap.NewestWanted = 5;
  // An accented letter: the password goes as a literal, after the server's go-ahead.
  vantrel::fuzz::checkMail(imap,
                           "s\xe9"
                           "cret",
                           [&imap] { imap.RetrieveUnseenSummaries(5); });
  return 0;
}
