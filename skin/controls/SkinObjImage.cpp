#include "skin/controls/SkinObjImage.h"

#include "framework/TypInfo.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

#include <algorithm>

namespace {

constexpr qx::TColor kMagenta = 0xFF00FF;

qx::TObject* ObjectProp(qx::TObject& object, const wchar_t* name) {
    if (!qx::IsPublishedProp(object, name)) return nullptr;
    try {
        return qx::GetObjectProp(object, name);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

std::vector<int> ObjImagePlaces(int kind, int sourceFrames) {
    switch (kind) {
    case kObjImageCheckGlyphs: {
        const int grey = sourceFrames == 5 ? 5 : 0;
        return {1, 2, grey, 1, 2, grey, 3, 4, grey};
    }
    case kObjImageRadioGlyphs:
    case kObjImagePropertiesGlyph: return {1, 2, 1, 2, 3, 4};
    default: return {};
    }
}

void BuildObjImageStrip(qx::TBitmap& strip, qx::TBitmap& source, int sourceFrames, const std::vector<int>& places) {
    sourceFrames = std::max(1, sourceFrames);
    const int w = source.Width() / sourceFrames, h = source.Height();
    strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
    strip.SetSize(std::max(0, w * static_cast<int>(places.size())), std::max(0, h));
    if (strip.Empty() || w <= 0) return;
    qx::BitmapDc target(strip);
    {
        qx::UniqueBrush magenta(::CreateSolidBrush(kMagenta));
        const RECT all{0, 0, strip.Width(), strip.Height()};
        ::FillRect(target.get(), &all, magenta.get());
    }
    qx::BitmapDc from(source);
    for (size_t i = 0; i < places.size(); ++i) {
        const int frame = places[i];
        if (frame < 1 || frame > sourceFrames) continue;
        ::BitBlt(target.get(), w * static_cast<int>(i), 0, w, h, from.get(), w * (frame - 1), 0, SRCCOPY);
    }
}

QX_DEFINE_CLASS(TSkinObjImage, TSkinControl, b) {}

TSkinObjImage::TSkinObjImage(qx::TComponent* owner, int kind) : TSkinControl(owner), FKind(kind) {}

void TSkinObjImage::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    if (FAttached) return;
    FTarget = dynamic_cast<qx::TControl*>(Owner());
    if (!FTarget) return;
    FSkinData = skinData;
    FForm = form;
    FCanvas = canvas;
    FColourFlag = colourFlag;
    // Known by its control (and window) like every wrapper, so that no second one is made; but
    // nothing of the control is hooked.
    if (auto* windowed = dynamic_cast<qx::TWinControl*>(FTarget)) {
        FControl = windowed;
        if (windowed->HandleAllocated()) FWindow = windowed->Handle();
    } else {
        FGraphicControl = FTarget;
    }
    if (FForm) FForm->RegisterControl(this);
    ApplyColourFlag();
    FAttached = true;
    FState = kWrapperAttached;
    HandOverGlyphs();
}

void TSkinObjImage::SkinChanged() {
    TSkinControl::SkinChanged();
    HandOverGlyphs();
}

void TSkinObjImage::Detach() {
    TSkinControl::Detach();
    if (FTarget && (FKind == kObjImageCheckGlyphs || FKind == kObjImageRadioGlyphs))
        SetPropText(*FTarget, L"UseCustomGlyphs", L"False");
}

void TSkinObjImage::HandOverGlyphs() {
    if (!FTarget || !FSkinData || !FSkinData->Button) return;
    TDataSkinButton& button = *FSkinData->Button;
    const bool radio = FKind == kObjImageRadioGlyphs;
    qx::TBitmap& source = radio ? button.RadioBitmap : button.CheckBitmap;
    const int frames = radio ? button.RadioFrames : button.CheckFrames;
    if (source.Empty()) return;
    qx::TBitmap strip;
    BuildObjImageStrip(strip, source, frames, ObjImagePlaces(FKind, frames));
    if (strip.Empty()) return;
    if (FKind == kObjImagePropertiesGlyph) {
        if (qx::TObject* properties = ObjectProp(*FTarget, L"Properties"))
            if (auto* glyph = dynamic_cast<qx::TBitmap*>(ObjectProp(*properties, L"Glyph"))) glyph->Assign(&strip);
        return;
    }
    auto* glyphs = dynamic_cast<qx::TBitmap*>(ObjectProp(*FTarget, L"CustomGlyphs"));
    if (!glyphs) return;
    glyphs->Assign(&strip);
    SetPropText(*FTarget, L"TransparentColor", L"16711935");
    // Off and on again: the control reloads its glyphs only when the switch changes.
    SetPropText(*FTarget, L"UseCustomGlyphs", L"False");
    SetPropText(*FTarget, L"UseCustomGlyphs", L"True");
}
