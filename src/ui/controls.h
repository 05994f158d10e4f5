#pragma once
// Portable models of the simple controls: exactly the state the program reads and writes.
// The Win32 view reflects these into real controls and turns user actions into model changes.

#include <cstdint>
#include <string>

namespace vantrel::ui {

struct Control {
  std::string caption;
  bool enabled = true;
  bool visible = true;
  std::string hint;  // tooltip
};

struct Label : Control {
  // The caption is UTF-8, not Windows-1252: it quotes a server's words.
  bool utf8 = false;
};
struct Button : Control {};
struct GroupBox : Control {};
struct TabSheet : Control {};

struct CheckBox : Control {
  bool checked = false;
};

struct RadioButton : Control {
  bool checked = false;
};

enum class Colour { Window, ButtonFace };

// An edit whose text follows its up-down control's position.
struct UpDownEdit {
  Control edit;
  Control upDown;
  std::int32_t min = 0;
  std::int32_t max = 100;
  std::int32_t position = 0;

  // Brings a stored number into the control's range, as the up-down control itself does.
  void setPosition(std::int32_t value) { position = value < min ? min : value > max ? max : value; }
  std::string text() const { return std::to_string(position); }
};

struct PageControl {
  std::int32_t activePage = 0;
};

}  // namespace vantrel::ui
