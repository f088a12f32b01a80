#pragma once
// The six advertisement panels, handed to the advertisement library when the window shows.
#include "framework/ExtCtrls.h"

#include <vector>

// One InitScreen call per panel, in the order given, each with its own URL and the panel's
// colour; the library's answer is ignored.
void ShowAdPanels(const std::vector<qx::TPanel*>& panels);
