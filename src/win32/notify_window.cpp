#include "win32/notify_window.h"

#include "win32/resource_ids.h"
#include "win32/window_proc.h"

namespace vantrel::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

bool sameNodes(const std::vector<ui::TreeNode>& a, const std::vector<ui::TreeNode>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].imageIndex != b[i].imageIndex ||
        a[i].selectedIndex != b[i].selectedIndex || a[i].expanded != b[i].expanded ||
        a[i].data != b[i].data || !sameNodes(a[i].children, b[i].children)) {
      return false;
    }
  }
  return true;
}

}  // namespace

NotifyWindow::NotifyWindow(HINSTANCE instance, HWND owner, HIMAGELIST mailImages, HFONT font)
    : instance_(instance) {
  // Small icons grow with the DPI, as the main window's do.
  smallIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIL_NEW),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = forwardToOwner<NotifyWindow, &NotifyWindow::onWindowMessage>;
  windowClass.hInstance = instance;
  windowClass.hIconSm = smallIcon_.get();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExA(&windowClass);

  RECT frame{0, 0, dpi_.scaled(app::TNotifyWindowForm::kClientWidth),
             dpi_.scaled(app::TNotifyWindowForm::kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  window_.reset(CreateWindowExA(kExStyle, kClassName, "", kStyle, 0, 0, frame.right - frame.left,
                                frame.bottom - frame.top, owner, nullptr, instance, this));

  const auto add = [&](const char* windowClass, int id, DWORD style, int x, int y, int width,
                       int height) {
    const auto hwnd =
        CreateWindowExA(0, windowClass, "", kChild | style, dpi_.scaled(x), dpi_.scaled(y),
                        dpi_.scaled(width), dpi_.scaled(height), window_.get(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
  };
  treeNotify_ = add(WC_TREEVIEWA, kIdTreeNotify, 0, 8, 8, 265, 97);
  SendMessageA(treeNotify_, TVM_SETINDENT, dpi_.scaled(19), 0);
  SendMessageA(treeNotify_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
  SendMessageA(treeNotify_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(mailImages));
  lblNotifyExpl_ = add(WC_STATICA, kIdLblNotifyExpl, 0, 8, 112, 249, 17);
  lblNotifyCpt_ = add(WC_STATICA, kIdLblNotifyCpt, SS_RIGHT, 256, 112, 17, 17);
}

// The form goes before its window: what the window hears while it is destroyed is not the form's.
NotifyWindow::~NotifyWindow() {
  form_ = nullptr;
}

void NotifyWindow::attach(app::TNotifyWindowForm& form) {
  form_ = &form;
  form.setView(this);
  refresh();
}

const ui::TreePath* NotifyWindow::pathOf(HTREEITEM item) const {
  for (const auto& shown : items_) {
    if (shown.item == item) return &shown.path;
  }
  return nullptr;
}

void NotifyWindow::reflectTree(const ui::TreeView& model) {
  if (!sameNodes(model.nodes, treeShown_)) {
    SendMessageA(treeNotify_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(treeNotify_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    const auto insert = [&](HTREEITEM parent, const ui::TreeNode& node, ui::TreePath path) {
      TVINSERTSTRUCTA insert{};
      insert.hParent = parent;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
      insert.item.pszText = const_cast<char*>(node.text.c_str());
      insert.item.iImage = node.imageIndex;
      insert.item.iSelectedImage = node.selectedIndex;
      const auto item = reinterpret_cast<HTREEITEM>(
          SendMessageA(treeNotify_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
      items_.push_back({item, path});
      return item;
    };
    for (std::size_t top = 0; top < model.nodes.size(); ++top) {
      const auto& node = model.nodes[top];
      const auto item = insert(TVI_ROOT, node, {top, std::nullopt});
      for (std::size_t child = 0; child < node.children.size(); ++child) {
        insert(item, node.children[child], {top, child});
      }
      if (node.expanded) {
        SendMessageA(treeNotify_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
      }
    }
    treeShown_ = model.nodes;
    SendMessageA(treeNotify_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(treeNotify_, nullptr, TRUE);
  }
  HTREEITEM selected = nullptr;
  for (const auto& shown : items_) {
    if (model.selected && shown.path == *model.selected) selected = shown.item;
  }
  SendMessageA(treeNotify_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected));
}

void NotifyWindow::refresh() {
  if (!form_) return;
  reflecting_ = true;
  const auto& f = *form_;
  SetWindowTextA(window_.get(), f.caption.c_str());
  reflectTree(f.treeNotify);
  SetWindowTextA(lblNotifyExpl_, f.lblNotifyExpl.caption.c_str());
  SetWindowTextA(lblNotifyCpt_, f.lblNotifyCpt.caption.c_str());
  ShowWindow(lblNotifyCpt_, f.lblNotifyCpt.visible ? SW_SHOWNA : SW_HIDE);
  reflecting_ = false;
}

LRESULT NotifyWindow::onNotify(const NMHDR& header) {
  if (!form_ || reflecting_ || header.hwndFrom != treeNotify_) return 0;
  auto& tree = form_->treeNotify;
  if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    const auto* path = pathOf(change.itemNew.hItem);
    tree.selected = path ? std::optional(*path) : std::nullopt;
    return 0;
  }
  if (header.code == NM_DBLCLK) {
    // The first click of the double-click has selected the node under the mouse.
    const auto caret =
        reinterpret_cast<HTREEITEM>(SendMessageA(treeNotify_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    const auto* path = pathOf(caret);
    tree.selected = path ? std::optional(*path) : std::nullopt;
    form_->treeNotifyDblClick();
    return TRUE;  // the nodes stay expanded
  }
  return 0;
}

LRESULT NotifyWindow::onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) window_.reset(window);
  return handle(message, wParam, lParam);
}

LRESULT NotifyWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto window = window_.get();
  switch (message) {
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      if (form_) form_->FormCloseQuery();
      return 0;
    case WM_DESTROY:
      window_.release();  // destroyed already, by its owner type or with its owner window
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace vantrel::win32
