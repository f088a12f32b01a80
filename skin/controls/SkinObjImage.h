// TSkinObjImage: for check boxes and radio buttons of control families that draw their own
// glyphs from a strip the program gives them. Instead of painting, it builds that strip from
// the skin's check or radio image and hands it to the control; no message is hooked.
//
// Kind 1: a check box with CustomGlyphs (nine places: unchecked, checked, grey; each normal,
// then disabled, and a third row of grey frames when the skin has them). Kind 2: a radio
// button with CustomGlyphs (six places). Kind 3: a check box whose Properties object takes the
// six-place strip as Glyph.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

#include <vector>

inline constexpr int kObjImageCheckGlyphs = 1;
inline constexpr int kObjImageRadioGlyphs = 2;
inline constexpr int kObjImagePropertiesGlyph = 3;

// The skin frames (from 1; 0 leaves the place empty) that fill the places of a kind's strip,
// for a source image of `sourceFrames` frames.
std::vector<int> ObjImagePlaces(int kind, int sourceFrames);
// The strip: one frame width per place, magenta where a place stays empty.
void BuildObjImageStrip(qx::TBitmap& strip, qx::TBitmap& source, int sourceFrames, const std::vector<int>& places);

class TSkinObjImage : public TSkinControl {
    QX_CLASS(TSkinObjImage)
public:
    TSkinObjImage(qx::TComponent* owner, int kind);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void Detach() override;
    void SkinChanged() override;

    int Kind() const { return FKind; }

private:
    void HandOverGlyphs();
    int FKind;
    qx::TControl* FTarget = nullptr;
};
