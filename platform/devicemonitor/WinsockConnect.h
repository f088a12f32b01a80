// Name resolution and a connect that gives up after a bounded time (Winsock).
#pragma once

#include <winsock2.h>

#include <string>

namespace devicemonitor {

// Starts Winsock once per process (never from DllMain: the loader lock is held there).
bool EnsureWinsock();

// Resolves host (name or address) and tries each address in turn until one accepts or the
// time is used up. The socket is returned in blocking mode with TCP_NODELAY and a send
// timeout set; INVALID_SOCKET on failure.
SOCKET ConnectTcp(const std::string& host, int port, int timeoutMs);

}  // namespace devicemonitor
