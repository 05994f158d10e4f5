#include "win32/notify_window.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "mailtext/text_clusters.h"
#include "mailtext/utf8_text.h"
#include "platform/win32/wide_text.h"
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
        a[i].data != b[i].data || a[i].utf8 != b[i].utf8 ||
        !sameNodes(a[i].children, b[i].children)) {
      return false;
    }
  }
  return true;
}

// Names that Windows gave (identities, accounts) are in its ANSI code page; others' words, and the
// program's own texts among them, are UTF-8.
std::wstring wideText(const ui::TreeNode& node) {
  return platform::win32::wideText(node.utf8 ? CP_UTF8 : CP_ACP, node.text);
}

int textWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// As much of the line (UTF-8) as `width` pixels show, an ellipsis at the end when it was cut;
// only whole characters as a reader sees them: a letter keeps its marks, an emoji sequence and a
// flag stay whole.
std::wstring fitted(HDC dc, std::string_view line, int width) {
  constexpr std::wstring_view kEllipsis = L"\u2026";
  std::wstring text = platform::win32::wideText(CP_UTF8, line);
  if (textWidth(dc, text) <= width) return text;
  std::vector<std::size_t> ends;  // of each character, in UTF-16 units
  std::size_t units = 0;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t end = mailtext::clusterEnd(line, at);
    while (at < end) {
      const auto point = mailtext::codePointAt(line, at);
      units += point.value > 0xFFFF ? 2 : 1;
      at += point.length;
    }
    ends.push_back(std::min(units, text.size()));
  }
  std::size_t fits = 0;  // characters that fit with the ellipsis
  std::size_t tooMany = ends.size();
  while (tooMany - fits > 1) {
    const std::size_t middle = fits + (tooMany - fits) / 2;
    std::wstring tried = text.substr(0, ends[middle - 1]);
    tried += kEllipsis;
    (textWidth(dc, tried) <= width ? fits : tooMany) = middle;
  }
  text.resize(fits == 0 ? 0 : ends[fits - 1]);
  while (!text.empty() && text.back() == L' ') text.pop_back();
  text += kEllipsis;
  return text;
}

}  // namespace

NotifyWindow::NotifyWindow(HINSTANCE instance, HWND owner, HIMAGELIST mailImages, HFONT font)
    : instance_(instance), mailImages_(mailImages), font_(font) {
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
  treeNotify_ = add(WC_TREEVIEWA, kIdTreeNotify, 0, kTreeLeft, kTreeTop, kTreeWidth, kTreeHeight);
  SendMessageA(treeNotify_, TVM_SETINDENT, dpi_.scaled(19), 0);
  paintTree();
  SendMessageA(treeNotify_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(mailImages));
  lblNotifyExpl_ = add(WC_STATICA, kIdLblNotifyExpl, 0, 8, kLabelsTop, 249, 17);
  lblNotifyCpt_ = add(WC_STATICA, kIdLblNotifyCpt, SS_RIGHT, 256, kLabelsTop, 17, 17);
}

void NotifyWindow::layout(int clientHeight) {
  if (!treeNotify_) return;  // still being created
  const int grown = std::max(clientHeight - dpi_.scaled(app::TNotifyWindowForm::kClientHeight), 0);
  constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(treeNotify_, nullptr, 0, 0, dpi_.scaled(kTreeWidth),
               dpi_.scaled(kTreeHeight) + grown, kKeep | SWP_NOMOVE);
  for (const auto& [label, left] : {std::pair{lblNotifyExpl_, 8}, std::pair{lblNotifyCpt_, 256}}) {
    SetWindowPos(label, nullptr, dpi_.scaled(left), dpi_.scaled(kLabelsTop) + grown, 0, 0,
                 kKeep | SWP_NOSIZE);
  }
}

void NotifyWindow::paintTree() {
  SendMessageA(treeNotify_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
  SendMessageA(treeNotify_, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNTEXT)));
  InvalidateRect(treeNotify_, nullptr, TRUE);
}

// The form goes before its window: what the window hears while it is destroyed is not the form's.
NotifyWindow::~NotifyWindow() {
  form_ = nullptr;
}

void NotifyWindow::attach(app::TNotifyWindowForm& form) {
  form_ = &form;
  form.treeMetrics = {dpi_.scaled(kTreeHeight), static_cast<std::int32_t>(SendMessageW(
                                                    treeNotify_, TVM_GETITEMHEIGHT, 0, 0))};
  form.setView(this);
  refresh();
}

const ui::TreePath* NotifyWindow::pathOf(HTREEITEM item) const {
  for (const auto& shown : items_) {
    if (shown.item == item) return &shown.path;
  }
  return nullptr;
}

NotifyWindow::LineRoom NotifyWindow::lineRoom(HDC measure,
                                              const std::vector<ui::TreeNode>& nodes) const {
  const auto lines = [](auto&& self, const std::vector<ui::TreeNode>& level) -> int {
    int count = 0;
    for (const auto& node : level) {
      count += 1 + (node.expanded ? self(self, node.children) : 0);
    }
    return count;
  };
  RECT tree{};
  GetWindowRect(treeNotify_, &tree);
  const auto lineHeight = static_cast<int>(SendMessageW(treeNotify_, TVM_GETITEMHEIGHT, 0, 0));
  const bool scrolls = lines(lines, nodes) * lineHeight > tree.bottom - tree.top;
  int pictureWidth = 0;
  int pictureHeight = 0;
  ImageList_GetIconSize(mailImages_, &pictureWidth, &pictureHeight);
  return {measure,
          dpi_.scaled(kTreeWidth) - (scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0) - pictureWidth -
              dpi_.scaled(8),
          static_cast<int>(SendMessageW(treeNotify_, TVM_GETINDENT, 0, 0))};
}

void NotifyWindow::insertNode(const LineRoom& room, HTREEITEM parent, const ui::TreeNode& node,
                              ui::TreePath path, int depth) {
  const std::wstring text = node.utf8
                                ? fitted(room.measure, node.text, room.width - depth * room.indent)
                                : wideText(node);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.iImage = node.imageIndex;
  insert.item.iSelectedImage = node.selectedIndex;
  const auto item = reinterpret_cast<HTREEITEM>(
      SendMessageW(treeNotify_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  items_.push_back({item, path});
  if (depth == 2) return;
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    ui::TreePath below = path;
    (depth == 0 ? below.child : below.grandchild) = i;
    insertNode(room, item, node.children[i], below, depth + 1);
  }
  if (node.expanded) {
    SendMessageW(treeNotify_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }
}

void NotifyWindow::reflectTree(const ui::TreeView& model) {
  if (!sameNodes(model.nodes, treeShown_)) {
    SendMessageA(treeNotify_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(treeNotify_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    // Lines are measured in the tree's font, with room for a scroll bar only when it comes.
    const platform::win32::OwnedDC measure(CreateCompatibleDC(nullptr));
    SelectObject(measure.get(), font_);
    const LineRoom room = lineRoom(measure.get(), model.nodes);
    for (std::size_t top = 0; top < model.nodes.size(); ++top) {
      insertNode(room, TVI_ROOT, model.nodes[top], {top, std::nullopt, std::nullopt}, 0);
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
    case WM_SIZE:
      layout(HIWORD(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      // A common control hears of it only from its top-level window.
      SendMessageA(treeNotify_, WM_SYSCOLORCHANGE, 0, 0);
      paintTree();
      return 0;
    case WM_THEMECHANGED:
      paintTree();
      break;
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
