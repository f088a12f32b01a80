// The exported functions of devicemonitor.dll and its entry point.
#include "devicemonitor.h"

#include "ConnectionTable.h"
#include "HostPort.h"
#include "WinsockConnect.h"

#include <memory>

namespace {
constexpr int kConnectTimeoutMs = 5000;
}  // namespace

using namespace devicemonitor;

// Nothing may escape into the caller, which is not C++: every failure becomes -1 or 0.

extern "C" int DEVICEMONITOR_API telnet_connect(const char* host, int port, int /*option*/) {
    try {
        auto target = ParseHostPort(host, port);
        if (!target || !EnsureWinsock()) return -1;
        // Sessions the router ended since (a logout, an idle timeout) give their sockets and
        // their places in the table back before a new one is opened.
        Sessions().SweepClosed(0);
        SOCKET s = ConnectTcp(target->host, target->port, kConnectTimeoutMs);
        if (s == INVALID_SOCKET) return -1;
        return Sessions().Add(std::make_shared<TelnetConnection>(s));
    } catch (...) {
        return -1;
    }
}

extern "C" int DEVICEMONITOR_API ReadResult(int handle, const char* /*host*/, char* buffer, int size) {
    try {
        if (buffer && size > 0) buffer[0] = '\0';
        Sessions().SweepClosed(handle);
        auto connection = Sessions().Find(handle);
        if (!connection) return 0;
        bool finished = false;
        int delivered = connection->Read(buffer, size, &finished);
        if (finished) Sessions().Remove(handle);
        // Only the low byte of the result is looked at, so a count would read as "nothing"
        // for multiples of 256: report delivery as 1.
        return delivered > 0 ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

extern "C" int DEVICEMONITOR_API new_do_command(int handle, const char* /*host*/, const char* command) {
    try {
        Sessions().SweepClosed(handle);
        auto connection = Sessions().Find(handle);
        return connection && connection->SendLine(command) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

extern "C" int DEVICEMONITOR_API telnet_is_open(int handle) {
    try {
        Sessions().SweepClosed(handle);
        auto connection = Sessions().Find(handle);
        if (!connection) return 0;
        if (connection->CheckOpen()) return 1;
        Sessions().Remove(handle);
        return 0;
    } catch (...) {
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_DETACH) {
        // The loader lock is held: close the sockets, nothing that waits.
        Sessions().CloseAllForUnload();
    }
    return TRUE;
}
