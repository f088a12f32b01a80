#include "router/OwnAddress.h"

#include <utility>

namespace router {

namespace {
TOwnAddressLookup& Lookup() {
    static TOwnAddressLookup lookup;
    return lookup;
}
}  // namespace

void SetOwnAddressLookup(TOwnAddressLookup lookup) { Lookup() = std::move(lookup); }

std::string OwnAddress() { return Lookup() ? Lookup()() : std::string(); }

}  // namespace router
