#pragma once
// The Win32 view of TMainForm: creates the real window and controls, reflects the models into
// them, and turns each user action into the model change and handler call a test makes.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"

namespace vantrel::win32 {

class MainWindow : public app::FormView {
 public:
  static constexpr char kClassName[] = "TMainForm";
  static constexpr int kClientWidth = 297;
  static constexpr int kClientHeight = 385;

  // Creates the window, hidden; attach() puts the form's controls in it.
  MainWindow(HINSTANCE instance, UINT taskbarCreatedMessage);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_; }
  app::FormPictures pictures() const;
  // Shared with the notification window.
  HIMAGELIST mailImages() const { return imgListMail_; }
  HFONT font() const { return font_; }
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

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int code, HWND control);
  LRESULT onNotify(const NMHDR& header);
  void createControls(app::TMainForm& form);
  HWND add(HWND parent, const char* windowClass, int id, DWORD style, int x, int y, int width,
           int height, DWORD exStyle = 0);
  HWND bind(HWND hwnd, ui::Control& control, bool* checked = nullptr);
  void reflectList(HWND list, const ui::ListView& model);
  void reflectCombo(HWND combo, const ui::ComboBox& model);
  void showPage(int index);
  void layoutSheets();
  void readListChecks(HWND list, ui::ListView& model);

  HINSTANCE instance_;
  UINT taskbarCreated_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  app::TMainForm* form_ = nullptr;
  bool reflecting_ = false;

  HWND pages_ = nullptr;
  std::vector<HWND> sheets_;
  std::vector<std::string> tabCaptions_;
  std::vector<Bound> bound_;
  HWND comboLang_ = nullptr, comboIdentities_ = nullptr;
  HWND listExternalProgs_ = nullptr, listIdentities_ = nullptr, listAccounts_ = nullptr;
  HWND editMailWindowTime_ = nullptr, upDownMailWindowTime_ = nullptr;
  HWND editMailTime_ = nullptr, upDownMailTime_ = nullptr;
  HWND lblOEVersion_ = nullptr, imgOE_ = nullptr;
  std::vector<HICON> aboutIcons_;  // imgOE's and the About buttons' pictures
  HWND tooltip_ = nullptr;

  HIMAGELIST imgListProgsAndTray_ = nullptr;
  HIMAGELIST imgListIdentities_ = nullptr;
  HIMAGELIST imgListMail_ = nullptr;
  int progsImagesAdded_ = 0;
  HICON mainIcon16_ = nullptr;
  std::vector<const ui::MenuItem*> menuItems_;  // of the menu being shown, by command
};

}  // namespace vantrel::win32
