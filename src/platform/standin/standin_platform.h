#pragma once
// Every stand-in service, wired together, and the bundle the program is given.

#include "platform/platform.h"
#include "platform/standin/standin_desktop.h"
#include "platform/standin/standin_dialogs.h"
#include "platform/standin/standin_event_loop.h"
#include "platform/standin/standin_network.h"
#include "platform/standin/standin_processes.h"
#include "platform/standin/standin_registry.h"
#include "platform/standin/standin_shell.h"
#include "platform/standin/standin_sockets.h"
#include "platform/standin/standin_text_conversion.h"

namespace vantrel::platform::standin {

struct StandinPlatform {
  StandinEventLoop loop;
  StandinRegistry registry;
  StandinDesktop desktop{loop};
  StandinProcesses processes{loop, desktop, registry};
  StandinDialogs dialogs{loop};
  StandinShell shell;
  StandinSockets sockets{loop};
  StandinTextConversion textConversion;
  StandinNetwork network{loop};
  Platform bundle{registry, desktop, processes,      dialogs, shell,
                  loop,     sockets, textConversion, network};
};

}  // namespace vantrel::platform::standin
