// Collects a skin folder (one INI description and its bitmaps) into package members.
#pragma once

#include "PackageWriter.h"
#include "SkinReader.h"

#include <filesystem>
#include <string>
#include <vector>

struct TSkinFolder {
    std::vector<TPackageMember> Members;   // bitmaps by lower-case name, then the description
    std::vector<std::string> Warnings;     // packable, but probably not what was meant
    std::string Error;                     // not packable when non-empty
};

TSkinFolder ReadSkinFolder(const std::filesystem::path& folder);

// The file-name part of an image key's value as the skin loader takes it: everything after the
// last backslash or drive colon (a forward slash is no separator).
std::string SkinImageFileName(const std::string& value);
