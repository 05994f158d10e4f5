#include "platform/win32/win32_dialogs.h"

#include <windows.h>
// After windows.h, which they build on.
#include <commdlg.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/win32/wide_text.h"

namespace vantrel::platform::win32 {
namespace {

static_assert(MbOk == MB_OK && MbYesNo == MB_YESNO && MbIconError == MB_ICONERROR &&
              MbIconQuestion == MB_ICONQUESTION && MbIconInformation == MB_ICONINFORMATION &&
              MbSetForeground == MB_SETFOREGROUND);
static_assert(IdOk == IDOK && IdCancel == IDCANCEL && IdYes == IDYES && IdNo == IDNO);

HWND hwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

// "Description|pattern|..." as the dialog wants it: zero-separated, ending in two zeros.
std::string filterList(std::string_view filter) {
  std::string list(filter);
  std::replace(list.begin(), list.end(), '|', '\0');
  return list + std::string(2, '\0');
}

enum QueryControl : WORD { kPrompt = 100, kAnswer = 101 };

// Atoms of the predefined window classes, as dialog templates name them.
enum PredefinedClass : WORD { kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082 };

struct Rect {
  short x, y, cx, cy;
};

// A dialog template written in memory, in dialog units. Template texts are always UTF-16; the
// texts the caller gives are set afterwards with the ANSI functions.
class DialogTemplate {
 public:
  DialogTemplate(Rect frame, WORD controls) {
    dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION |
          WS_SYSMENU);
    dword(0);
    words_.push_back(controls);
    rect(frame);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    text(L"");
    words_.push_back(8);
    text(L"MS Shell Dlg");
  }

  void control(DWORD style, Rect place, WORD id, PredefinedClass kind, std::wstring_view caption) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // each control starts on a DWORD
    dword(WS_CHILD | WS_VISIBLE | style);
    dword(0);
    rect(place);
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(kind);
    text(caption);
    words_.push_back(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void rect(Rect r) {
    for (const short value : {r.x, r.y, r.cx, r.cy}) words_.push_back(static_cast<WORD>(value));
  }
  void text(std::wstring_view value) {
    words_.insert(words_.end(), value.begin(), value.end());
    words_.push_back(0);
  }

  std::vector<WORD> words_;  // new[] alignment makes word 0 DWORD-aligned
};

struct Query {
  std::string caption;
  std::string prompt;
  std::string answer;  // the initial text until OK is pressed
};

INT_PTR CALLBACK queryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* query = reinterpret_cast<const Query*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    SetWindowTextA(dialog, query->caption.c_str());
    SetDlgItemTextA(dialog, kPrompt, query->prompt.c_str());
    SetDlgItemTextA(dialog, kAnswer, query->answer.c_str());
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const auto command = LOWORD(wParam);
  if (command == IDOK) {
    auto* query = reinterpret_cast<Query*>(GetWindowLongPtrA(dialog, DWLP_USER));
    const HWND edit = GetDlgItem(dialog, kAnswer);
    std::string answer(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    answer.resize(static_cast<std::size_t>(
        std::max(0, GetWindowTextA(edit, answer.data(), static_cast<int>(answer.size())))));
    query->answer = std::move(answer);
  }
  if (command == IDOK || command == IDCANCEL) {
    EndDialog(dialog, command);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

std::int32_t Win32Dialogs::messageBox(WindowHandle owner, std::string_view text,
                                      std::string_view caption, std::uint32_t flags) {
  const std::string message(text);
  const std::string title(caption);
  return MessageBoxA(hwnd(owner), message.c_str(), title.c_str(), flags);
}

std::int32_t Win32Dialogs::messageBoxWithServerWords(WindowHandle owner, std::string_view utf8Text,
                                                     std::string_view caption,
                                                     std::uint32_t flags) {
  return MessageBoxW(hwnd(owner), wideText(CP_UTF8, utf8Text).c_str(),
                     wideText(kWindows1252, caption).c_str(), flags);
}

std::optional<std::string> Win32Dialogs::openFile(const OpenFileRequest& request) {
  std::vector<char> file(std::max<std::size_t>(MAX_PATH * 4, request.fileName.size() + 1), '\0');
  std::copy(request.fileName.begin(), request.fileName.end(), file.begin());
  const auto filter = filterList(request.filter);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd(request.owner);
  dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

std::optional<std::string> Win32Dialogs::inputQuery(std::string_view caption,
                                                    std::string_view prompt,
                                                    std::string_view initial, bool password) {
  // A character takes about four dialog units; a little more leaves room for wide letters. A
  // long prompt widens the box, then wraps.
  constexpr short kMargin = 8;
  const auto promptUnits = static_cast<int>(std::min<std::size_t>(prompt.size(), 2000)) * 9 / 2;
  const auto promptWidth = static_cast<short>(std::clamp(promptUnits, 164, 384));
  const auto promptHeight =
      static_cast<short>(8 * std::max(1, (promptUnits + promptWidth - 1) / promptWidth));
  const short width = promptWidth + 2 * kMargin;
  const short editTop = kMargin + promptHeight + 3;
  const short buttonTop = editTop + 12 + 10;
  const short center = width / 2;

  DialogTemplate dialog({0, 0, width, static_cast<short>(buttonTop + 14 + kMargin)}, 4);
  dialog.control(SS_LEFT, {kMargin, kMargin, promptWidth, promptHeight}, kPrompt, kStatic, L"");
  dialog.control(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | (password ? ES_PASSWORD : 0),
                 {kMargin, editTop, promptWidth, 12}, kAnswer, kEdit, L"");
  dialog.control(BS_DEFPUSHBUTTON | WS_TABSTOP,
                 {static_cast<short>(center - 52), buttonTop, 50, 14}, IDOK, kButton, L"OK");
  dialog.control(BS_PUSHBUTTON | WS_TABSTOP, {static_cast<short>(center + 2), buttonTop, 50, 14},
                 IDCANCEL, kButton, L"Annuler");

  Query query{std::string(caption), std::string(prompt), std::string(initial)};
  const auto result =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), GetActiveWindow(), queryProc,
                              reinterpret_cast<LPARAM>(&query));
  if (result != IDOK) return std::nullopt;
  return query.answer;
}

}  // namespace vantrel::platform::win32
