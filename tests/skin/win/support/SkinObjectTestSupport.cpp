#include "support/SkinObjectTestSupport.h"

#include "skin/data/SkinIni.h"

#include <algorithm>

namespace skinobjtest {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

struct TImage {
    const char* Name;
    int Width;
    int Height;
};

// Every bitmap the realistic description names, with its size.
constexpr TImage kImages[] = {
    {"frame-top.bmp", 200, 30},     {"frame-left.bmp", 8, 60},      {"frame-right.bmp", 8, 60},
    {"frame-bottom.bmp", 200, 8},   {"title-back.bmp", 40, 20},     {"menubar.bmp", 60, 19},
    {"btn-close.bmp", 120, 21},     {"btn-max.bmp", 120, 21},       {"btn-min.bmp", 120, 21},
    {"btn-roll.bmp", 63, 21},       {"btn-help.bmp", 60, 21},       {"btn-user.bmp", 40, 20},
    {"btn-hidden.bmp", 120, 21},    {"buttons.bmp", 100, 21},       {"check.bmp", 78, 13},
    {"radio.bmp", 64, 16},          {"progress.bmp", 40, 10},       {"chunk.bmp", 6, 10},
    {"groupbox-edge.bmp", 40, 20},  {"tabs.bmp", 100, 20},          {"tab-border.bmp", 20, 20},
    {"statusbar.bmp", 60, 20},      {"toolbars.bmp", 100, 22},      {"combo.bmp", 68, 21},
    {"sunk.bmp", 80, 21},           {"extra.bmp", 45, 9},           {"header.bmp", 100, 18},
    {"menuitem.bmp", 100, 18},      {"menubackground.bmp", 30, 30}, {"scrollbar.bmp", 23 * 16, 16},
    {"hscroll.bmp", 64, 16},        {"vscroll.bmp", 64, 16},        {"hthumb.bmp", 64, 16},
    {"vthumb.bmp", 48, 16},         {"thumb-h.bmp", 55, 20},        {"thumb-v.bmp", 55, 11},
    {"updown-h.bmp", 128, 16},      {"updown-glyph.bmp", 64, 8},
};

constexpr char kDescription[] = R"(; A test skin laid out like the shipped ones
[TitlebarSkin]
SkinName=Candy Test
Author=nobody

[Personality]
Top=frame-top.bmp
TopTopHeight=30
TopBotHeight=40
TopFrame=2
TopStretch=2
TopTrans=0
Left=CandyTest\frame-left.bmp
LeftTopHeight=5
LeftBotHeight=6
LeftFrame=2
LeftStretch=0
Right=frame-right.bmp
RightTopHeight=7
RightBotHeight=8
RightFrame=2
Bottom=frame-bottom.bmp
BottomTopHeight=9
BottomBotHeight=10
BottomFrame=2
TextBack=title-back.bmp
TextShift=12
TextShiftVert=3
TextRightClip=60
TextAlignment=1
Textbackground=1
TXTBackleft=4
TXTBackRight=5
ActiveTextR=255
ActiveTextG=255
ActiveTextB=0
InactiveTextR=128
InactiveTextG=129
InactiveTextB=130
menuBar=menubar.bmp
TileMenu=3
TileLeftMenu=0
TileRightMenu=1

[Fonts]
FontHeight=13
FontName=Tahoma

[Colours]
WindowText=1 2 3
ButtonFace=236 233 216
ButtonText=3 32 108
Hilight=49 106 197
HilightText=255 255 255
MenuText=7 8 9

[Colour1]
color=10 20 30
[ColourX]
[Colours.Extra]
color=40 50 60

[Button0]
Action=0
Align=1
Xcoord=25
Ycoord=5
ButtonImage=btn-close.bmp
[Button1]
Action=1
Align=1
Xcoord=45
Ycoord=5
ButtonImage=btn-max.bmp
[Button2]
Action=2
Align=1
Xcoord=65
Ycoord=5
ButtonImage=btn-min.bmp
[Button3]
Action=3
ButtonImage=btn-roll.bmp
[Button4]
Action=4
ButtonImage=btn-help.bmp
[Button5]
Action=11
[Button6]
Action=-1
ButtonImage=btn-hidden.bmp
[Button7]
Action=-1
Visibility=0
ButtonImage=btn-hidden.bmp
[Button8]
Action=5
frame=2
CombineOp=3
Visibility1=2
ButtonImage=btn-user.bmp
[Button9]
Action=-1
Visibility=1

[Buttons]
Bitmap=buttons.bmp
LeftWidth=3
RightWidth=4
TopHeight=5
BottomHeight=6
Trans=1
Tile=2
CheckButton=check.bmp
RadioButton=radio.bmp
RadioButtonFrame=8
NormalColour=2
NormalColour2=3 32 108
PressedColour2=

[Button.Radio]
Image=radio.bmp
[Button]
Image=buttons.bmp

[Progress]
Bitmap=progress.bmp
Chunk=chunk.bmp
LeftWidth=2
RightWidth=2
Tile=2
NormalColour=5

[GroupBoxEdge]
Image=groupbox-edge.bmp
LeftWidth=4
TopHeight=4
RightWidth=4
BottomHeight=4

[Tabs]
Image=tabs.bmp
Border=tab-border.bmp
LeftWidth=4
Style=7

[StatusBarEdges]
Image=statusbar.bmp
[ToolBars]
Image=toolbars.bmp

[ComboButton]
Image=combo.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[SunkEdge]
Image=sunk.bmp
LeftWidth=2
RightWidth=3
TopHeight=4
BottomHeight=5

[ExtraImages]
Image=extra.bmp
[Headerbar]
Image=header.bmp
[MenuItem]
Image=menuitem.bmp
Tile=1
[MenuBackground]
Image=CandyTest\MenuBackground.bmp
[Scrollbar]
Image=scrollbar.bmp
[HorzScroll]
Image=hscroll.bmp
Tile=2
[VertScroll]
Image=vscroll.bmp
[HorzScrollThumb]
Image=hthumb.bmp
FrameCount=4
[VertScrollThumb]
Image=vthumb.bmp

[Trackbar.ThumbHorz]
Image=thumb-h.bmp
Style=3
[Trackbar.ThumbVert]
Image=thumb-v.bmp
[Trackbar.ThumbLeft]
Image=
[Trackbar.ThumbRight]
Image=THUMB-H.BMP

[UpDown.Horz]
Image=updown-h.bmp
GlyphImage=updown-glyph.bmp

[MdiControls]
Image=mdi.bmp

[Edit]
Image=sunk.bmp
[Something.Else]
Key=value
)";

}  // namespace

std::vector<std::uint8_t> Bmp24(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>((w * 3 + 3) & ~3);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {  // bottom-up
        std::size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour(x, y);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}

std::vector<std::uint8_t> SolidBmp(int w, int h, COLORREF colour) {
    return Bmp24(w, h, [colour](int, int) { return colour; });
}

std::vector<std::uint8_t> Package(const std::vector<TMember>& members, std::int32_t version) {
    std::string names;
    for (const TMember& m : members) names += m.Name + "\r\n";
    std::vector<std::uint8_t> out;
    Put32(out, static_cast<std::uint32_t>(version));
    Put32(out, static_cast<std::uint32_t>(names.size()));
    Put32(out, 0x12345678);
    Put32(out, 0x9ABCDEF0);
    out.insert(out.end(), names.begin(), names.end());
    for (const TMember& m : members) Put32(out, static_cast<std::uint32_t>(m.Bytes.size()));
    for (const TMember& m : members) out.insert(out.end(), m.Bytes.begin(), m.Bytes.end());
    return out;
}

// Never magenta: every channel stays within 16..239.
COLORREF MemberColour(const std::string& name) {
    std::uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return RGB(16 + h % 224, 16 + (h >> 8) % 224, 16 + (h >> 16) % 224);
}

std::string RealisticDescription() { return kDescription; }

std::vector<TMember> RealisticMembers() {
    std::vector<TMember> members;
    for (const TImage& image : kImages)
        members.push_back({image.Name, SolidBmp(image.Width, image.Height, MemberColour(image.Name))});
    // Each column of the MDI strip says where it came from.
    members.push_back({"mdi.bmp", Bmp24(180, 14, [](int x, int) { return RGB(x, 7, 9); })});
    const std::string ini = kDescription;
    members.push_back({"candytest.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return members;
}

bool LoadMembers(const std::vector<TMember>& members, TSkinReader& reader, TQuickIni& ini) {
    if (reader.ParsePackage(Package(members)) != TPackageStatus::psLoaded) return false;
    std::string name;
    ini.Load(reader.FindFile(".ini", name));
    return true;
}

void PutMember(std::vector<TMember>& members, const std::string& name, std::vector<std::uint8_t> bytes) {
    auto it = std::find_if(members.begin(), members.end(), [&](const TMember& m) { return m.Name == name; });
    if (it != members.end()) it->Bytes = std::move(bytes);
    else members.push_back({name, std::move(bytes)});
}

std::vector<TMember> WithDescription(const std::string& description, std::vector<TMember> members) {
    std::erase_if(members, [](const TMember& m) { return m.Name.find(".ini") != std::string::npos; });
    PutMember(members, "test.ini", std::vector<std::uint8_t>(description.begin(), description.end()));
    return members;
}

bool TLoadedSkin::Load(const std::vector<TMember>& members) {
    if (!LoadMembers(members, Package, Ini)) return false;
    TSkinIniReader(Package, Ini, Objects, Colours).ReadAll(SkinName);
    return true;
}

bool IsSolid(const qx::TBitmap& bitmap, COLORREF colour) {
    if (bitmap.Empty()) return false;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (static_cast<COLORREF>(bitmap.Pixel(x, y)) != colour) return false;
    return true;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace skinobjtest
