/* devicemonitor.dll: the telnet client the router dialogue talks through.
 *
 * Three functions, exported under these undecorated names; every argument and result is
 * 32 bits wide (pointers aside), stdcall on 32-bit Windows.
 *
 * telnet_connect(host, port, option)
 *   Opens a telnet session. `host` is a name or address, optionally followed by ":port"
 *   (IPv6 literals as "[addr]:port"), which then overrides `port`. Resolution goes through
 *   the system resolver; connecting gives up after 5 seconds. `option` is accepted for
 *   compatibility and has no effect. Returns a handle (a small positive integer, never 0 or
 *   -1, never reused while the library is loaded), or -1 on any failure.
 *
 * ReadResult(handle, host, buffer, size)
 *   Delivers the text the router sent since the previous call. Waits up to 1.5 seconds for
 *   the first byte, then keeps gathering until the router has been quiet for 4 ms, the
 *   buffer is full, or 5 seconds have passed. At most size - 1 bytes are delivered and the
 *   text is always NUL-terminated when size >= 1; whatever does not fit is kept for the next
 *   call. Telnet commands, option negotiation and subnegotiations are answered and removed;
 *   a doubled 255 byte is delivered as one 255 byte; NUL bytes (the padding of the CR NUL
 *   line end) are dropped so that the text after them is never hidden behind a terminator.
 *   Returns 1 when text was delivered and 0 when nothing more came (also for an unknown
 *   handle, and for a session the router closed once its last text has been delivered).
 *   `host` is not used: the handle alone identifies the session.
 *
 * new_do_command(handle, host, command)
 *   Sends `command` followed by CR LF (a 255 byte in it is doubled). Returns 1 when the
 *   whole line was sent, 0 otherwise. `host` is not used.
 *
 * telnet_is_open(handle)
 *   Returns 1 while the session is open and 0 once it is over: the router closed it, a send
 *   failed, or the handle is unknown. It does not wait: text that has arrived is taken in
 *   (and delivered by the next ReadResult) while it looks for the end of the connection. A
 *   session that is over is dropped at once, its socket closed.
 *
 * Every call also drops the other sessions the library has found to be over, so a logout
 * followed by a new connect holds one socket, and the session table never fills with dead
 * sessions. A send that fails closes the session's socket at once.
 *
 * Calls on one handle may come from several threads at once: reads are serialised with
 * each other and sends with each other, and a send is never held up by a waiting read.
 */
#ifndef QUELLOX_DEVICEMONITOR_H
#define QUELLOX_DEVICEMONITOR_H

#ifdef _WIN32
#include <windows.h>
#define DEVICEMONITOR_API WINAPI
#else
#define DEVICEMONITOR_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

int DEVICEMONITOR_API telnet_connect(const char* host, int port, int option);
int DEVICEMONITOR_API ReadResult(int handle, const char* host, char* buffer, int size);
int DEVICEMONITOR_API new_do_command(int handle, const char* host, const char* command);
int DEVICEMONITOR_API telnet_is_open(int handle);

/* Pointer types for binding the library at run time. */
typedef int(DEVICEMONITOR_API* telnet_connect_fn)(const char* host, int port, int option);
typedef int(DEVICEMONITOR_API* ReadResult_fn)(int handle, const char* host, char* buffer, int size);
typedef int(DEVICEMONITOR_API* new_do_command_fn)(int handle, const char* host, const char* command);
typedef int(DEVICEMONITOR_API* telnet_is_open_fn)(int handle);

#ifdef __cplusplus
}
#endif

#endif
