#include "app/account_results.h"

#include "app/server_words.h"
#include "mailtext/charsets.h"
#include "net/errors.h"

namespace vantrel::app {
namespace {

AccountResult outcome(CheckOutcome what, std::string detail = {}) {
  AccountResult result;
  result.outcome = what;
  result.detail = std::move(detail);
  return result;
}

bool quotesServer(CheckOutcome outcome) {
  return outcome == CheckOutcome::ServerRefusal || outcome == CheckOutcome::ServerAnswer;
}

// In Windows-1252, or in UTF-8 where it quotes the server.
std::string reasonText(const TLangTexts& t, const AccountResult& result) {
  const auto with = [&](const std::string& text, std::string_view detail) {
    return replacePlaceholder(text, kPlaceholderReason, detail);
  };
  const auto quoting = [&](const std::string& text) {
    return quotingServer(text, kPlaceholderReason, result.detail);
  };
  switch (result.outcome) {
    case CheckOutcome::Counted:
      return replacePlaceholder(t.resultCount, kPlaceholderCount, std::to_string(result.count));
    case CheckOutcome::NoPassword:
      return t.resultNoPassword;
    case CheckOutcome::ServerChanged:
      return t.resultServerChanged;
    case CheckOutcome::NoUserName:
      return t.resultNoUserName;
    case CheckOutcome::PasswordRefused:
      return t.resultPasswordRefused;
    case CheckOutcome::ServerRefusal:
      return quoting(t.resultServerRefusal);
    case CheckOutcome::ServerNotFound:
      return t.resultServerNotFound;
    case CheckOutcome::NoConnection:
      return t.resultNoConnection;
    case CheckOutcome::NoAnswer:
      return t.resultNoAnswer;
    case CheckOutcome::ConnectionLost:
      return t.resultConnectionLost;
    case CheckOutcome::SecureRefused:
      return with(t.resultSecureRefused, tlsRefusalText(t, result.refusal, result.detail));
    case CheckOutcome::ServerAnswer:
      return quoting(t.resultServerAnswer);
    case CheckOutcome::NoNetwork:
      return t.resultNoNetwork;
  }
  return {};
}

}  // namespace

std::string timeText(platform::TimeOfDay at) {
  const auto twoDigits = [](int value) {
    const int within = value < 0 ? 0 : value % 100;
    return std::string{static_cast<char>('0' + within / 10), static_cast<char>('0' + within % 10)};
  };
  return twoDigits(at.hour) + ":" + twoDigits(at.minute);
}

AccountResult failedCheck(const std::exception_ptr& failure, const FailureSigns& signs) {
  try {
    if (failure) std::rethrow_exception(failure);
  } catch (const net::ETlsError& error) {
    auto result = outcome(CheckOutcome::SecureRefused, error.Reason());
    result.refusal = error.Refusal();
    return result;
  } catch (const net::EAuthenticationFailed&) {
    return outcome(CheckOutcome::PasswordRefused);
  } catch (const net::EServerRefusal& refusal) {
    return outcome(CheckOutcome::ServerRefusal, serverWords(refusal.ServerText()));
  } catch (const std::exception& error) {
    // A name that did not resolve is asked about before any wait could run out of time; a
    // connect that did not come in time is told like one that was refused.
    if (signs.hostNotFound) return outcome(CheckOutcome::ServerNotFound);
    if (signs.timedOut) return outcome(CheckOutcome::NoAnswer);
    if (signs.connectionFailed) return outcome(CheckOutcome::NoConnection);
    // A server that hangs up leaves an empty reply, or a socket's error.
    const std::string said = serverWords(error.what());
    if (dynamic_cast<const net::ESockError*>(&error) || said.empty()) {
      return outcome(CheckOutcome::ConnectionLost);
    }
    return outcome(CheckOutcome::ServerAnswer, said);
  }
  return outcome(CheckOutcome::ConnectionLost);
}

std::string tlsRefusalText(const TLangTexts& t, platform::TlsRefusal refusal,
                           const std::string& reason) {
  using platform::TlsRefusal;
  const std::string* text = nullptr;
  switch (refusal) {
    case TlsRefusal::Other:
      break;
    case TlsRefusal::Untrusted:
      text = &t.tlsUntrusted;
      break;
    case TlsRefusal::OtherName:
      text = &t.tlsOtherName;
      break;
    case TlsRefusal::Expired:
      text = &t.tlsExpired;
      break;
    case TlsRefusal::Revoked:
      text = &t.tlsRevoked;
      break;
    case TlsRefusal::Authority:
      text = &t.tlsAuthority;
      break;
    case TlsRefusal::NotForServers:
      text = &t.tlsNotForServers;
      break;
    case TlsRefusal::CannotSign:
      text = &t.tlsCannotSign;
      break;
    case TlsRefusal::Unreadable:
      text = &t.tlsUnreadable;
      break;
    case TlsRefusal::NoServerName:
      text = &t.tlsNoServerName;
      break;
    case TlsRefusal::NoTls12:
      text = &t.tlsNoTls12;
      break;
    case TlsRefusal::NothingInCommon:
      text = &t.tlsNothingInCommon;
      break;
    case TlsRefusal::PasswordSecuredBefore:
      text = &t.tlsPasswordSecuredBefore;
      break;
  }
  return text && !text->empty() ? *text : reason;
}

ResultLine accountResultText(const TLangTexts& t, const AccountResult* result, bool ticked) {
  if (!ticked) return {t.lblAccountResultLeftOut};
  if (!result) return {t.lblAccountResultNotChecked};
  std::string text = t.lblAccountResultChecked;
  if (result->securedBy != platform::TlsEngine::None) {
    text =
        replacePlaceholder(t.lblAccountResultSecure, kPlaceholderEngine,
                           result->securedBy == platform::TlsEngine::System ? result->systemEngine
                                                                            : t.tlsEngineBuiltIn);
  }
  text = replacePlaceholder(text, kPlaceholderTime, timeText(result->at));
  const auto reason = resultReasonText(t, *result);
  if (!reason.utf8) return {replacePlaceholder(text, kPlaceholderReason, reason.text)};
  return {replacePlaceholder(mailtext::windows1252ToUtf8(text), kPlaceholderReason, reason.text),
          true};
}

ResultLine resultReasonText(const TLangTexts& t, const AccountResult& result) {
  return {reasonText(t, result), quotesServer(result.outcome)};
}

}  // namespace vantrel::app
