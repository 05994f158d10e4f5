// What waits for a free turn of the mail watch (a check, push's boxes and question, the
// announcement of what push counted), sleep and waking, and the network that goes and comes back.

#include <utility>

#include "app/last_counts.h"
#include "app/mail_push.h"
#include "app/main_form.h"

namespace vantrel::app {

void MailPush::checkWhenFree() {
  checkDue_ = true;
  takeTurnLater();
}

void MailPush::takeTurnLater() {
  if (turn_ || !running_) return;
  auto& loop = platform_.loop;
  turn_ = loop.startTimer(0, [this] {
    platform_.loop.stopTimer(*std::exchange(turn_, std::nullopt));
    takeTurn();
  });
}

void MailPush::takeTurn() {
  // A check's end, or a box's, brings the next turn.
  if (!running_ || form_.mailWatch.checking || asking_ || platform_.loop.quitting()) return;
  if (std::exchange(checkDue_, false)) {
    // The check restarts the timer: its next check comes one interval after this one.
    form_.timerMailTimer();
    if (running_ && !suspended_) openSessions(true);
    return;
  }
  if (!boxes_.empty()) {
    const auto box = std::move(boxes_.front());
    boxes_.erase(boxes_.begin());
    asking_ = true;
    box();
    asking_ = false;
    takeTurnLater();
    return;
  }
  if (std::exchange(announceDue_, false)) announce();
}

void MailPush::announce() {
  auto& watch = form_.mailWatch;
  const bool lines =
      form_.tabMail.checkMailPreview.checked && form_.tabMail.checkMailWindow.checked;
  auto counts = lastCounts(platform_.registry, *form_.iniFile, watch,
                           form_.tabMail.checkVerifyAllId.checked, lines);
  watch.previousTotal = watch.newMailTotal;
  watch.newMailTotal = counts.total;
  watch.found = std::move(counts.found);
  if (form_.NotifyWindowForm) {
    form_.NotifyWindowForm->replaceTree(
        notifyTree(watch.found, form_.langTexts, platform_.textConversion));
  }
  form_.announceNewMail(false);
}

void MailPush::suspend() {
  suspended_ = true;
  resumed_ = false;
  for (auto& [key, pushed] : pushed_) close(pushed);
  checkDue_ = false;
  if (networkWait_) networkWait_->cancel();
}

void MailPush::resume() {
  // Windows tells of one wake twice when a user is there to see it.
  if (!suspended_ && resumed_) return;
  suspended_ = false;
  resumed_ = true;
  if (!running_) return;
  if (platform_.network.connected()) {
    checkWhenFree();
  } else {
    waitForNetwork();
  }
}

void MailPush::watchNetwork() {
  if (networkWatch_) return;
  networkWatch_ = platform_.network.watchChanges([this] {
    if (running_ && !suspended_ && !platform_.network.connected()) networkLost();
  });
}

void MailPush::networkLost() {
  // Connections through the network that went are dead, however quiet they are.
  for (auto& [key, pushed] : pushed_) {
    if (!pushed.session && !pushed.retry) continue;
    close(pushed);
    pushed.status = {PushState::NoNetwork, {}, {}};
  }
  waitForNetwork();
  statusChanged();
}

void MailPush::waitForNetwork() {
  if (!networkWait_)
    networkWait_ = std::make_unique<NetworkWait>(platform_.loop, platform_.network);
  // What happened meanwhile is read first: a check, then the sessions open again.
  networkWait_->whenConnected([this] { checkWhenFree(); });
}

}  // namespace vantrel::app
