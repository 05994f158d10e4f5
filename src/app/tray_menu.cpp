#include "app/tray_menu.h"

namespace vantrel::app {

void buildTrayProgsMenu(ui::MenuItem& progs, const ui::ListView& listExternalProgs,
                        const MenuClick& onClick) {
  if (listExternalProgs.empty()) {
    progs.visible = false;
    return;
  }
  progs.visible = true;
  const auto& separator = progs.insert(0, ui::makeSeparator());
  for (const auto& program : listExternalProgs.items()) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = program.caption;
    item->imageIndex = program.imageIndex;
    item->onClick = onClick;
    if (program.checked) {
      progs.insert(progs.indexOf(separator), std::move(item));
    } else {
      progs.append(std::move(item));
    }
  }
}

void buildTrayIdentitiesMenu(ui::MenuItem& mnuTray, const ui::ListView& listIdentities,
                             platform::Desktop& desktop, platform::WindowHandle owner,
                             const MenuClick& onClick) {
  const auto& identities = listIdentities.items();
  for (auto i = static_cast<std::int32_t>(identities.size()) - 1; i >= 0; --i) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = identities[static_cast<std::size_t>(i)].caption;
    item->imageIndex = kPictureIdentity;
    item->onClick = onClick;
    const auto key = platform::kVkF1 + static_cast<std::uint32_t>(i);
    if (desktop.registerHotKey(owner, kHotKeyBaseId - i, kHotKeyModifiers, key)) {
      item->shortcut = ui::Shortcut{ui::Shortcut::kShift | ui::Shortcut::kCtrl, key};
    }
    mnuTray.insert(0, std::move(item));
  }
}

}  // namespace vantrel::app
