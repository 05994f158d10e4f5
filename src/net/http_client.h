#pragma once
// THttpClient: HTTP/1.0, one request per connection, the answer read until the server closes,
// redirections followed by repeating the request.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "net/async_socket.h"
#include "net/ex_string_list.h"

namespace vantrel::net {

enum class CmdType {
  Get = 0,
  Options = 1,
  Head = 2,
  Post = 3,
  Put = 4,
  Patch = 5,
  Copy = 6,
  Move = 7,
  Delete = 8,
  Link = 9,
  Unlink = 10,
  Trace = 11,
};

using TResultEvent = std::function<void(CmdType cmd)>;

struct THeaderInfo {
  std::string LocalMailAddress;
  std::string LocalProgram;
  std::string Cookie;
  std::string Referer;
  std::string UserId;
  std::string Password;
};

class THttpClient : public TAsyncSocket {
 public:
  // Bounds a cycle of redirections that would otherwise never end.
  static constexpr int kMaxRounds = 20;

  THttpClient(platform::EventLoop& loop, platform::Sockets& sockets);

  // Bounds of one request operation, every round of it included, for a peer that will not stop:
  // the whole operation in milliseconds, and the bytes kept of the answer header and (in text
  // mode) of the body. Past a bound the operation raises; 0 (time) or -1 (sizes) sets none.
  int RequestTimeOut = 0;
  int MaxHeaderSize = -1;
  int MaxBodySize = -1;

  std::string Body = "Default.htm";
  std::string Header = "Head.txt";
  THeaderInfo HeaderInfo;
  bool InputFileMode = false;
  bool OutputFileMode = false;

  TNotifyEvent OnAboutToSend;
  TResultEvent OnSuccess;
  TResultEvent OnFailure;
  THandlerEvent OnRedirect;
  TNotifyEvent OnAuthenticationNeeded;

  std::string RequestURL;
  std::string RequestPath;
  CmdType RequestKind = CmdType::Get;
  std::string SendData;
  std::string LinkParam;
  std::string ReceivedCookie;
  std::string Location;
  TExStringList HeaderList;
  bool EncodePostData = true;

  void Abort() override;
  // The last request operation ran out of RequestTimeOut.
  bool RequestTimedOut() const { return requestTimedOut_; }

  virtual void ExecuteRequest();
  virtual void ParseURL();
  virtual void BuildRequestHeader();
  virtual void ReadResponseHeader();
  virtual void SendRequest();

  void Options(const std::string& url);
  void Get(const std::string& url);
  void Post(const std::string& url, const std::string& data);
  void Put(const std::string& url, const std::string& data);
  void Head(const std::string& url);
  void Patch(const std::string& url, const std::string& data);
  void Delete(const std::string& url);
  void Trace(const std::string& url, const std::string& data);
  void Copy(const std::string& url, const std::string& linkParam);
  void Move(const std::string& url, const std::string& linkParam);
  void Link(const std::string& url, const std::string& linkParam);
  void Unlink(const std::string& url, const std::string& linkParam);

 private:
  void request(CmdType kind, const std::string& url);
  // One round: connect, send, read the answer; the status code of the answer.
  int round();
  void requestTimerFired();

  TThreadTimer requestTimer_;
  bool requestTimedOut_ = false;
};

}  // namespace vantrel::net
