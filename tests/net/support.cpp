#include "support.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

namespace vantrel::net::testing {

Platform::Platform() : sockets(testRoot()) {}

std::string base64Decode(const std::string& text) {
  static const std::string alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const auto value = alphabet.find(c);
    if (value == std::string::npos) continue;
    bits = bits << 6 | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>(bits >> count & 0xff);
    }
  }
  return out;
}

std::string headerLine(const std::string& header, const std::string& name) {
  const std::string key = "\n" + name + ": ";
  const auto at = header.find(key);
  if (at == std::string::npos) return {};
  const auto start = at + key.size();
  return header.substr(start, header.find("\r\n", start) - start);
}

std::string testRoot() {
  const char* path = std::getenv("VANTREL_TEST_CA");
  return path != nullptr ? path : "";
}

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string fileText(const char* variable) {
  const char* path = std::getenv(variable);
  return path != nullptr ? fileBytes(path) : std::string();
}

bool logHasLine(const char* variable, std::initializer_list<std::string> texts) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::istringstream log(fileText(variable));
    for (std::string line; std::getline(log, line);) {
      bool all = true;
      for (const std::string& text : texts) all = all && line.find(text) != std::string::npos;
      if (all) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

const std::vector<MailboxMessage> kSummariesMailbox = {
    {"=?UTF-8?Q?Ren=C3=A9e_Dupr=C3=A9?= <renee@example.com>",
     "=?UTF-8?B?0J/RgNC40LLQtdGCLCDQvNC40YA=?=", "<m1@example.com>", 190},
    {"=?ISO-8859-1?Q?J=F6rg_M=FCller?= <jorg@example.com>",
     "=?ISO-8859-1?Q?Caf=E9_cr=E8me_=E0_10h?=", "<m2@example.com>", 187},
    {"=?ISO-8859-5?B?wdXg09XZ?= <sergei@example.com>",
     "=?iso-8859-5?B?vuLn8eIg19Ag3NDg4g==?=", "<m3@example.com>", 180},
    {"=?windows-1251?B?xOzo8vDo6Q==?= <dmitri@example.com>",
     "=?windows-1251?B?0fe48iC5IDQy?=", "<m4@example.com>", 180},
    {"=?Shift_JIS?B?jlKTY5G+mFk=?= <yamada@example.jp>",
     "=?Shift_JIS?B?ie+LY4LMjpGXvw==?=", "<m5@example.com>", 177},
    // Folded over three lines: unfolded, the blanks of the folds kept.
    {"Folded Sender <folded@example.com>",
     "=?UTF-8?Q?Un_sujet_tr=C3=A8s?= =?UTF-8?Q?_long_qui_continue?=\t=?UTF-8?Q?_sur_trois_lignes?=",
     "<m6@example.com>", 226},
    {"J\xf6rg <raw@example.com>", "Caf\xe9 cr\xe8me", "<m7@example.com>", 129},
    {"nosubject@example.com", "", "<m8@example.com>", 107},
    {"reader1@example.com", "old 1", "<r1@example.com>", 83},
    {"reader2@example.com", "old 2", "<r2@example.com>", 83},
};

::testing::AssertionResult summariesOf(const std::vector<TSummary>& summaries,
                                       std::initializer_list<std::uint32_t> numbers, bool sized) {
  if (summaries.size() != numbers.size()) {
    return ::testing::AssertionFailure()
           << summaries.size() << " summaries for " << numbers.size() << " messages";
  }
  const auto field = [](const TSummary& summary, const std::string& name) {
    const int at = summary.Header.IndexOfHeader(name);
    return at < 0 ? std::string("(none)") : summary.Header[at];
  };
  auto summary = summaries.begin();
  for (const std::uint32_t number : numbers) {
    const MailboxMessage& message = kSummariesMailbox.at(number - 1);
    const std::string subjectLine =
        *message.subject != '\0' ? std::string("Subject: ") + message.subject : "(none)";
    if (summary->Number != number || summary->From != message.from ||
        summary->Subject != message.subject || summary->MessageId != message.messageId ||
        summary->Bytes != (sized ? message.bytes : 0) ||
        field(*summary, "subject") != subjectLine ||
        field(*summary, "Message-Id") != std::string("Message-ID: ") + message.messageId) {
      return ::testing::AssertionFailure()
             << "message " << number << " read as number " << summary->Number << ", From ["
             << summary->From << "], Subject [" << summary->Subject << "], Message-ID ["
             << summary->MessageId << "], " << summary->Bytes << " bytes, header line ["
             << field(*summary, "Subject") << "]";
    }
    ++summary;
  }
  return ::testing::AssertionSuccess();
}

std::string inboxFlags(int port, const std::string& user, const std::string& password) {
  const std::string command =
      "python3 -c 'import imaplib, sys\n"
      "m = imaplib.IMAP4(\"127.0.0.1\", int(sys.argv[1]))\n"
      "m.login(sys.argv[2], sys.argv[3])\n"
      "m.select(\"INBOX\", readonly=True)\n"
      "for line in m.fetch(\"1:*\", \"(UID FLAGS)\")[1]: print(line.decode())\n"
      "m.logout()' " +
      std::to_string(port) + " " + user + " " + password;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
    out.append(buffer, n);
  }
  return out;
}

long residentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

}  // namespace vantrel::net::testing
