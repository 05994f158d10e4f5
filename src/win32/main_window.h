#pragma once
// The Win32 view of TMainForm: creates the real window and controls, reflects the models into
// them, and turns each user action into the model change and handler call a test makes.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/win32/owned_handle.h"
#include "win32/dpi_scaler.h"

namespace vantrel::win32 {

class MainWindow : public app::FormView {
 public:
  static constexpr int kClientWidth = 297;
  static constexpr int kClientHeight = 487;

  // Creates the window, hidden; attach() puts the form's controls in it.
  MainWindow(HINSTANCE instance, UINT taskbarCreatedMessage);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_.get(); }
  app::FormPictures pictures() const;
  // Shared with the notification window.
  HIMAGELIST mailImages() const { return imgListMail_.get(); }
  HFONT font() const { return font_.get(); }
  void attach(app::TMainForm& form);

  // Keyboard use of the configuration window: Tab, arrows, Enter, and Ctrl+Tab between pages.
  bool translateKeys(MSG& message);

  void refresh() override;
  void popupTrayMenu(platform::Point at) override;

 private:
  struct Bound {
    HWND hwnd;
    ui::Control* control;
    bool* checked;  // check boxes and radio buttons
  };

  LRESULT onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int code, HWND control);
  LRESULT onNotify(const NMHDR& header);
  void createControls(app::TMainForm& form);
  // Positions and sizes are in 96-DPI units, scaled to the system's DPI here and in scaled().
  HWND add(HWND parent, const char* windowClass, int id, DWORD style, int x, int y, int width,
           int height, DWORD exStyle = 0);
  int scaled(int length) const { return dpi_.scaled(length); }
  HWND bind(HWND hwnd, ui::Control& control, bool* checked = nullptr);
  void reflectList(HWND list, const ui::ListView& model);
  void reflectCombo(HWND combo, const ui::ComboBox& model);
  void showPage(int index);
  void layoutSheets();
  void readListChecks(HWND list, ui::ListView& model);
  void showAccountResult();
  // The tray's pictures at the size the notification area shows icons at.
  void loadTrayPictures(int size);
  // The notification area may show its icons at another size now: the tray's pictures follow.
  void followTraySize();
  // The lists' colours from the system anew: it has changed them (a high-contrast theme).
  void followSystemColours(UINT message);

  HINSTANCE instance_;
  DpiScaler dpi_;
  UINT taskbarCreated_;
  platform::win32::OwnedFont font_;
  app::TMainForm* form_ = nullptr;
  bool reflecting_ = false;

  // The controls and the sheets go with the window, their parent.
  HWND pages_ = nullptr;
  std::vector<HWND> sheets_;
  std::vector<std::string> tabCaptions_;
  std::vector<Bound> bound_;
  HWND comboLang_ = nullptr, comboIdentities_ = nullptr;
  HWND listExternalProgs_ = nullptr, listIdentities_ = nullptr, listAccounts_ = nullptr;
  HWND editMailWindowTime_ = nullptr, upDownMailWindowTime_ = nullptr;
  HWND editMailTime_ = nullptr, upDownMailTime_ = nullptr;
  HWND lblOEVersion_ = nullptr, imgOE_ = nullptr, lblAccountResult_ = nullptr;
  std::vector<platform::win32::OwnedIcon> aboutIcons_;  // imgOE's and the About buttons' pictures

  platform::win32::OwnedImageList imgListProgsAndTray_;
  platform::win32::OwnedImageList imgListIdentities_;
  platform::win32::OwnedImageList imgListMail_;
  int progsImagesAdded_ = 0;
  // The tray's pictures, lent to the form until it has others of another size.
  int trayIconSize_ = 0;
  platform::win32::OwnedIcon mainIcon_;
  std::array<platform::win32::OwnedIcon, std::tuple_size_v<decltype(app::FormPictures::mail)>>
      mailIcons_;
  platform::IconPixels newMailPixels_;          // of mailIcons_[3]
  std::vector<const ui::MenuItem*> menuItems_;  // of the menu being shown, by command

  // Last, so destroyed first: everything above outlives the window and its controls. The tooltip
  // goes before the window that owns it, which would otherwise take it along.
  platform::win32::OwnedWindow window_;
  platform::win32::OwnedWindow tooltip_;
};

}  // namespace vantrel::win32
