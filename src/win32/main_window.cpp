#include "win32/main_window.h"

#include <span>
#include <string>

#include "app/app_constants.h"
#include "app/programs_tab.h"
#include "platform/win32/wide_text.h"
#include "ui/icon_image.h"
#include "win32/control_ids.h"
#include "win32/fitted_label.h"
#include "win32/notify_icon_size.h"
#include "win32/resource_ids.h"
#include "win32/window_proc.h"

namespace vantrel::win32 {
namespace {

constexpr char kPageClass[] = "VantrelPage";
// WM_DPICHANGED, sent from Windows 8.1 on: newer than the headers of the Windows this builds for.
constexpr UINT kWmDpiChanged = 0x02E0;
// imgListMail, in its order.
constexpr std::initializer_list<int> kMailPictures = {IDI_MAIL_IDENTITY, IDI_MAIL_ACCOUNT,
                                                      IDI_MAIL_2, IDI_MAIL_NEW, IDI_MAIL_TRAY_OLD};
constexpr int kPagesX = 4, kPagesY = 4, kPagesWidth = 289, kPagesHeight = 453;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

HICON loadIcon(HINSTANCE instance, int id, int size) {
  return static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

platform::win32::OwnedImageList makeImageList(HINSTANCE instance, int size,
                                              std::initializer_list<int> ids) {
  platform::win32::OwnedImageList list(
      ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(ids.size()), 8));
  for (const int id : ids) {
    const platform::win32::OwnedIcon icon(loadIcon(instance, id, size));
    ImageList_AddIcon(list.get(), icon.get());
  }
  return list;
}

// The pixels of the image of an icon resource that Windows would take for `size`, at that size.
platform::IconPixels iconResourcePixels(HINSTANCE instance, int id, int size) {
  const auto bytesOf = [instance](HRSRC resource) -> std::span<const std::uint8_t> {
    const HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data) return {};
    return {data, SizeofResource(instance, resource)};
  };
  const auto group = bytesOf(FindResourceA(instance, MAKEINTRESOURCEA(id), RT_GROUP_ICON));
  if (group.empty()) return {};
  const int image = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data()), TRUE, size, size,
                                                LR_DEFAULTCOLOR);
  if (image == 0) return {};
  const auto pixels =
      ui::decodeIconImage(bytesOf(FindResourceA(instance, MAKEINTRESOURCEA(image), RT_ICON)));
  return pixels ? ui::resizedPicture(*pixels, size) : platform::IconPixels{};
}

platform::IconHandle toHandle(HICON icon) {
  return reinterpret_cast<platform::IconHandle>(icon);
}

BOOL CALLBACK forwardSysColorChange(HWND child, LPARAM) {
  SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

// The real combo box has already moved its selection: the model follows it.
void readComboSelection(HWND combo, ui::ComboBox& model) {
  const auto at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (at >= 0) model.selected = static_cast<std::size_t>(at);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, UINT taskbarCreatedMessage)
    : instance_(instance), taskbarCreated_(taskbarCreatedMessage) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = forwardToOwner<MainWindow, &MainWindow::onWindowMessage>;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "MAINICON");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = app::kVantrelWindowClass.data();
  RegisterClassA(&windowClass);

  WNDCLASSA pageClass{};
  pageClass.lpfnWndProc = forwardToOwner<MainWindow, &MainWindow::onPageMessage>;
  pageClass.hInstance = instance;
  pageClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  pageClass.lpszClassName = kPageClass;
  RegisterClassA(&pageClass);

  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  font_.reset(CreateFontIndirectA(&metrics.lfMessageFont));

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, scaled(kClientWidth), scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_.reset(CreateWindowExA(WS_EX_CONTROLPARENT, app::kVantrelWindowClass.data(),
                                app::APP_NAME.data(), style, x, y, width, height, nullptr, nullptr,
                                instance, this));

  imgListProgsAndTray_ = makeImageList(
      instance, 16,
      {IDI_TRAY_QUIT, IDI_TRAY_CONFIG, IDI_TRAY_IDENTITY, IDI_TRAY_PROGRAMS, IDI_TRAY_PROGRAM});
  imgListIdentities_ = makeImageList(instance, 32, {IDI_IDENTITY32});
  imgListMail_ = makeImageList(instance, 16, kMailPictures);
  loadTrayPictures(notifyIconSize());
}

void MainWindow::loadTrayPictures(int size) {
  trayIconSize_ = size;
  // Small icons grow with the DPI: the notification area's is 24 pixels at 144 DPI.
  mainIcon_.reset(static_cast<HICON>(
      LoadImageA(instance_, "MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  static_assert(kMailPictures.size() == std::tuple_size_v<decltype(mailIcons_)>);
  auto* icon = mailIcons_.begin();
  for (const int id : kMailPictures) (icon++)->reset(loadIcon(instance_, id, size));
  newMailPixels_ = iconResourcePixels(instance_, IDI_MAIL_NEW, size);
}

void MainWindow::followSystemColours(UINT message) {
  // Common controls hear of a colour change only from their top-level window.
  if (message == WM_SYSCOLORCHANGE) EnumChildWindows(window_.get(), forwardSysColorChange, 0);
  refresh();
}

void MainWindow::followTraySize() {
  const int size = notifyIconSize();
  if (!form_ || size == trayIconSize_) return;
  // The form gives the shell the new pictures before the old ones go.
  auto oldMain = std::move(mainIcon_);
  auto oldMail = std::move(mailIcons_);
  loadTrayPictures(size);
  form_->trayPicturesResized(pictures());
}

// The form goes before its window: what the window hears while it is destroyed is not the form's.
MainWindow::~MainWindow() {
  form_ = nullptr;
}

app::FormPictures MainWindow::pictures() const {
  app::FormPictures pictures;
  pictures.mainIcon = toHandle(mainIcon_.get());
  for (std::size_t i = 0; i < pictures.mail.size(); ++i) {
    pictures.mail[i] = toHandle(mailIcons_[i].get());
  }
  pictures.newMail = newMailPixels_;
  return pictures;
}

void MainWindow::attach(app::TMainForm& form) {
  form_ = &form;
  createControls(form);
  form.setView(this);
  refresh();
}

HWND MainWindow::add(HWND parent, const char* windowClass, int id, DWORD style, int x, int y,
                     int width, int height, DWORD exStyle) {
  const auto hwnd = CreateWindowExA(
      exStyle, windowClass, "", kChild | style, scaled(x), scaled(y), scaled(width), scaled(height),
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return hwnd;
}

HWND MainWindow::bind(HWND hwnd, ui::Control& control, bool* checked) {
  bound_.push_back({hwnd, &control, checked});
  return hwnd;
}

void MainWindow::createControls(app::TMainForm& f) {
  pages_ = add(window_.get(), WC_TABCONTROLA, kIdPages,
               WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_RAGGEDRIGHT, kPagesX, kPagesY,
               kPagesWidth, kPagesHeight);
  for (int i = 0; i < 5; ++i) {
    const auto sheet =
        CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                        window_.get(), nullptr, instance_, this);
    sheets_.push_back(sheet);
  }
  layoutSheets();

  const auto button = [&](ui::Control& model, HWND parent, int id, int x, int y, int w, int h,
                          DWORD style = 0) {
    return bind(add(parent, WC_BUTTONA, id, WS_TABSTOP | style, x, y, w, h), model);
  };
  const auto check = [&](auto& model, HWND parent, int id, int x, int y, DWORD style) {
    return bind(add(parent, WC_BUTTONA, id, WS_TABSTOP | style, x, y, 241, 17), model,
                &model.checked);
  };
  const auto group = [&](ui::Control& model, HWND parent, int x, int y, int w, int h) {
    return bind(add(parent, WC_BUTTONA, kIdStatic, BS_GROUPBOX, x, y, w, h), model);
  };
  const auto label = [&](ui::Control& model, HWND parent, int x, int y, int w, int h,
                         DWORD style = 0) {
    return bind(add(parent, WC_STATICA, kIdStatic, style, x, y, w, h), model);
  };
  // The list views only borrow the image lists (LVS_SHAREIMAGELISTS): this window owns them.
  const auto checkList = [&](HWND parent, int id, int x, int y, int w, int h, HIMAGELIST images) {
    const auto list = add(parent, WC_LISTVIEWA, id,
                          WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER,
                          x, y, w, h, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    return list;
  };

  bind(add(window_.get(), WC_BUTTONA, kIdOk, WS_TABSTOP | BS_DEFPUSHBUTTON, 111, 460, 75, 23),
       f.bttnOK);

  const auto launch = sheets_[0];
  group(f.tabLaunch.boxLaunchMode, launch, 8, 8, 257, 97);
  check(f.tabLaunch.radioModeMail, launch, kIdRadioModeMail, 16, 26, BS_AUTORADIOBUTTON | WS_GROUP);
  check(f.tabLaunch.radioModeNews, launch, kIdRadioModeNews, 16, 44, BS_AUTORADIOBUTTON);
  check(f.tabLaunch.checkNotifyReduce, launch, kIdCheckNotifyReduce, 16, 64,
        BS_AUTOCHECKBOX | WS_GROUP);
  check(f.tabLaunch.checkStartReduced, launch, kIdCheckStartReduced, 16, 82, BS_AUTOCHECKBOX);
  group(f.tabLaunch.boxBehavior, launch, 8, 112, 257, 91);
  check(f.tabLaunch.checkCloseConfirm, launch, kIdCheckCloseConfirm, 16, 130, BS_AUTOCHECKBOX);
  check(f.tabLaunch.checkRestoreMaximized, launch, kIdCheckRestoreMaximized, 16, 148,
        BS_AUTOCHECKBOX);
  bind(add(launch, WC_BUTTONA, kIdCheckRestoreDblClick,
           WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 16, 166, 241, 30),
       f.tabLaunch.checkRestoreDblClick, &f.tabLaunch.checkRestoreDblClick.checked);
  group(f.tabLaunch.boxLang, launch, 8, 210, 257, 53);
  comboLang_ = add(launch, WC_COMBOBOXA, kIdComboLang, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                   16, 230, 241, 200);

  const auto progs = sheets_[1];
  group(f.tabProgs.boxExternalProgs, progs, 8, 8, 257, 169);
  listExternalProgs_ =
      checkList(progs, kIdListExternalProgs, 16, 32, 241, 105, imgListProgsAndTray_.get());
  button(f.tabProgs.bttnExternalProgsAdd, progs, kIdBttnExternalProgsAdd, 24, 144, 65, 25);
  button(f.tabProgs.bttnExternalProgsDel, progs, kIdBttnExternalProgsDel, 104, 144, 65, 25);
  button(f.tabProgs.bttnExternalProgsModify, progs, kIdBttnExternalProgsModify, 184, 144, 65, 25);
  group(f.tabProgs.boxExternalProgsOptions, progs, 8, 184, 257, 73);
  check(f.tabProgs.radioExternalProgsStartReduced, progs, kIdRadioExternalProgsStartReduced, 16,
        208, BS_AUTORADIOBUTTON | WS_GROUP);
  check(f.tabProgs.radioExternalProgsStartNormal, progs, kIdRadioExternalProgsStartNormal, 16, 232,
        BS_AUTORADIOBUTTON);

  const auto identities = sheets_[2];
  group(f.tabIdentities.boxIdentities, identities, 8, 8, 257, 249);
  check(f.tabIdentities.checkNoIdentities, identities, kIdCheckNoIdentities, 16, 26,
        BS_AUTOCHECKBOX);
  listIdentities_ = add(identities, WC_LISTVIEWA, kIdListIdentities,
                        WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                            LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE,
                        16, 48, 241, 176, WS_EX_CLIENTEDGE);
  ListView_SetImageList(listIdentities_, imgListIdentities_.get(), LVSIL_NORMAL);
  check(f.tabIdentities.checkIdentitiesChoice, identities, kIdCheckIdentitiesChoice, 16, 232,
        BS_AUTOCHECKBOX);

  // Everything the window's height at 144 DPI leaves (a 768-pixel screen), to the last line.
  const auto mail = sheets_[3];
  group(f.tabMail.boxMail, mail, 8, 5, 257, 227);
  check(f.tabMail.checkNoMail, mail, kIdCheckNoMail, 16, 21, BS_AUTOCHECKBOX);
  check(f.tabMail.checkVerifyAllId, mail, kIdCheckVerifyAllId, 16, 39, BS_AUTOCHECKBOX);
  comboIdentities_ = add(mail, WC_COMBOBOXA, kIdComboIdentities,
                         WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 16, 59, 241, 200);
  // Four rows below its header.
  listAccounts_ = checkList(mail, kIdListAccounts, 12, 83, 249, 90, imgListMail_.get());
  // Four lines under the list, for the reasons that run long: a certificate's; a server's words
  // may need more, cut with their whole text in a tooltip (SS_NOTIFY lets it see the mouse). A
  // Unicode control, for those words in any script; showAccountResult sets its text.
  lblAccountResult_ = CreateWindowExW(
      0, WC_STATICW, L"", kChild | SS_NOPREFIX | SS_NOTIFY, scaled(16), scaled(175), scaled(241),
      scaled(54), mail, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLblAccountResult)),
      instance_, nullptr);
  SendMessageW(lblAccountResult_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  group(f.tabMail.boxMailOptions, mail, 8, 235, 257, 175);
  check(f.tabMail.checkMailWindow, mail, kIdCheckMailWindow, 16, 251, BS_AUTOCHECKBOX);
  // Like the display time, a part of the window's option; its caption takes two lines.
  bind(add(mail, WC_BUTTONA, kIdCheckMailPreview,
           WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 32, 269, 229, 28),
       f.tabMail.checkMailPreview, &f.tabMail.checkMailPreview.checked);
  // Labels wrap onto a second line where a language needs it; each number sits beside its label.
  label(f.tabMail.lblMailWindowTime, mail, 32, 299, 168, 28);
  const auto number = [&](int id, int upDownId, int y, HWND& edit, HWND& upDown) {
    edit = add(mail, WC_EDITA, id, WS_TABSTOP | ES_READONLY | ES_NUMBER | ES_RIGHT, 206, y, 51, 21,
               WS_EX_CLIENTEDGE);
    upDown = add(mail, UPDOWN_CLASSA, upDownId,
                 UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
    SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  };
  number(kIdEditMailWindowTime, kIdUpDownMailWindowTime, 299, editMailWindowTime_,
         upDownMailWindowTime_);
  check(f.tabMail.checkMailSound, mail, kIdCheckMailSound, 16, 330, BS_AUTOCHECKBOX);
  label(f.tabMail.lblMailTime, mail, 16, 350, 184, 28);
  number(kIdEditMailTime, kIdUpDownMailTime, 350, editMailTime_, upDownMailTime_);
  // Beside the interval it completes; its caption takes two lines.
  bind(add(mail, WC_BUTTONA, kIdCheckMailPush, WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP,
           16, 380, 245, 28),
       f.tabMail.checkMailPush, &f.tabMail.checkMailPush.checked);

  const auto about = sheets_[4];
  group(f.tabAbout.boxAbout, about, 8, 8, 257, 153);
  imgOE_ = add(about, WC_STATICA, kIdStatic, SS_ICON | SS_REALSIZEIMAGE, 16, 24, 48, 48);
  aboutIcons_.emplace_back(loadIcon(instance_, IDI_OE48, 48));
  SendMessageA(imgOE_, STM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(aboutIcons_.back().get()));
  label(f.tabAbout.lblAppName, about, 72, 24, 185, 17);
  label(f.tabAbout.lblAppCopyright, about, 72, 56, 185, 17);
  label(f.tabAbout.lblDescription, about, 16, 80, 241, 73);
  const auto pictureButton = [&](ui::Control& model, int id, int picture, int x, int y) {
    const auto hwnd = button(model, about, id, x, y, 129, 25, BS_FLAT);
    aboutIcons_.emplace_back(loadIcon(instance_, picture, 16));
    SendMessageA(hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(aboutIcons_.back().get()));
  };
  pictureButton(f.tabAbout.bttnUpdt, kIdBttnUpdt, IDI_ABOUT_UPDATE, 8, 176);
  pictureButton(f.tabAbout.bttnMailList, kIdBttnMailList, IDI_ABOUT_MAILING_LIST, 136, 176);
  pictureButton(f.tabAbout.bttnWWW, kIdBttnWWW, IDI_ABOUT_WWW, 8, 208);
  pictureButton(f.tabAbout.bttnFaqOE, kIdBttnFaqOE, IDI_ABOUT_FAQ, 136, 208);
  lblOEVersion_ = label(f.tabAbout.lblOEVersion, about, 2, 255, 265, 17, SS_CENTER | WS_BORDER);

  tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 window_.get(), nullptr, instance_, nullptr));
  // A long result line wraps in its tooltip.
  SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, scaled(300));
  showPage(0);
}

// The tabs' rows depend on their captions: the sheets cover exactly what the rows leave.
void MainWindow::layoutSheets() {
  RECT area{scaled(kPagesX), scaled(kPagesY), scaled(kPagesX + kPagesWidth),
            scaled(kPagesY + kPagesHeight)};
  SendMessageA(pages_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (const auto sheet : sheets_) {
    SetWindowPos(sheet, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
  }
}

void MainWindow::showPage(int index) {
  for (int i = 0; i < static_cast<int>(sheets_.size()); ++i) {
    ShowWindow(sheets_[static_cast<std::size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
  }
  SendMessageA(pages_, TCM_SETCURSEL, index, 0);
}

bool MainWindow::translateKeys(MSG& message) {
  const auto window = window_.get();
  if (!window || !IsWindowVisible(window)) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  if (form_ && message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
      GetKeyState(VK_CONTROL) < 0) {
    const int pages = static_cast<int>(sheets_.size());
    const int step = GetKeyState(VK_SHIFT) < 0 ? pages - 1 : 1;
    form_->pagesCtrl.activePage = (form_->pagesCtrl.activePage + step) % pages;
    showPage(form_->pagesCtrl.activePage);
    return true;
  }
  return IsDialogMessageA(window, &message) != 0;
}

void MainWindow::reflectCombo(HWND combo, const ui::ComboBox& model) {
  const auto count = static_cast<std::size_t>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  if (count != model.items.size()) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& item : model.items) {
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.caption.c_str()));
    }
  }
  SendMessageA(combo, CB_SETCURSEL, model.selected ? static_cast<WPARAM>(*model.selected) : -1, 0);
  EnableWindow(combo, model.enabled);
}

void MainWindow::reflectList(HWND list, const ui::ListView& model) {
  for (std::size_t c = 0; c < model.columns.size(); ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(model.columns[c].caption.c_str());
    column.cx = scaled(model.columns[c].width);
    if (!ListView_SetColumn(list, static_cast<int>(c), &column)) {
      ListView_InsertColumn(list, static_cast<int>(c), &column);
    }
  }
  ListView_DeleteAllItems(list);
  for (std::size_t i = 0; i < model.size(); ++i) {
    const auto& entry = model.at(i);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(entry.caption.c_str());
    item.iImage = entry.imageIndex;
    ListView_InsertItem(list, &item);
    for (std::size_t s = 0; s + 1 < model.columns.size() && s < entry.subItems.size(); ++s) {
      ListView_SetItemText(list, static_cast<int>(i), static_cast<int>(s + 1),
                           const_cast<char*>(entry.subItems[s].c_str()));
    }
    ListView_SetCheckState(list, static_cast<int>(i), entry.checked);
  }
  if (model.selected()) {
    ListView_SetItemState(list, static_cast<int>(*model.selected()), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  EnableWindow(list, model.enabled);
  const auto colour =
      GetSysColor(model.colour == ui::Colour::Window ? COLOR_WINDOW : COLOR_BTNFACE);
  ListView_SetBkColor(list, colour);
  ListView_SetTextBkColor(list, colour);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::refresh() {
  if (!form_) return;
  reflecting_ = true;
  auto& f = *form_;
  for (const auto& b : bound_) {
    if (!b.control) continue;
    SetWindowTextA(b.hwnd, b.control->caption.c_str());
    EnableWindow(b.hwnd, b.control->enabled);
    ShowWindow(b.hwnd, b.control->visible ? SW_SHOWNA : SW_HIDE);
    if (b.checked) SendMessageA(b.hwnd, BM_SETCHECK, *b.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  showAccountResult();
  // Items are made anew when a caption changes, so that the rows are measured again.
  std::vector<std::string> captions;
  for (const ui::TabSheet* tab : std::initializer_list<const ui::TabSheet*>{
           &f.tabLaunch, &f.tabProgs, &f.tabIdentities, &f.tabMail, &f.tabAbout}) {
    captions.push_back(tab->caption);
  }
  if (captions != tabCaptions_) {
    tabCaptions_ = captions;
    SendMessageA(pages_, TCM_DELETEALLITEMS, 0, 0);
    // Low tabs: the e-mail tab needs every line the window's height leaves.
    SendMessageA(pages_, TCM_SETPADDING, 0, MAKELPARAM(10, 2));
    for (std::size_t i = 0; i < captions.size(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = captions[i].data();
      SendMessageA(pages_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    layoutSheets();
  }
  showPage(f.pagesCtrl.activePage);

  reflectCombo(comboLang_, f.tabLaunch.comboLang);
  reflectCombo(comboIdentities_, f.tabMail.comboIdentities);
  const auto added = f.imgListProgsAndTray.added();
  for (; progsImagesAdded_ < static_cast<int>(added.size()); ++progsImagesAdded_) {
    const auto icon = added[static_cast<std::size_t>(progsImagesAdded_)];
    // An icon dropped before it was ever shown still takes its place: no later picture moves.
    const platform::win32::OwnedIcon standIn(
        icon == platform::kNoIcon
            ? ImageList_GetIcon(imgListProgsAndTray_.get(), app::kPictureProgram, ILD_NORMAL)
            : nullptr);
    ImageList_AddIcon(imgListProgsAndTray_.get(),
                      standIn ? standIn.get() : reinterpret_cast<HICON>(icon));
  }
  reflectList(listExternalProgs_, f.tabProgs.listExternalProgs);
  reflectList(listIdentities_, f.tabIdentities.listIdentities);
  reflectList(listAccounts_, f.tabMail.listAccounts);

  for (auto [edit, upDown, model] :
       {std::tuple{editMailWindowTime_, upDownMailWindowTime_, &f.tabMail.editMailWindowTime},
        std::tuple{editMailTime_, upDownMailTime_, &f.tabMail.editMailTime}}) {
    SendMessageA(upDown, UDM_SETRANGE32, model->min, model->max);
    SendMessageA(upDown, UDM_SETPOS32, 0, model->position);
    SetWindowTextA(edit, model->text().c_str());
    EnableWindow(edit, model->edit.enabled);
    EnableWindow(upDown, model->upDown.enabled);
  }

  for (auto [hwnd, hint] :
       {std::pair{GetDlgItem(sheets_[4], kIdBttnWWW), &f.tabAbout.bttnWWW.hint},
        std::pair{GetDlgItem(sheets_[4], kIdBttnFaqOE), &f.tabAbout.bttnFaqOE.hint}}) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = sheets_[4];
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = const_cast<char*>(hint->c_str());
    SendMessageA(tooltip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  showAccountResult();
  reflecting_ = false;
}

void MainWindow::readListChecks(HWND list, ui::ListView& model) {
  for (std::size_t i = 0; i < model.size(); ++i) {
    model.at(i).checked = ListView_GetCheckState(list, static_cast<int>(i)) != 0;
  }
}

// Only the line itself: the list is in the middle of telling of a change to its items. A line
// cut to the label's room shows whole in its tooltip.
void MainWindow::showAccountResult() {
  if (!form_) return;
  const auto& label = form_->tabMail.lblAccountResult;
  const UINT page = label.utf8 ? CP_UTF8 : platform::win32::kWindows1252;
  std::wstring caption = platform::win32::wideText(page, label.caption);
  const auto shown = fittedToLabel(lblAccountResult_, caption);
  SetWindowTextW(lblAccountResult_, shown.c_str());
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = sheets_[3];
  tool.uId = reinterpret_cast<UINT_PTR>(lblAccountResult_);
  tool.lpszText = caption.data();
  SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (shown != caption)
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::onCommand(int id, int code, HWND control) {
  if (!form_) return;
  auto& f = *form_;
  // A click has already changed the real control: copy every check mark back first.
  for (const auto& b : bound_) {
    if (b.checked && b.hwnd == control) {
      *b.checked = SendMessageA(b.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
  }
  const auto syncRadios = [&](ui::RadioButton& a, ui::RadioButton& b) { b.checked = !a.checked; };
  switch (id) {
    case kIdOk:
      f.bttnOKClick();
      break;
    case kIdRadioModeMail:
      syncRadios(f.tabLaunch.radioModeMail, f.tabLaunch.radioModeNews);
      break;
    case kIdRadioModeNews:
      syncRadios(f.tabLaunch.radioModeNews, f.tabLaunch.radioModeMail);
      break;
    case kIdComboLang:
      if (code != CBN_SELCHANGE) break;
      readComboSelection(control, f.tabLaunch.comboLang);
      f.comboLangChange();
      break;
    case kIdComboIdentities:
      if (code != CBN_SELCHANGE) break;
      readComboSelection(control, f.tabMail.comboIdentities);
      f.comboIdentitiesChange();
      break;
    case kIdCheckNoMail:
      f.checkNoMailClick();
      break;
    case kIdCheckNoIdentities:
      f.checkNoIdentitiesClick();
      break;
    case kIdCheckMailWindow:
      f.checkMailWindowClick();
      break;
    case kIdBttnExternalProgsAdd:
      app::bttnExternalProgsAddClick(f);
      break;
    case kIdBttnExternalProgsDel:
      app::bttnExternalProgsDelClick(f);
      break;
    case kIdBttnExternalProgsModify:
      app::bttnExternalProgsModifyClick(f);
      break;
    case kIdRadioExternalProgsStartReduced:
      syncRadios(f.tabProgs.radioExternalProgsStartReduced,
                 f.tabProgs.radioExternalProgsStartNormal);
      app::radioExternalProgsStartReducedClick(f);
      break;
    case kIdRadioExternalProgsStartNormal:
      syncRadios(f.tabProgs.radioExternalProgsStartNormal,
                 f.tabProgs.radioExternalProgsStartReduced);
      app::radioExternalProgsStartNormalClick(f);
      break;
    case kIdBttnUpdt:
      f.bttnUpdtClick();
      break;
    case kIdBttnMailList:
      f.bttnMailListClick();
      break;
    case kIdBttnWWW:
      f.bttnWWWClick();
      break;
    case kIdBttnFaqOE:
      f.bttnFaqOEClick();
      break;
    default:
      return;
  }
  if (!f.terminated()) refresh();
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
  if (!form_ || reflecting_) return 0;
  auto& f = *form_;
  if (header.hwndFrom == pages_ && header.code == TCN_SELCHANGE) {
    f.pagesCtrl.activePage = static_cast<std::int32_t>(SendMessageA(pages_, TCM_GETCURSEL, 0, 0));
    showPage(f.pagesCtrl.activePage);
    return 0;
  }
  if (header.hwndFrom == listAccounts_ && header.code == NM_CLICK) {
    // Every click rewrites the skip flags of all listed accounts from their check marks.
    readListChecks(listAccounts_, f.tabMail.listAccounts);
    f.listAccountsClick();
    showAccountResult();
    return 0;
  }
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    ui::ListView* model = header.hwndFrom == listExternalProgs_ ? &f.tabProgs.listExternalProgs
                          : header.hwndFrom == listIdentities_  ? &f.tabIdentities.listIdentities
                          : header.hwndFrom == listAccounts_    ? &f.tabMail.listAccounts
                                                                : nullptr;
    if (!model || change.iItem < 0) return 0;
    readListChecks(header.hwndFrom, *model);
    // Some list views toggle a check box without reporting the click: the toggle counts as one.
    const bool checkToggled = (change.uChanged & LVIF_STATE) &&
                              ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK);
    if (model == &f.tabMail.listAccounts && checkToggled) f.listAccountsClick();
    const auto index = static_cast<std::size_t>(change.iItem);
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
    const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
    if (nowSelected && !wasSelected) {
      model->select(index);
      if (model == &f.tabProgs.listExternalProgs) {
        app::listExternalProgsSelectItem(f, index, true);
        refresh();
      }
    } else if (!nowSelected && wasSelected && model->selected() == index) {
      model->select(std::nullopt);
    }
    if (model == &f.tabMail.listAccounts) {
      if (nowSelected != wasSelected) f.listAccountsSelectItem();
      showAccountResult();
    }
    return 0;
  }
  if (header.code == HDN_ITEMCHANGINGA || header.code == HDN_ITEMCHANGINGW) {
    // Columns keep their designed minimum widths.
    const auto& change = reinterpret_cast<const NMHEADERA&>(header);
    const ui::ListView* model =
        header.hwndFrom == ListView_GetHeader(listExternalProgs_) ? &f.tabProgs.listExternalProgs
        : header.hwndFrom == ListView_GetHeader(listAccounts_)    ? &f.tabMail.listAccounts
                                                                  : nullptr;
    if (!model || !change.pitem || !(change.pitem->mask & HDI_WIDTH)) return FALSE;
    const auto column = static_cast<std::size_t>(change.iItem);
    return column < model->columns.size() &&
           change.pitem->cxy < scaled(model->columns[column].minWidth);
  }
  if (header.code == UDN_DELTAPOS) {
    const auto& delta = reinterpret_cast<const NMUPDOWN&>(header);
    auto* model = header.hwndFrom == upDownMailTime_         ? &f.tabMail.editMailTime
                  : header.hwndFrom == upDownMailWindowTime_ ? &f.tabMail.editMailWindowTime
                                                             : nullptr;
    if (model) model->setPosition(delta.iPos + delta.iDelta);
    return 0;
  }
  return 0;
}

void MainWindow::popupTrayMenu(platform::Point at) {
  if (!form_) return;
  menuItems_.clear();
  const std::function<platform::win32::OwnedMenu(const ui::MenuItem&)> build =
      [&](const ui::MenuItem& parent) {
        platform::win32::OwnedMenu menu(CreatePopupMenu());
        // Separators with nothing to separate are left out (no identities, no programs).
        bool separatorDue = false;
        for (const auto& child : parent.items) {
          if (!child->visible) continue;
          if (child->isSeparator()) {
            separatorDue = GetMenuItemCount(menu.get()) > 0;
            continue;
          }
          if (separatorDue) AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
          separatorDue = false;
          auto text = child->caption;
          if (child->shortcut) text += "\t" + ui::shortcutText(*child->shortcut);
          MENUITEMINFOA info{};
          info.cbSize = sizeof(info);
          info.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA | MIIM_BITMAP | MIIM_STATE;
          info.fState = child->enabled ? MFS_ENABLED : MFS_GRAYED;
          info.dwTypeData = text.data();
          info.wID = static_cast<UINT>(kIdMenuFirst + menuItems_.size());
          info.dwItemData = static_cast<ULONG_PTR>(child->imageIndex);
          info.hbmpItem = child->imageIndex >= 0 ? HBMMENU_CALLBACK : nullptr;
          menuItems_.push_back(child.get());
          platform::win32::OwnedMenu submenu;
          if (!child->items.empty()) {
            submenu = build(*child);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
          }
          // Once in, the submenu goes with this menu.
          if (InsertMenuItemA(menu.get(), GetMenuItemCount(menu.get()), TRUE, &info)) {
            submenu.release();
          }
        }
        return menu;
      };
  // The menu is gone before the chosen item's handler runs.
  const auto chosen = [&] {
    const auto menu = build(form_->tray.mnuTray);
    return TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                          window_.get(), nullptr);
  }();
  const auto index = static_cast<std::size_t>(chosen) - kIdMenuFirst;
  if (chosen == 0 || index >= menuItems_.size()) return;
  const auto* item = menuItems_[index];
  if (item->onClick) item->onClick(*item);
  if (!form_->terminated()) refresh();
}

// The sheets pass on what their controls report; the rest is theirs.
LRESULT MainWindow::onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_CTLCOLORSTATIC) {
    return handle(message, wParam, lParam);
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

LRESULT MainWindow::onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) window_.reset(window);
  return handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto window = window_.get();
  if (form_ && message == taskbarCreated_ && message != 0) {
    followTraySize();
    form_->WMTaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      if (form_) form_->FormCloseQuery();
      return 0;
    case WM_QUERYENDSESSION:
      if (form_) form_->WMQueryEndSession();
      return TRUE;
    case WM_POWERBROADCAST:
      if (form_) form_->WMPowerBroadcast(wParam);
      return TRUE;
    case WM_HOTKEY:
      if (form_) form_->WMHotKey(lParam);
      return 0;
    case app::WM_TRAYNOTIFY:
      if (form_) form_->WMTrayNotify(lParam);
      return 0;
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure.CtlType != ODT_MENU) break;
      measure.itemWidth = 16;
      measure.itemHeight = 16;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlType != ODT_MENU) break;
      const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - 16) / 2;
      ImageList_Draw(imgListProgsAndTray_.get(), static_cast<int>(draw.itemData), draw.hDC,
                     draw.rcItem.left, top, ILD_TRANSPARENT);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lblOEVersion_) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_HIGHLIGHT));
      }
      break;
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case kWmDpiChanged:
      followTraySize();
      break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      followSystemColours(message);
      break;
    case WM_DESTROY:
      window_.release();  // destroyed already: nothing left to close
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace vantrel::win32
