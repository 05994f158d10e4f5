#include "app/tray_menu.h"

#include "app/external_programs.h"
#include "app/identities.h"
#include "app/main_form.h"

namespace vantrel::app {

void buildTrayProgsMenu(TMainForm& form) {
  auto& progs = *form.mnuTrayItemProgs;
  if (form.listExternalProgs.empty()) {
    progs.visible = false;
    return;
  }
  progs.visible = true;
  const auto& separator = progs.insert(0, ui::makeSeparator());
  for (const auto& program : form.listExternalProgs.items()) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = program.caption;
    item->imageIndex = program.imageIndex;
    item->onClick = [&form](const ui::MenuItem& clicked) { mnuTrayProgClick(form, clicked); };
    if (program.checked) {
      progs.insert(progs.indexOf(separator), std::move(item));
    } else {
      progs.append(std::move(item));
    }
  }
}

void buildTrayIdentitiesMenu(TMainForm& form) {
  const auto& identities = form.listIdentities.items();
  for (auto i = static_cast<std::int32_t>(identities.size()) - 1; i >= 0; --i) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = identities[static_cast<std::size_t>(i)].caption;
    item->imageIndex = kPictureIdentity;
    item->onClick = [&form](const ui::MenuItem& clicked) { mnuTrayIdentityClick(form, clicked); };
    const auto key = platform::kVkF1 + static_cast<std::uint32_t>(i);
    if (form.platform().desktop.registerHotKey(form.handle(), kHotKeyBaseId - i, kHotKeyModifiers,
                                               key)) {
      item->shortcut = ui::Shortcut{ui::Shortcut::kShift | ui::Shortcut::kCtrl, key};
    }
    form.mnuTray.insert(0, std::move(item));
  }
}

}  // namespace vantrel::app
