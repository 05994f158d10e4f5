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

struct RefusalField {
  platform::TlsRefusal refusal;
  std::string TLangTexts::*field;
};
constexpr RefusalField kRefusalFields[] = {
    {platform::TlsRefusal::Untrusted, &TLangTexts::tlsUntrusted},
    {platform::TlsRefusal::OtherName, &TLangTexts::tlsOtherName},
    {platform::TlsRefusal::Expired, &TLangTexts::tlsExpired},
    {platform::TlsRefusal::Revoked, &TLangTexts::tlsRevoked},
    {platform::TlsRefusal::Authority, &TLangTexts::tlsAuthority},
    {platform::TlsRefusal::NotForServers, &TLangTexts::tlsNotForServers},
    {platform::TlsRefusal::CannotSign, &TLangTexts::tlsCannotSign},
    {platform::TlsRefusal::Unreadable, &TLangTexts::tlsUnreadable},
    {platform::TlsRefusal::NoServerName, &TLangTexts::tlsNoServerName},
    {platform::TlsRefusal::NoTls12, &TLangTexts::tlsNoTls12},
    {platform::TlsRefusal::NothingInCommon, &TLangTexts::tlsNothingInCommon},
    {platform::TlsRefusal::OlderVersion, &TLangTexts::tlsOlderVersion},
    {platform::TlsRefusal::NoCertificate, &TLangTexts::tlsNoCertificate},
    {platform::TlsRefusal::ChainTooLong, &TLangTexts::tlsChainTooLong},
    {platform::TlsRefusal::CertificateRefused, &TLangTexts::tlsCertificateRefused},
    {platform::TlsRefusal::ChainInvalid, &TLangTexts::tlsChainInvalid},
    {platform::TlsRefusal::CannotCheck, &TLangTexts::tlsCannotCheck},
    {platform::TlsRefusal::ClientCertificate, &TLangTexts::tlsClientCertificate},
    {platform::TlsRefusal::Renegotiation, &TLangTexts::tlsRenegotiation},
    {platform::TlsRefusal::HandshakeClosed, &TLangTexts::tlsHandshakeClosed},
    {platform::TlsRefusal::HandshakeBroken, &TLangTexts::tlsHandshakeBroken},
    {platform::TlsRefusal::BrokenOff, &TLangTexts::tlsBrokenOff},
    {platform::TlsRefusal::HandshakeFailed, &TLangTexts::tlsHandshakeFailed},
    {platform::TlsRefusal::CannotStart, &TLangTexts::tlsCannotStart},
    {platform::TlsRefusal::Unusable, &TLangTexts::tlsUnusable},
    {platform::TlsRefusal::OfferedThenRefused, &TLangTexts::tlsOfferedThenRefused},
    {platform::TlsRefusal::SecureNoMore, &TLangTexts::tlsSecureNoMore},
    {platform::TlsRefusal::PreauthInClear, &TLangTexts::tlsPreauthInClear},
    {platform::TlsRefusal::NoSecureLogin, &TLangTexts::tlsNoSecureLogin},
    {platform::TlsRefusal::PasswordSecuredBefore, &TLangTexts::tlsPasswordSecuredBefore},
};

struct FaultField {
  net::MailFault fault;
  std::string TLangTexts::*field;
};
constexpr FaultField kFaultFields[] = {
    {net::MailFault::UnsendableLogin, &TLangTexts::faultUnsendableLogin},
    {net::MailFault::LoginDisabled, &TLangTexts::faultLoginDisabled},
    {net::MailFault::NoUnseenCount, &TLangTexts::faultNoUnseenCount},
    {net::MailFault::AnswerTooLong, &TLangTexts::faultAnswerTooLong},
    {net::MailFault::IdleEnded, &TLangTexts::faultIdleEnded},
    {net::MailFault::IdleRefused, &TLangTexts::faultIdleRefused},
    {net::MailFault::NoIdle, &TLangTexts::faultNoIdle},
};

// The language's text, or the component's own words where it has none.
std::string textOr(const TLangTexts& t, std::string TLangTexts::*field, std::string_view words) {
  return field && !(t.*field).empty() ? t.*field : std::string(words);
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
    case CheckOutcome::Fault:
      return textOr(t, mailFaultField(result.fault), net::mailFaultWords(result.fault));
    case CheckOutcome::ServerAnswer:
      return quoting(t.resultServerAnswer);
    case CheckOutcome::NoNetwork:
      return t.resultNoNetwork;
    case CheckOutcome::End:
      break;
  }
  return {};
}

AccountResult faulted(net::MailFault fault) {
  auto result = outcome(CheckOutcome::Fault);
  result.fault = fault;
  return result;
}

AccountResult secureRefused(std::string reason, platform::TlsRefusal refusal) {
  auto result = outcome(CheckOutcome::SecureRefused, std::move(reason));
  result.refusal = refusal;
  return result;
}

// What the socket's signs tell of a failure, before its message is read. A name that did not
// resolve is asked about before any wait could run out of time; a connect that did not come in
// time is told like one that was refused. Without a sign: the connection was lost.
AccountResult signedFailure(const FailureSigns& signs) {
  if (signs.hostNotFound) return outcome(CheckOutcome::ServerNotFound);
  if (signs.timedOut) return outcome(CheckOutcome::NoAnswer);
  if (signs.connectionFailed) return outcome(CheckOutcome::NoConnection);
  return outcome(CheckOutcome::ConnectionLost);
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
    return secureRefused(error.Reason(), error.Refusal());
  } catch (const net::EAuthenticationFailed&) {
    return outcome(CheckOutcome::PasswordRefused);
  } catch (const net::EServerRefusal& refusal) {
    return outcome(CheckOutcome::ServerRefusal, serverWords(refusal.ServerText()));
  } catch (const net::EMailFault& fault) {
    return faulted(fault.Fault());
  } catch (const net::ESockError&) {
    // A server that hangs up leaves a socket's error.
    return signedFailure(signs);
  } catch (const std::exception& error) {
    const auto bySigns = signedFailure(signs);
    if (bySigns.outcome != CheckOutcome::ConnectionLost) return bySigns;
    // A server that hangs up may also leave an empty reply.
    const std::string said = serverWords(error.what());
    if (said.empty()) return bySigns;
    return outcome(CheckOutcome::ServerAnswer, said);
  }
  return outcome(CheckOutcome::ConnectionLost);
}

AccountResult endedPush(const net::ImapPushSession::End& end) {
  using Reason = net::ImapPushSession::EndReason;
  using Why = net::ConnectionEnd::Why;
  if (end.fault) return faulted(*end.fault);
  switch (end.reason) {
    case Reason::PasswordRefused:
      return outcome(CheckOutcome::PasswordRefused);
    case Reason::SecureRefused:
      return secureRefused(end.tlsReason, end.refusal);
    case Reason::ServerRefused:
      return outcome(CheckOutcome::ServerRefusal, serverWords(end.serverText));
    case Reason::Dropped:
    case Reason::NoIdle:
      break;
  }
  if (end.connection) {
    switch (end.connection->why) {
      case Why::NoSuchHost:
        return outcome(CheckOutcome::ServerNotFound);
      case Why::Unreachable:
        return outcome(CheckOutcome::NoConnection);
      case Why::TimedOut:
        return outcome(CheckOutcome::NoAnswer);
      case Why::TlsRefused:
      case Why::TlsRetry:
        return secureRefused(end.connection->reason, end.connection->refusal);
      case Why::HungUp:
      case Why::Broken:
        break;
    }
  }
  // A goodbye, or another answer than the one the session needed: the server's own words.
  const std::string said = serverWords(end.text);
  if (said.empty()) return outcome(CheckOutcome::ConnectionLost);
  return outcome(CheckOutcome::ServerAnswer, said);
}

std::string TLangTexts::*tlsRefusalField(platform::TlsRefusal refusal) {
  for (const RefusalField& each : kRefusalFields) {
    if (each.refusal == refusal) return each.field;
  }
  return nullptr;
}

std::string TLangTexts::*mailFaultField(net::MailFault fault) {
  for (const FaultField& each : kFaultFields) {
    if (each.fault == fault) return each.field;
  }
  return nullptr;
}

std::string tlsRefusalText(const TLangTexts& t, platform::TlsRefusal refusal,
                           const std::string& reason) {
  const auto field = tlsRefusalField(refusal);
  if (!field || (t.*field).empty()) return reason;
  const std::string_view detail = platform::tlsReasonDetail(reason);
  return detail.empty() ? t.*field : t.*field + " (" + std::string(detail) + ")";
}

ResultLine resultReason(const TLangTexts& t, const AccountResult& result) {
  return {reasonText(t, result), quotesServer(result.outcome)};
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
