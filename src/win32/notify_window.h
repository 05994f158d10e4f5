#pragma once
// The Win32 view of TNotifyWindowForm: a small stay-on-top window with the tree of identities
// and accounts that have mail and of their newest messages, an explanation and the countdown. The
// tree takes its text in Unicode, so that a message line shows in whatever script it is written.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/notify_window_form.h"
#include "platform/win32/owned_handle.h"
#include "win32/dpi_scaler.h"

namespace vantrel::win32 {

class NotifyWindow : public app::NotifyWindowView {
 public:
  static constexpr char kClassName[] = "TNotifyWindowForm";
  static constexpr int kIdTreeNotify = 100;
  static constexpr int kIdLblNotifyExpl = 101;
  static constexpr int kIdLblNotifyCpt = 102;
  // The designed layout in 96-DPI units; what the window grows by goes to the tree, the labels
  // staying at its bottom.
  static constexpr int kTreeLeft = 8, kTreeTop = 8, kTreeWidth = 265, kTreeHeight = 97;
  static constexpr int kLabelsTop = 112;

  // Created hidden and owned by the main window, which keeps it off the task bar. The pictures
  // and the font stay the owner's; the font has the screen's DPI already, as the layout gets here.
  NotifyWindow(HINSTANCE instance, HWND owner, HIMAGELIST mailImages, HFONT font);
  ~NotifyWindow() override;
  NotifyWindow(const NotifyWindow&) = delete;
  NotifyWindow& operator=(const NotifyWindow&) = delete;

  HWND handle() const { return window_.get(); }
  void attach(app::TNotifyWindowForm& form);
  void refresh() override;

 private:
  struct Shown {
    HTREEITEM item;
    ui::TreePath path;
  };

  LRESULT onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onNotify(const NMHDR& header);
  void reflectTree(const ui::TreeView& model);
  // Where a line's text is measured, and the width it has at the tree's first level.
  struct LineRoom {
    HDC measure;
    int width;
    int indent;
  };
  LineRoom lineRoom(HDC measure, const std::vector<ui::TreeNode>& nodes) const;
  // One node, its children after it; the tree holds three levels. A message line is cut to what
  // the tree's width shows of it.
  void insertNode(const LineRoom& room, HTREEITEM parent, const ui::TreeNode& node,
                  ui::TreePath path, int depth);
  const ui::TreePath* pathOf(HTREEITEM item) const;
  void layout(int clientHeight);
  // The tree in the window's colours, as the system has them now (a high-contrast theme).
  void paintTree();

  HINSTANCE instance_;
  HIMAGELIST mailImages_;
  HFONT font_;
  DpiScaler dpi_;
  // The controls go with the window, their parent.
  HWND treeNotify_ = nullptr, lblNotifyExpl_ = nullptr, lblNotifyCpt_ = nullptr;
  platform::win32::OwnedIcon smallIcon_;
  app::TNotifyWindowForm* form_ = nullptr;
  bool reflecting_ = false;
  std::vector<ui::TreeNode> treeShown_;  // what the tree on screen was built from
  std::vector<Shown> items_;
  // Last, so destroyed first: everything above outlives the window. Its owner window may have
  // taken it along already.
  platform::win32::OwnedWindow window_;
};

}  // namespace vantrel::win32
