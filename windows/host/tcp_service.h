#pragma once

#include "host/apartment_queue.h"
#include "host/host_options.h"
#include "host/read_ahead_link.h"

namespace winhost {

/// Listens on the options' address and port and serves one client after another, each
/// only with the token. Returns only when the socket cannot be set up (false, said on
/// standard error). The port actually bound (port 0 picks a free one) is said on
/// standard error as "listening on ADDRESS:PORT".
bool ServeTcp(const HostOptions& options, const std::string& token, ApartmentQueue& queue,
              ReadAheadLink& link);

}  // namespace winhost
