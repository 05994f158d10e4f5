#include "app/push_status.h"

#include "mailtext/charsets.h"

namespace vantrel::app {

std::optional<ResultLine> pushStatusText(const TLangTexts& t, const PushStatus& status) {
  const auto withReason = [&](const std::string& text) -> ResultLine {
    const auto reason = resultReasonText(t, status.why);
    const auto timed = replacePlaceholder(text, kPlaceholderTime, timeText(status.at));
    if (!reason.utf8) return {replacePlaceholder(timed, kPlaceholderReason, reason.text)};
    return {replacePlaceholder(mailtext::windows1252ToUtf8(timed), kPlaceholderReason, reason.text),
            true};
  };
  switch (status.state) {
    case PushState::Opening:
      return std::nullopt;
    case PushState::Idling:
      return ResultLine{
          replacePlaceholder(t.lblAccountPushIdling, kPlaceholderTime, timeText(status.at))};
    case PushState::Retrying:
      return withReason(t.lblAccountPushRetry);
    case PushState::NoNetwork:
      return ResultLine{t.lblAccountPushNoNetwork};
    case PushState::Stopped:
      return withReason(t.lblAccountPushStopped);
    case PushState::WithoutIdle:
      return ResultLine{t.lblAccountPushNoIdle};
  }
  return std::nullopt;
}

ResultLine joinedLines(const ResultLine& first, const ResultLine& second) {
  const auto utf8 = [&](const ResultLine& line) {
    return first.utf8 == second.utf8 || line.utf8 ? line.text
                                                  : mailtext::windows1252ToUtf8(line.text);
  };
  return {utf8(first) + "\n" + utf8(second), first.utf8 || second.utf8};
}

platform::TimeOfDay timeAfter(platform::TimeOfDay now, std::uint32_t ms) {
  constexpr std::uint32_t kMinuteMs = 60000;
  constexpr int kMinutesOfADay = 24 * 60;
  const int minutes =
      now.hour * 60 + now.minute + static_cast<int>((ms + kMinuteMs - 1) / kMinuteMs);
  const int within = minutes % kMinutesOfADay;
  return {within / 60, within % 60};
}

}  // namespace vantrel::app
