#pragma once
// TNotifyWindowForm: the small stay-on-top window that lists, per identity, the accounts with
// waiting mail, counts down and hides itself, and switches identity on a double-click.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/tree_view.h"

namespace vantrel::app {

class TMainForm;

// What the window on screen does for the form: the Win32 view, or nothing in tests.
class NotifyWindowView {
 public:
  virtual ~NotifyWindowView() = default;
  // The models changed: show them.
  virtual void refresh() = 0;
};

class TNotifyWindowForm {
 public:
  static constexpr std::int32_t kClientWidth = 282;
  static constexpr std::int32_t kClientHeight = 131;

  // `self` is the window, created hidden.
  TNotifyWindowForm(platform::Platform& platform, platform::WindowHandle self, TMainForm& main);
  TNotifyWindowForm(const TNotifyWindowForm&) = delete;
  TNotifyWindowForm& operator=(const TNotifyWindowForm&) = delete;

  void setView(NotifyWindowView* view) { view_ = view; }
  platform::WindowHandle handle() const { return self_; }
  bool visible() const;

  // Places the window at the bottom right of the work area with this caption and shows it,
  // on top but without taking the focus; the show steps run only when it was hidden.
  void showAtCorner(std::string caption);
  void hide();
  // The tree of a finished check, put in place at once and shown: until then the window keeps
  // the rows it shows, so that a double-click acts on exactly what is on screen.
  void replaceTree(std::vector<ui::TreeNode> nodes);

  void FormShow();
  void timerNotifyTimer();
  void treeNotifyDblClick();
  // The close button hides the window; it is never destroyed.
  bool FormCloseQuery();
  // The models changed: the view shows them.
  void changed();

  std::string caption;
  ui::TreeView treeNotify;
  ui::Label lblNotifyExpl;
  ui::Label lblNotifyCpt;
  ui::Timer timerNotify;
  std::int32_t notifyCountdown = 0;

 private:
  platform::Platform& platform_;
  platform::WindowHandle self_;
  TMainForm& main_;
  NotifyWindowView* view_ = nullptr;
};

}  // namespace vantrel::app
