#pragma once
// Opening and closing the telnet session, in both command sets.

#include <string>

#include "router/TelnetBinding.h"

namespace router {

// Connects to host port 23, answers the user-name prompt (if the device shows one) with
// userName, then sends the password, "enable" and the enable password, and succeeds when the
// device's last line ends with "#". session receives the connection handle (-1 when the
// connection failed) before anything else can fail; a failed login leaves the connection open.
bool CiscoLogin(const std::string& host, int& session, const std::string& userName,
                const std::string& password, const std::string& enablePassword,
                const TTelnetBinding& telnet = TelnetBinding());

// As CiscoLogin, with "super" as the privilege command; succeeds when the last line begins
// with "<" and ends with ">".
bool HuaweiLogin(const std::string& host, int& session, const std::string& userName,
                 const std::string& password, const std::string& superPassword,
                 const TTelnetBinding& telnet = TelnetBinding());

// Send "exit" (Cisco) or "quit" (Huawei); true when the line was sent. Nothing is read back.
bool CiscoLogout(const std::string& host, int session, const TTelnetBinding& telnet = TelnetBinding());
bool HuaweiLogout(const std::string& host, int session, const TTelnetBinding& telnet = TelnetBinding());

}  // namespace router
