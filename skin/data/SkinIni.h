// Reading a skin description (the INI member of a skin package) into skin objects: the values
// (integers, colour texts, bitmap references), one reader per kind of object, the objects that
// are derived or generated afterwards, and the order of a whole load.
//
// Nothing here raises for bad skin data: a missing section, key or bitmap yields the default, a
// null member or an empty bitmap. The only exception is the assertion of ReadSkinSections,
// which catches a programming error.
#pragma once

#include "QuickIni.h"
#include "SkinReader.h"
#include "skin/data/SkinAssert.h"
#include "skin/data/SkinObjects.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The section names of the description in file order, duplicates included. A null list
// breaks an assertion (EAssertionFailed naming Winskinini).
void ReadSkinSections(const TQuickIni& ini, std::vector<std::string>* strings);

// A colour written as three numbers red, green, blue ("3 32 108"); the default for an empty
// text.
qx::TColor ParseSkinColour(std::string_view text, qx::TColor defaultColour);
qx::TColor ReadSkinColour(const TQuickIni& ini, std::string_view section, std::string_view key,
                          qx::TColor defaultColour);

// The package member an image key names: the file-name part of the value, or "" when it does
// not name a ".bmp" file.
std::string SkinBitmapMemberName(std::string_view value);
// Loads the member an image key names into `bitmap`; an unusable reference, a missing member or
// malformed data leaves it empty (and returns false).
bool LoadSkinBitmap(const TSkinReader& package, std::string_view value, qx::TBitmap& bitmap);

// The colour sampled from the top border for the toolbar background (ButtonFace without one).
qx::TColor SkinFrameColour(const TSkinObjectSet& objects, const TSkinColours& colours);

class TSkinIniReader {
public:
    TSkinIniReader(const TSkinReader& package, const TQuickIni& ini, TSkinObjectSet& objects,
                   TSkinColours& colours);

    // One whole load, in the order the objects depend on each other (colours before the readers
    // that default to ButtonText, the frame counts before the edit frame that uses them).
    void ReadAll(std::string& skinName);

    //--- readers of single objects
    void ReadColours();
    void ReadBorders();
    void ReadSysButtons();
    void ReadButtons();
    void ReadTitle();
    void ReadProgress();
    void ReadMenuBar();
    void ReadImageObject(std::string_view section, std::unique_ptr<TDataSkinObject>& member);
    void ReadAuxImageObject(std::string_view section, std::string_view auxKey,
                            std::unique_ptr<TDataSkinBorder>& member);
    void ReadBoxLabel(std::string_view section, std::unique_ptr<TDataSkinBoxLabel>& member);
    void LoadBuiltIn(const char* resourceName, std::unique_ptr<TDataSkinObject>& member);

    //--- derived and generated objects
    void MirrorComboButton();
    void ApplyFrameCounts();
    void BuildEditFrame();
    void BuildToolbar();

private:
    std::int32_t Integer(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    void ReadImageFields(std::string_view section, TDataSkinObject& object, bool withStyle);
    void ReadTextColours(std::string_view section, TDataSkinObject& object);
    void ReadBorder(TDataSkinBorder& border, bool vertical);
    void BuildMdiButtons(std::size_t first);

    const TSkinReader& FPackage;
    const TQuickIni& FIni;
    TSkinObjectSet& FObjects;
    TSkinColours& FColours;
    std::vector<std::string> FSections;
};
