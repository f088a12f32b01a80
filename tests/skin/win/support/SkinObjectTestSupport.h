// Helpers for the skin description and skin data tests: BMP files built in memory, decoded
// skin packages (no compression needed, the reader takes them as they are), and a realistic
// description with all the bitmaps it names.
#pragma once

#include "QuickIni.h"
#include "SkinReader.h"
#include "skin/data/SkinObjects.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace skinobjtest {

struct TMember {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

// A 24-bit BMP file of w x h whose pixel (x, y) (top row 0) is colour(x, y), as 0x00BBGGRR.
std::vector<std::uint8_t> Bmp24(int w, int h, const std::function<COLORREF(int, int)>& colour);
// A w x h BMP of one colour.
std::vector<std::uint8_t> SolidBmp(int w, int h, COLORREF colour);

// A decoded skin package (version word, name list, sizes, member bytes).
std::vector<std::uint8_t> Package(const std::vector<TMember>& members, std::int32_t version = kSkinPackageVersion);

// A description close to a shipped one (sections for every element this engine draws, and
// some it does not) and every bitmap it names; each bitmap a solid colour of its own size.
std::string RealisticDescription();
std::vector<TMember> RealisticMembers();
// The colour each of the realistic skin's bitmaps is filled with.
COLORREF MemberColour(const std::string& name);

// Loads `members` into `reader` and the first ".ini" member into `ini`; false when the package
// does not load.
bool LoadMembers(const std::vector<TMember>& members, TSkinReader& reader, TQuickIni& ini);

// Replaces (or adds) the member of that name.
void PutMember(std::vector<TMember>& members, const std::string& name, std::vector<std::uint8_t> bytes);
// `members` with `description` as their only skin description.
std::vector<TMember> WithDescription(const std::string& description, std::vector<TMember> members = {});

// The objects and colours of one load, as a skin data component holds them.
struct TLoadedSkin {
    TSkinReader Package;
    TQuickIni Ini;
    TSkinObjectSet Objects;
    TSkinColours Colours;
    std::string SkinName;

    bool Load(const std::vector<TMember>& members);
};

bool IsSolid(const qx::TBitmap& bitmap, COLORREF colour);
bool SameRect(const RECT& a, const RECT& b);

}  // namespace skinobjtest
