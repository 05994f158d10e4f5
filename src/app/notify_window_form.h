#pragma once
// TNotifyWindowForm: the small stay-on-top window that lists, per identity, the accounts with
// waiting mail and who wrote about what, counts down and hides itself, and switches identity on a
// double-click.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/tree_view.h"

namespace vantrel::app {

class TMainForm;

// The pictures of treeNotify's lines, in the main window's imgListMail.
enum MailPicture : std::int32_t {
  kMailPictureIdentity = 0,
  kMailPictureAccount = 1,
  kMailPictureMessage = 2,
};

// The tree's height at the window's designed size and the height of one of its lines, in pixels.
struct TreeMetrics {
  std::int32_t height = 97;
  std::int32_t lineHeight = 16;
};

// The window's frame: at its designed size (`designed`, outer) while no message line is shown;
// otherwise as much taller as `lines` lines need, at most half the work area's height (the tree
// scrolls beyond). Either way its bottom right corner is the work area's.
platform::Rect notifyWindowFrame(platform::Rect workArea, platform::Size designed, TreeMetrics tree,
                                 std::int32_t lines, bool messageLines);

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

  // Places the window at the bottom right of the work area with this caption, tall enough for
  // its lines, and shows it, on top but without taking the focus; the show steps run only when
  // it was hidden.
  void showAtCorner(std::string caption);
  void hide();
  // The tree of a finished check, put in place at once and shown: until then the window keeps
  // the rows it shows, so that a double-click acts on exactly what is on screen. An open window
  // shows every line of it, at the height they need.
  void replaceTree(std::vector<ui::TreeNode> nodes);
  // The same lines and caption in another language: an open window shows them at once.
  void retell(std::vector<ui::TreeNode> nodes, std::string newCaption);

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
  // Measured by the view on screen.
  TreeMetrics treeMetrics;

 private:
  // At the work area's bottom right, tall enough for every line.
  void placeAtCorner();

  platform::Platform& platform_;
  platform::WindowHandle self_;
  platform::Size designed_;  // the window's size as created
  TMainForm& main_;
  NotifyWindowView* view_ = nullptr;
};

}  // namespace vantrel::app
