#pragma once
// This machine's own address, kept off the block list by the census report. The lookup is
// injected: the app supplies the real one (first IPv4 address of the local host name, dotted
// decimal), tests supply their own.

#include <functional>
#include <string>

namespace router {

using TOwnAddressLookup = std::function<std::string()>;

// Set once at start-up, before any census; an empty lookup restores the default, which knows no
// address and returns an empty text.
void SetOwnAddressLookup(TOwnAddressLookup lookup);
std::string OwnAddress();

}  // namespace router
