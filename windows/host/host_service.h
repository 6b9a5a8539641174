#pragma once

#include "host/apartment_queue.h"
#include "host/read_ahead_link.h"
#include "jvlink/host_server.h"

namespace winhost {

/// Answers the requests of one connection: each frame is read on this thread and
/// answered on the control's thread through `queue`; after a batch of records that the
/// stream goes on from, the control's thread reads the next batch ahead while the program
/// files this one. Returns when the client closes the connection, is refused or breaks
/// the protocol (said on standard error). True when the client got past Hello to an
/// operation.
bool ServeConnection(jvlink::ByteChannel& channel, ApartmentQueue& queue, ReadAheadLink& link,
                     const jvlink::HostServerOptions& options);

/// Writes one line to standard error, prefixed with the program's name.
void Say(const std::string& line);

}  // namespace winhost
