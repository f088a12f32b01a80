#pragma once
// Registration of the system's common control classes a framework control superclasses.
#include <windows.h>

namespace qx {

// Registers the classes of `classes` (ICC_* flags) once per process; later calls with flags
// already registered cost nothing.
void EnsureCommonControls(DWORD classes);

}  // namespace qx
