#include "net/http_client.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>

#include "base/ini_file.h"
#include "base/owned_file.h"
#include "base/scope_exit.h"
#include "base/text.h"
#include "net/encoded_lines.h"
#include "net/text.h"
#include "net/url_encoder.h"

namespace vantrel::net {

namespace {

constexpr std::size_t kMaxPath = 256;
constexpr std::size_t kMaxValue = 256;
constexpr int kMaxReservedBody = 64 << 20;

constexpr const char* kVerbs[] = {"GET ",  "OPTIONS ", "HEAD ",   "POST ", "PUT ",    "PATCH ",
                                  "COPY ", "MOVE ",    "DELETE ", "LINK ", "UNLINK ", "TRACE "};

// The header value from a 1-based character position on, without its line end, bounded.
std::string headerValue(const std::string& line, std::size_t from) {
  if (line.size() < from) return {};
  return std::string(withoutLineEnd(std::string_view(line).substr(from - 1)).substr(0, kMaxValue));
}

int firstNumberAfter(const std::string& text, std::size_t from) {
  const std::size_t start = text.find_first_of("0123456789", from);
  if (start == std::string::npos) return 0;
  long long value = 0;
  for (std::size_t i = start; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
       ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(value);
}

bool sendsBody(CmdType kind) {
  return kind == CmdType::Post || kind == CmdType::Put || kind == CmdType::Patch ||
         kind == CmdType::Trace;
}

bool sendsLength(CmdType kind) {
  return sendsBody(kind) || kind == CmdType::Link || kind == CmdType::Unlink;
}

// The size of a file to send, or 0 when it cannot be read.
std::uintmax_t fileSize(const std::string& name) {
  const auto file = base::openFile(name, "rb");
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(file.get());
  return size < 0 ? 0 : static_cast<std::uintmax_t>(size);
}

}  // namespace

THttpClient::THttpClient(platform::EventLoop& loop, platform::Sockets& sockets)
    : TAsyncSocket(loop, sockets), requestTimer_(loop) {
  requestTimer_.SetEnabled(false);
  requestTimer_.SetOnTimer([this] { requestTimerFired(); });
}

void THttpClient::requestTimerFired() {
  requestTimer_.SetEnabled(false);
  requestTimedOut_ = true;
  Abort();
}

void THttpClient::Abort() {
  lookupDone_ = true;
  Cancel();
}

void THttpClient::ParseURL() {
  if (RequestURL.empty()) throw Exception("Empty URL");
  if (Port == 0) Port = 80;

  const bool hasSlashes = RequestURL.find("//") != std::string::npos;
  const std::size_t firstSlash = RequestURL.find('/');
  if (hasSlashes) {
    RequestPath = RequestURL.substr(NthCharPos(RequestURL, '/', 3) - 1).substr(0, kMaxPath);
  } else if (firstSlash != std::string::npos) {
    RequestPath = RequestURL.substr(firstSlash, kMaxPath);
  } else {
    RequestPath.clear();
  }

  if (const std::size_t colon = RequestURL.find(':'); colon != std::string::npos) {
    const std::string scheme = base::toUpperAscii(RequestURL.substr(0, colon));
    if (scheme == "GOPHER") {
      Port = 70;
    } else if (scheme == "FTP") {
      Port = 21;
    } else if (scheme == "HTTPS") {
      throw Exception("HTTP Secure Socket is not supported");
    } else {
      Port = 80;
    }
  }

  std::string hostPart;
  if (hasSlashes) {
    hostPart = NthField(RequestURL, '/', 3);
  } else if (firstSlash != 0) {
    hostPart = NthField(RequestURL, '/', 1);
  }
  if (const std::size_t colon = hostPart.find(':'); colon != std::string::npos) {
    const std::string portText = hostPart.substr(colon + 1);
    const auto port = base::parseInteger(portText);
    if (!port) throw EConvertError("'" + portText + "' is not a valid integer value");
    Port = *port;
    hostPart.resize(colon);
  }
  if (!hostPart.empty()) Host = hostPart;

  if (RequestPath.empty()) {
    RequestPath = "/";
    RequestURL += "/";
  }
}

void THttpClient::BuildRequestHeader() {
  HeaderList.Clear();
  HeaderList.Add(kVerbs[static_cast<int>(RequestKind)] +
                 (Proxy.empty() ? RequestPath : RequestURL) + " HTTP/1.0");
  if (!Proxy.empty()) {
    HeaderList.Add("Proxy-Connection: Keep-Alive");
    HeaderList.Add("Host: " + Host);
  }
  HeaderList.SetHeader("Host", Host);
  HeaderList.Add("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
  HeaderList.Add("Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
  HeaderList.SetHeader("User-Agent", HeaderInfo.LocalProgram);
  HeaderList.SetHeader("From", HeaderInfo.LocalMailAddress);
  HeaderList.SetHeader("Cookie", HeaderInfo.Cookie);
  HeaderList.SetHeader("Referer", HeaderInfo.Referer);
  if (!HeaderInfo.UserId.empty() && !HeaderInfo.Password.empty()) {
    HeaderList.SetHeader("Authorization",
                         "Basic " + Base64OneLine(HeaderInfo.UserId + ":" + HeaderInfo.Password));
  }
  HeaderList.Add("Content-type: application/x-www-form-urlencoded");
  if (RequestKind == CmdType::Copy || RequestKind == CmdType::Move) {
    HeaderList.Add("URI-header: " + LinkParam);
  } else if (RequestKind == CmdType::Link || RequestKind == CmdType::Unlink) {
    HeaderList.Add("Link: " + LinkParam);
  }
  if (sendsLength(RequestKind)) {
    std::uintmax_t length = SendData.size();
    if (OutputFileMode) length = fileSize(SendData);
    HeaderList.Add("Content-Length: " + std::to_string(length));
  }
}

void THttpClient::SendRequest() {
  for (int i = 0; i < HeaderList.Count(); ++i) Write(HeaderList[i] + "\r\n");
  Writeln("");
  if (!sendsBody(RequestKind)) return;
  if (OutputFileMode) {
    SendFile(SendData);
  } else {
    Write(SendData);
  }
}

void THttpClient::ReadResponseHeader() {
  bytesTotal_ = 0;
  ReceivedCookie.clear();
  base::OwnedFile file;
  if (OutputFileMode) {
    file = base::openFile(Header, "wb");
    if (!file) throw Exception("Cannot create file " + Header);
  } else {
    Header.clear();
  }
  const auto keep = [&](const std::string& line) {
    if (OutputFileMode) {
      std::fwrite(line.data(), 1, line.size(), file.get());
    } else {
      Header += line;
    }
  };

  std::size_t kept = 0;
  const auto bounded = [&](const std::string& line) {
    kept += line.size();
    if (MaxHeaderSize >= 0 && kept > static_cast<std::size_t>(MaxHeaderSize)) {
      throw ESockError("Header too long");
    }
  };

  std::string line;
  ReadLn(line);
  bounded(line);
  if (!line.empty()) {
    // Without a reason phrase the code is the last field, before the line end.
    const auto code = base::parseInteger(NthField(withoutLineEnd(line), ' ', 2));
    replyNumber_ = code && *code >= std::numeric_limits<std::int16_t>::min() &&
                           *code <= std::numeric_limits<std::int16_t>::max()
                       ? static_cast<std::int16_t>(*code)
                       : 0;
  }
  keep(line);
  do {
    ReadLn(line);
    bounded(line);
    const std::string name = NthField(base::toUpperAscii(line), ' ', 1);
    if (name == "SET-COOKIE:") {
      ReceivedCookie = headerValue(line, 13);
    } else if (name == "LOCATION:") {
      Location = headerValue(line, 11);
    } else if (name == "CONTENT-LENGTH:") {
      bytesTotal_ = firstNumberAfter(line, name.size());
    }
    keep(line);
  } while (line != "\n" && line != "\r\n" && !line.empty());
}

int THttpClient::round() {
  Connect();
  SendRequest();
  replyNumber_ = 0;
  ReadResponseHeader();
  if (InputFileMode) {
    CaptureFile(Body);
  } else {
    // Room for the announced length saves copying a long body again and again; the bound keeps
    // a lying header from reserving much more than will come. Body keeps its room between
    // requests. One byte past the bound tells a body that is too long from one that just fits.
    const int limit =
        MaxBodySize < 0 ? -1 : std::min(MaxBodySize, std::numeric_limits<int>::max() - 1) + 1;
    Body.clear();
    Body.reserve(static_cast<std::size_t>(limit < 0 ? std::min(BytesTotal(), kMaxReservedBody)
                                                    : std::min(limit, kMaxReservedBody)));
    CaptureString(Body, limit);
    if (limit >= 0 && Body.size() >= static_cast<std::size_t>(limit)) {
      Body.resize(static_cast<std::size_t>(limit - 1));
      throw ESockError("Answer too long");
    }
  }
  const int code = ReplyNumber();
  // The exchange is over: a handler that keeps a dialog open is not the peer's delay.
  if (code < 299 || code > 399) requestTimer_.SetEnabled(false);
  if (code < 299) {
    if (OnSuccess) OnSuccess(RequestKind);
    ReportStatus(StatusLevel::Completed, "Transaction Completed");
  } else if (code > 399) {
    if (OnFailure) OnFailure(RequestKind);
  } else if (code <= 302 && code >= 300) {
    RequestURL = Location;
  }
  return code;
}

void THttpClient::ExecuteRequest() {
  // Before anything of the request in progress is touched, and before its socket is closed.
  refuseNested();
  requestTimedOut_ = false;
  requestTimer_.SetInterval(static_cast<std::uint32_t>(std::max(RequestTimeOut, 0)));
  requestTimer_.SetEnabled(RequestTimeOut > 0);
  const base::ScopeExit timerOff([this] { requestTimer_.SetEnabled(false); });

  for (int rounds = 1;; ++rounds) {
    if (rounds > kMaxRounds) throw Exception("Too many redirections");
    if (requestTimedOut_) throw ESockError("Request Timed Out");
    ParseURL();
    BuildRequestHeader();
    if (OnAboutToSend) OnAboutToSend(*this);
    int code = 0;
    try {
      code = round();
    } catch (...) {
      Disconnect();
      if (requestTimedOut_) throw ESockError("Request Timed Out");
      throw;
    }
    Disconnect();
    if (code >= 300 && code <= 398) {
      bool handled = false;
      if (!ReceivedCookie.empty()) HeaderInfo.Cookie = ReceivedCookie;
      if (OnRedirect) OnRedirect(handled);
      if (handled) return;
      if (RequestURL.find('/') == std::string::npos) {
        RequestURL = "http://" + Host + "/" + RequestURL;
      }
    }
    if (code == 401 && OnAuthenticationNeeded) OnAuthenticationNeeded(*this);
    if (code < 299 || code > 399) return;
  }
}

void THttpClient::request(CmdType kind, const std::string& url) {
  RequestURL = url;
  RequestKind = kind;
  ExecuteRequest();
}

void THttpClient::Options(const std::string& url) {
  request(CmdType::Options, url);
}
void THttpClient::Get(const std::string& url) {
  request(CmdType::Get, url);
}
void THttpClient::Head(const std::string& url) {
  request(CmdType::Head, url);
}
void THttpClient::Delete(const std::string& url) {
  request(CmdType::Delete, url);
}

void THttpClient::Post(const std::string& url, const std::string& data) {
  if (EncodePostData && !OutputFileMode) {
    TUrlEncoder encoder;
    encoder.InputString = data;
    SendData = encoder.Encode();
  } else {
    SendData = data;
  }
  request(CmdType::Post, url);
}

void THttpClient::Put(const std::string& url, const std::string& data) {
  SendData = data;
  request(CmdType::Put, url);
}

void THttpClient::Patch(const std::string& url, const std::string& data) {
  SendData = data;
  request(CmdType::Patch, url);
}

void THttpClient::Trace(const std::string& url, const std::string& data) {
  SendData = data;
  request(CmdType::Trace, url);
}

void THttpClient::Copy(const std::string& url, const std::string& linkParam) {
  LinkParam = linkParam;
  request(CmdType::Copy, url);
}

void THttpClient::Move(const std::string& url, const std::string& linkParam) {
  LinkParam = linkParam;
  request(CmdType::Move, url);
}

void THttpClient::Link(const std::string& url, const std::string& linkParam) {
  LinkParam = linkParam;
  SendData = "Send.dat";
  request(CmdType::Link, url);
}

void THttpClient::Unlink(const std::string& url, const std::string& linkParam) {
  LinkParam = linkParam;
  SendData = "Send.dat";
  request(CmdType::Unlink, url);
}

}  // namespace vantrel::net
