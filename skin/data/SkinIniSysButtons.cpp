// The caption buttons of a skin: one per [ButtonN] section the skin really uses, then the three
// buttons (actions 7, 8 and 9) that a maximized MDI child shows in its parent's menu bar, cut
// out of the [MDICONTROLS] image.
#include "skin/data/SkinIni.h"

#include <algorithm>

namespace {

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

// [Button], [Buttons], [Button.Radio] and [Button.CheckBox] describe controls, not caption
// buttons.
bool IsCaptionButtonSection(const std::string& upper) {
    return upper.starts_with("BUTTON") && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX" && upper != "BUTTON";
}

constexpr int kMdiActions[3] = {7, 8, 9};
constexpr int kMdiButtonFrames = 4;

}  // namespace

void TSkinIniReader::ReadSysButtons() {
    auto& buttons = FObjects.SysButtons;
    buttons.clear();

    // A button whose Action is -1 is only kept when the skin makes it visible explicitly.
    std::vector<std::string> names;
    for (const std::string& section : FSections) {
        if (!IsCaptionButtonSection(UpperAscii(section))) continue;
        const std::int32_t action = Integer(section, "Action", 0);
        const std::int32_t visibility = Integer(section, "Visibility", -1);
        if (action == -1 && visibility != 0) continue;
        names.push_back(section);
    }

    for (const std::string& section : names) {
        auto button = std::make_unique<TDataSkinSysButton>(UpperAscii(section));
        TDataSkinSysButton& b = *button;
        b.Action = Integer(section, "Action", 0);
        b.Align = Integer(section, "Align", 0);
        b.Xcoord = Integer(section, "Xcoord", 0);
        b.Ycoord = Integer(section, "Ycoord", 0);
        b.Visibility = Integer(section, "Visibility", 0);
        b.Visibility1 = Integer(section, "Visibility1", b.Action == -1 ? -1 : 0);
        b.CombineOp = Integer(section, "CombineOp", -1);
        b.FrameCount = Integer(section, "frame", 0);
        LoadSkinBitmap(FPackage, FIni.ReadString(section, "ButtonImage", ""), b.Bitmap);
        // Without a frame count the image's shape decides: wide strips hold six frames, short
        // ones three. A negative count is treated as missing, so no painter divides by it.
        if (b.FrameCount <= 0) {
            b.FrameCount = 6;
            if (!b.Bitmap.Empty()) {
                const double ratio = static_cast<double>(b.Bitmap.Width()) / b.Bitmap.Height();
                b.FrameCount = ratio <= 3.8 ? 3 : 6;
                if (b.Action < 0) b.FrameCount = 6;
            }
            if (b.Action == 3 || b.Action == 11) b.Bitmap.Assign(nullptr);
        }
        buttons.push_back(std::move(button));
    }
    BuildMdiButtons(buttons.size());
}

void TSkinIniReader::BuildMdiButtons(std::size_t first) {
    auto& buttons = FObjects.SysButtons;
    for (int action : kMdiActions) {
        auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        button->Action = action;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->FrameCount = kMdiButtonFrames;
        buttons.push_back(std::move(button));
    }

    // The image holds twelve frames: four for each of the three buttons, in action order.
    qx::TBitmap strip;
    LoadSkinBitmap(FPackage, FIni.ReadString("MDICONTROLS", "Image", ""), strip);
    if (strip.Empty()) return;
    strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
    const int a = strip.Width() / 12;
    const int h = strip.Height();
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *buttons[first + i];
        b.Xcoord = (a + 4) * (3 - i);
        if (a == 0) continue;  // too narrow for twelve frames: the button stays without image
        b.Bitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
        b.Bitmap.SetSize(a * 4, h);
        for (int y = 0; y < h; ++y)
            std::copy_n(strip.ScanLine(y) + a * 4 * i * 3, a * 4 * 3, b.Bitmap.ScanLine(y));
    }
}
