#pragma once
// The bundle of platform services that main (or a test) builds once and passes down.

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/network.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/socket.h"
#include "platform/text_conversion.h"

namespace vantrel::platform {

struct Platform {
  Registry& registry;
  Desktop& desktop;
  Processes& processes;
  Dialogs& dialogs;
  Shell& shell;
  EventLoop& loop;
  Sockets& sockets;
  const TextConversion& textConversion;
  Network& network;
};

}  // namespace vantrel::platform
