#pragma once
// The window's texts are UTF-16; the router and the ledger take bytes in the system code page.
#include <string>

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
