// The three commands of the skinpack tool. Each returns the process exit code (0 success,
// 1 failure, 2 bad usage) and writes its report to `out`, problems to `err`.
#pragma once

#include "SkinReader.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

int PackCommand(const std::filesystem::path& folder, const std::filesystem::path& file, bool storedForm,
                std::ostream& out, std::ostream& err);
int UnpackCommand(const std::filesystem::path& file, const std::filesystem::path& folder, std::ostream& out,
                  std::ostream& err);
int InfoCommand(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Loads either a skin file (compressed skin) or a form's stored property into the reader;
// `form` names which one it was.
TPackageStatus LoadSkinOrStoredForm(std::span<const std::uint8_t> bytes, TSkinReader& reader, std::string& form);

// Whether an entry name can be written as a file of its own inside the target folder.
bool SafeMemberFileName(const std::string& name);
