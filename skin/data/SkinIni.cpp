#include "skin/data/SkinIni.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kUnitName[] = "Winskinini";
constexpr int kReadSectionsLine = 318;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

qx::TColor MakeColour(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

}  // namespace

//--- values

void ReadSkinSections(const TQuickIni& ini, std::vector<std::string>* strings) {
    SkinAssert(strings != nullptr, "The parameter Strings is unassigned!", kUnitName, kReadSectionsLine);
    ini.ReadSections(*strings);
}

// Runs of digits are the components; a run still open at the end of the text only counts as
// blue (after exactly two ended runs). A fourth ended run is ignored, so the first three
// decide. Each run is reduced to its low 8 bits as it is scanned, so no length of digits can
// overflow.
qx::TColor ParseSkinColour(std::string_view text, qx::TColor defaultColour) {
    text = Trim(text);
    if (text.empty()) return defaultColour;
    std::int32_t components[3] = {0, 0, 0};
    int stored = 0;
    bool inRun = false;
    std::int32_t run = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + (c - '0')) & 0xFF;
            inRun = true;
            continue;
        }
        if (inRun && stored < 3) components[stored++] = run;
        inRun = false;
        run = 0;
    }
    if (inRun && stored == 2) components[stored++] = run;
    return MakeColour(components[0], components[1], components[2]);
}

qx::TColor ReadSkinColour(const TQuickIni& ini, std::string_view section, std::string_view key,
                          qx::TColor defaultColour) {
    return ParseSkinColour(ini.ReadString(section, key, ""), defaultColour);
}

// Only the file-name part counts ("CandyGlass_2\MenuBackground.bmp" names
// "MenuBackground.bmp"); a forward slash is no separator. The extension must be ".bmp"
// exactly, in lower case.
std::string SkinBitmapMemberName(std::string_view value) {
    const std::size_t cut = value.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? value : value.substr(cut + 1);
    const std::size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}

bool LoadSkinBitmap(const TSkinReader& package, std::string_view value, qx::TBitmap& bitmap) {
    const std::string member = SkinBitmapMemberName(value);
    const auto bytes = member.empty() ? std::span<const std::uint8_t>() : package.GetFile(member);
    if (bytes.empty()) {
        bitmap.Assign(nullptr);  // empties it
        return false;
    }
    return bitmap.LoadFromMemory(bytes);
}

//--- the reader

TSkinIniReader::TSkinIniReader(const TSkinReader& package, const TQuickIni& ini, TSkinObjectSet& objects,
                               TSkinColours& colours)
    : FPackage(package), FIni(ini), FObjects(objects), FColours(colours) {}

std::int32_t TSkinIniReader::Integer(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    return FIni.ReadInteger(section, key, defaultValue);
}

void TSkinIniReader::ReadAll(std::string& skinName) {
    ReadSkinSections(FIni, &FSections);
    skinName = FIni.ReadString("TitlebarSkin", "SkinName", "");
    ReadBorders();
    ReadColours();
    ReadSysButtons();
    ReadButtons();
    ReadTitle();
    ReadProgress();
    ReadMenuBar();
    ReadImageObject("GroupBoxEdge", FObjects.GroupBoxEdge);
    ReadBoxLabel("GroupBox", FObjects.GroupBox);
    ReadAuxImageObject("Tabs", "Border", FObjects.Tabs);
    ReadImageObject("StatusBarEdges", FObjects.StatusBarEdges);
    ReadImageObject("ToolBars", FObjects.ToolBars);
    // No description has this auxiliary key: the combo button's second image is its mirror.
    ReadAuxImageObject("ComboButton", "****", FObjects.ComboButton);
    MirrorComboButton();
    ReadImageObject("SunkEdge", FObjects.SunkEdge);
    ReadImageObject("ExtraImages", FObjects.ExtraImages);
    ReadImageObject("Headerbar", FObjects.Headerbar);
    ReadImageObject("MenuItem", FObjects.MenuItem);
    ReadImageObject("MenuBackground", FObjects.MenuBackground);
    ReadImageObject("Scrollbar", FObjects.Scrollbar);
    ReadImageObject("HorzScroll", FObjects.HorzScroll);
    ReadImageObject("VertScroll", FObjects.VertScroll);
    ReadImageObject("HorzScrollThumb", FObjects.HorzScrollThumb);
    ReadImageObject("VertScrollThumb", FObjects.VertScrollThumb);
    ReadImageObject("Trackbar.ThumbHorz", FObjects.ThumbHorz);
    ReadImageObject("Trackbar.ThumbVert", FObjects.ThumbVert);
    ReadImageObject("Trackbar.ThumbLeft", FObjects.ThumbLeft);
    ReadImageObject("Trackbar.ThumbRight", FObjects.ThumbRight);
    ReadImageObject("Trackbar.ThumbUp", FObjects.ThumbUp);
    ReadImageObject("Trackbar.ThumbDown", FObjects.ThumbDown);
    ReadAuxImageObject("UpDown.Horz", "GlyphImage", FObjects.UpDownHorz);
    ReadAuxImageObject("UpDown.Vert", "GlyphImage", FObjects.UpDownVert);
    LoadBuiltIn("TRACK", FObjects.Track);
    LoadBuiltIn("TRACKVERT", FObjects.TrackVert);
    ApplyFrameCounts();
    BuildEditFrame();
    BuildToolbar();
}

void TSkinIniReader::ReadColours() {
    const std::string_view s = "Colours";
    TSkinColours& c = FColours;
    c.WindowText = ReadSkinColour(FIni, s, "WindowText", qx::SysColor(COLOR_WINDOWTEXT));
    c.TitleTextActive = ReadSkinColour(FIni, s, "TitleTextActive", qx::SysColor(COLOR_CAPTIONTEXT));
    c.TitleTextNoActive = ReadSkinColour(FIni, s, "TitleTextNoActive", qx::SysColor(COLOR_INACTIVECAPTIONTEXT));
    c.ButtonFace = ReadSkinColour(FIni, s, "ButtonFace", qx::SysColor(COLOR_BTNFACE));
    c.ButtonText = ReadSkinColour(FIni, s, "ButtonText", qx::SysColor(COLOR_BTNTEXT));
    c.ButtonHilight = ReadSkinColour(FIni, s, "ButtonHilight", qx::SysColor(COLOR_BTNHIGHLIGHT));
    // The same system colour as ButtonHilight, not the 3D light one.
    c.Buttonlight = ReadSkinColour(FIni, s, "Buttonlight", qx::SysColor(COLOR_BTNHIGHLIGHT));
    c.ButtonShadow = ReadSkinColour(FIni, s, "ButtonShadow", qx::SysColor(COLOR_BTNSHADOW));
    c.ButtonDkShadow = ReadSkinColour(FIni, s, "ButtonDkShadow", qx::SysColor(COLOR_3DDKSHADOW));
    c.HilightText = ReadSkinColour(FIni, s, "HilightText", qx::SysColor(COLOR_HIGHLIGHTTEXT));
    c.Hilight = ReadSkinColour(FIni, s, "Hilight", qx::SysColor(COLOR_HIGHLIGHT));
    c.MenubarColour = ReadSkinColour(FIni, s, "Menubar", c.ButtonFace);
    c.MenuBarText = ReadSkinColour(FIni, s, "MenuBarText", qx::SysColor(COLOR_MENUTEXT));
    c.MenuText = ReadSkinColour(FIni, s, "MenuText", qx::SysColor(COLOR_MENUTEXT));
    c.Menu = ReadSkinColour(FIni, s, "Menu", qx::SysColor(COLOR_MENU));
    c.ScrollbarColour = ReadSkinColour(FIni, s, "Scrollbar", qx::SysColor(COLOR_SCROLLBAR));

    c.ColourList.clear();
    for (const std::string& section : FSections) {
        const std::string upper = UpperAscii(section);
        if (upper.starts_with("COLOUR") && upper != "COLOURS")
            c.ColourList.push_back(ReadSkinColour(FIni, section, "color", qx::SysColor(COLOR_WINDOWTEXT)));
    }
    for (std::size_t i = 0; i < c.CustomColours.size(); ++i)
        c.CustomColours[i] = ReadSkinColour(FIni, "Customcolors", "Color" + std::to_string(i), qx::clWhite);
}

//--- objects of the [Personality] section and the push button

// The strips of the frame. Left and right carry their fixed end parts as top and bottom
// margins; top and bottom carry theirs as left and right margins.
void TSkinIniReader::ReadBorder(TDataSkinBorder& border, bool vertical) {
    const std::string_view s = "Personality";
    const std::string& name = border.Name;
    const std::int32_t first = Integer(s, name + "TopHeight", 0);
    const std::int32_t last = Integer(s, name + "BotHeight", 0);
    border.Margins = vertical ? RECT{0, first, 0, last} : RECT{first, 0, last, 0};
    // A frame count below 1 would make every frame width a division by zero: one frame then.
    border.FrameCount = std::max<std::int32_t>(1, Integer(s, name + "Frame", 1));
    border.Tile = std::min<std::int32_t>(1, Integer(s, name + "Stretch", 1));
    border.Trans = Integer(s, name + "Trans", 1);
    LoadSkinBitmap(FPackage, FIni.ReadString(s, name, ""), border.Bitmap);
}

void TSkinIniReader::ReadBorders() {
    ReadBorder(*FObjects.BorderLeft, true);
    ReadBorder(*FObjects.BorderRight, true);
    ReadBorder(*FObjects.BorderTop, false);
    ReadBorder(*FObjects.BorderBottom, false);
}

void TSkinIniReader::ReadButtons() {
    const std::string_view s = "Buttons";
    TDataSkinButton& b = *FObjects.Button;
    b.Margins.left = Integer(s, "LeftWidth", 0);
    b.Margins.right = Integer(s, "RightWidth", 0);
    b.Margins.top = Integer(s, "TopHeight", 0);
    b.Margins.bottom = Integer(s, "BottomHeight", 0);
    b.Trans = Integer(s, "Trans", 0);
    LoadSkinBitmap(FPackage, FIni.ReadString(s, "Bitmap", ""), b.Bitmap);
    b.Tile = Integer(s, "Tile", 0);
    if (b.Tile > 1) b.Tile = 0;
    LoadSkinBitmap(FPackage, FIni.ReadString(s, "CheckButton", ""), b.CheckBitmap);
    LoadSkinBitmap(FPackage, FIni.ReadString(s, "RadioButton", ""), b.RadioBitmap);
    b.NormalColour = Integer(s, "NormalColour", -1);
    b.MouseOverColour = Integer(s, "MouseOverColour", -1);
    b.PressedColour = Integer(s, "PressedColour", -1);
    // A negative count is taken as "not given": the frame-count step then measures the image.
    b.RadioFrames = std::max<std::int32_t>(0, Integer(s, "RadioButtonFrame", 0));
    b.CheckFrames = std::max<std::int32_t>(0, Integer(s, "CheckButtonFrame", 0));
    const std::string normal = FIni.ReadString(s, "NormalColour2", "");
    const std::string over = FIni.ReadString(s, "MouseOverColour2", "");
    const std::string pressed = FIni.ReadString(s, "PressedColour2", "");
    b.HasNormalColour2 = !normal.empty();
    b.HasMouseOverColour2 = !over.empty();
    b.HasPressedColour2 = !pressed.empty();
    b.NormalColour2 = ParseSkinColour(normal, FColours.ButtonText);
    b.MouseOverColour2 = ParseSkinColour(over, FColours.ButtonText);
    b.PressedColour2 = ParseSkinColour(pressed, FColours.ButtonText);
}

void TSkinIniReader::ReadTitle() {
    const std::string_view s = "Personality";
    TDataSkinTitle& t = *FObjects.Title;
    LoadSkinBitmap(FPackage, FIni.ReadString(s, "TextBack", ""), t.Bitmap);
    t.Margins = RECT{Integer(s, "TextShift", 0), Integer(s, "TextShiftVert", 0), Integer(s, "TextRightClip", 0), 0};
    t.TextAlignment = Integer(s, "TextAlignment", 0);
    t.Textbackground = Integer(s, "Textbackground", 0);
    t.TXTBackleft = Integer(s, "TXTBackleft", 0);
    t.TXTBackRight = Integer(s, "TXTBackRight", 0);
    t.FontHeight = Integer("Fonts", "FontHeight", 14);
    // A colour counts only when all three keys give a value of 0 or more; a skin that gives
    // none must not inherit the previous skin's colour.
    auto tripleColour = [&](const std::string& prefix) {
        const std::int32_t r = Integer(s, prefix + "R", -1), g = Integer(s, prefix + "G", -1),
                           b = Integer(s, prefix + "B", -1);
        return r >= 0 && g >= 0 && b >= 0 ? MakeColour(r, g, b) : kNoSkinColour;
    };
    t.ActiveText = tripleColour("ActiveText");
    t.InActiveText = tripleColour("InActiveText");
}

// For the menu bar the left and right margins carry the tiling flags of the bar's two ends.
void TSkinIniReader::ReadMenuBar() {
    const std::string_view s = "Personality";
    FObjects.MenuBar.reset();
    const std::string image = FIni.ReadString(s, "menuBar", "");
    if (image.empty()) return;
    auto bar = std::make_unique<TDataSkinObject>("Personality");
    LoadSkinBitmap(FPackage, image, bar->Bitmap);
    bar->Tile = std::min<std::int32_t>(1, Integer(s, "TileMenu", 1));
    bar->Margins = RECT{Integer(s, "TileLeftMenu", 1), 0, Integer(s, "TileRightMenu", 1), 0};
    FObjects.MenuBar = std::move(bar);
}

//--- image objects of their own sections

void TSkinIniReader::ReadImageFields(std::string_view section, TDataSkinObject& object, bool withStyle) {
    if (withStyle) object.Style = Integer(section, "Style", 0);
    object.Margins.left = Integer(section, "LeftWidth", 0);
    object.Margins.right = Integer(section, "RightWidth", 0);
    object.Margins.top = Integer(section, "TopHeight", 0);
    object.Margins.bottom = Integer(section, "BottomHeight", 0);
    object.Trans = Integer(section, "Trans", 0);
    object.Tile = Integer(section, "Tile", 0);
}

void TSkinIniReader::ReadTextColours(std::string_view section, TDataSkinObject& object) {
    object.NormalColour = Integer(section, "NormalColour", -1);
    object.MouseOverColour = Integer(section, "MouseOverColour", -1);
    object.PressedColour = Integer(section, "PressedColour", -1);
    object.NormalColour2 = ReadSkinColour(FIni, section, "NormalColour2", FColours.ButtonText);
    object.MouseOverColour2 = ReadSkinColour(FIni, section, "MouseOverColour2", FColours.ButtonText);
    object.PressedColour2 = ReadSkinColour(FIni, section, "PressedColour2", FColours.ButtonText);
}

void TSkinIniReader::ReadImageObject(std::string_view section, std::unique_ptr<TDataSkinObject>& member) {
    member.reset();
    const std::string image = FIni.ReadString(section, "Image", "");
    if (image.empty()) return;
    auto object = std::make_unique<TDataSkinObject>(std::string(section));
    LoadSkinBitmap(FPackage, image, object->Bitmap);
    ReadImageFields(section, *object, true);
    ReadTextColours(section, *object);
    if (object->Tile > 1) object->Tile = 0;
    member = std::move(object);
}

void TSkinIniReader::ReadAuxImageObject(std::string_view section, std::string_view auxKey,
                                        std::unique_ptr<TDataSkinBorder>& member) {
    member.reset();
    const std::string image = FIni.ReadString(section, "Image", "");
    if (image.empty()) return;
    auto object = std::make_unique<TDataSkinBorder>(std::string(section));
    LoadSkinBitmap(FPackage, image, object->Bitmap);
    if (!auxKey.empty()) LoadSkinBitmap(FPackage, FIni.ReadString(section, auxKey, ""), object->AuxBitmap);
    ReadImageFields(section, *object, false);
    ReadTextColours(section, *object);
    if (object->Tile > 1) object->Tile = 0;
    member = std::move(object);
}

// The progress bar takes its image from Bitmap and its chunk from Chunk, and has no text.
void TSkinIniReader::ReadProgress() {
    const std::string_view s = "Progress";
    FObjects.Progress.reset();
    const std::string image = FIni.ReadString(s, "Bitmap", "");
    if (image.empty()) return;
    auto object = std::make_unique<TDataSkinBorder>(std::string(s));
    LoadSkinBitmap(FPackage, image, object->Bitmap);
    LoadSkinBitmap(FPackage, FIni.ReadString(s, "Chunk", ""), object->AuxBitmap);
    ReadImageFields(s, *object, true);
    if (object->Tile > 1) object->Tile = 1;
    FObjects.Progress = std::move(object);
}

void TSkinIniReader::ReadBoxLabel(std::string_view section, std::unique_ptr<TDataSkinBoxLabel>& member) {
    member.reset();
    const std::string image = FIni.ReadString(section, "Image", "");
    if (image.empty()) return;
    auto object = std::make_unique<TDataSkinBoxLabel>(std::string(section));
    LoadSkinBitmap(FPackage, image, object->Bitmap);
    ReadImageFields(section, *object, true);
    ReadTextColours(section, *object);
    if (object->Tile > 1) object->Tile = 0;
    object->BackgroundAlignment = Integer(section, "BackgroundAlignment", 0);
    object->BackgroundLeftShift = Integer(section, "BackgroundLeftShift", 0);
    object->BackgroundRightShift = Integer(section, "BackgroundRightShift", 0);
    member = std::move(object);
}
