#include "AdLayouts.h"

#include <cwchar>

#include "AdColour.h"
#include "AdCopy.h"

namespace admds {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Colours for what is drawn straight on the panel's background, which may be light or dark.
struct TInks {
    COLORREF Text, Muted, Accent;
};

TInks InksOn(COLORREF background, const TAdTheme& theme) noexcept {
    bool dark = ColourLuma(background) < 128;
    COLORREF text = dark ? RGB(236, 238, 242) : RGB(36, 40, 48);
    return {text, MixColour(text, background, 40), dark ? theme.Light : theme.Deep};
}

// The product mark: a hub wired to three hosts on a ring, on a disc.
void DrawMark(const TAdCanvas& c, double cx, double cy, double r, COLORREF disc, COLORREF ink) noexcept {
    c.Disc(cx, cy, r, disc);
    const double d = r * 0.52;
    const double nodes[3][2] = {{cx, cy - d}, {cx + d * 0.866, cy + d * 0.5}, {cx - d * 0.866, cy + d * 0.5}};
    c.Ring(cx, cy, d, r * 0.07, MixColour(ink, disc, 55));
    for (const auto& n : nodes) c.Line(cx, cy, n[0], n[1], r * 0.1, ink);
    for (const auto& n : nodes) c.Disc(n[0], n[1], r * 0.16, ink);
    c.Disc(cx, cy, r * 0.22, ink);
    c.Disc(cx, cy, r * 0.1, disc);
}

// Faint signal arcs spreading from a point near a card's corner, kept inside the card.
void DrawWaves(const TAdCanvas& c, const TBox& card, double radius, double cx, double cy,
               double first, double step, COLORREF colour) noexcept {
    c.ClipRound(card, radius);
    for (int i = 0; i < 3; ++i) c.Ring(cx, cy, first + step * i, step * 0.22, colour);
    c.Unclip();
}

void DrawCheck(const TAdCanvas& c, double x, double y, COLORREF colour) noexcept {
    c.Line(x, y + 3.5, x + 3, y + 6.5, 1.8, colour);
    c.Line(x + 3, y + 6.5, x + 8.5, y + 0.5, 1.8, colour);
}

}  // namespace

void LayoutBanner(const TAdCanvas& c, const TAdLook& look) noexcept {
    const TAdTheme& theme = ThemeOf(look.Variant);
    const TAdTagline& tag = TaglineOf(look.Variant);
    const TBox card{0.5, 0.5, 179.5, 59.5};
    c.RoundCard(card, 9, theme.Deep, theme.Light, false);
    DrawWaves(c, card, 9, 184, 64, 16, 12, MixColour(theme.Light, kWhite, 20));
    DrawMark(c, 30, 30, 21, kWhite, theme.Deep);

    c.Text({58, 5, 176, 26}, kProductName, {ffLatin, 17, true}, kWhite, DT_LEFT | DT_VCENTER);
    c.Text({58, 25, 176, 42}, tag.Chinese, {ffCjk, 12}, kWhite, DT_LEFT | DT_VCENTER, 10);
    c.Text({58, 41, 176, 56}, tag.English, {ffLatin, 10}, MixColour(kWhite, theme.Light, 25),
           DT_LEFT | DT_VCENTER, 8.5);
}

void LayoutLine(const TAdCanvas& c, const TAdLook& look) noexcept {
    const TAdTheme& theme = ThemeOf(look.Variant);
    const TAdTagline& tag = TaglineOf(look.Variant);
    const TInks ink = InksOn(look.Background, theme);
    DrawMark(c, 10, 10, 8, theme.Deep, kWhite);
    // Chevron: the line reads as a link-like strip even though nothing is opened.
    c.Line(171, 6.5, 174.5, 10, 1.5, ink.Accent);
    c.Line(174.5, 10, 171, 13.5, 1.5, ink.Accent);

    const TAdFont name{ffLatin, 11, true};
    const TAdFont dot{ffLatin, 11};
    double x = 22;
    c.Text({x, 0, 100, 20}, kProductName, name, ink.Accent, DT_LEFT | DT_VCENTER);
    x += c.TextWidth(kProductName, name) + 3;
    c.Text({x, 0, x + 10, 20}, L"\u00B7", dot, ink.Muted, DT_LEFT | DT_VCENTER);
    x += c.TextWidth(L"\u00B7", dot) + 3;
    c.Text({x, 0, 166, 20}, tag.Chinese, {ffCjk, 12}, ink.Text, DT_LEFT | DT_VCENTER, 10);
}

void LayoutSquare(const TAdCanvas& c, const TAdLook& look) noexcept {
    const TAdTheme& theme = ThemeOf(look.Variant);
    const TAdTagline& tag = TaglineOf(look.Variant);
    const TBox card{0.5, 0.5, 89.5, 89.5};
    c.RoundCard(card, 10, theme.Deep, theme.Light, true);
    DrawWaves(c, card, 10, 94, -4, 14, 11, MixColour(theme.Deep, kWhite, 14));
    DrawMark(c, 45, 28, 19, kWhite, theme.Deep);

    c.Text({2, 49, 88, 66}, kProductName, {ffLatin, 14, true}, kWhite, DT_CENTER | DT_VCENTER);
    c.Text({4, 66, 86, 82}, tag.Chinese, {ffCjk, 11}, kWhite, DT_CENTER | DT_VCENTER, 8.5);
}

void LayoutColumn(const TAdCanvas& c, const TAdLook& look) noexcept {
    const TAdTheme& theme = ThemeOf(look.Variant);
    const TAdTagline& tag = TaglineOf(look.Variant);
    const TInks ink = InksOn(look.Background, theme);

    //--- header card
    const TBox head{0.5, 0.5, 179.5, 122};
    c.RoundCard(head, 10, theme.Deep, theme.Light, true);
    DrawWaves(c, head, 10, 186, 128, 20, 14, MixColour(theme.Light, kWhite, 16));
    DrawMark(c, 90, 36, 25, kWhite, theme.Deep);
    c.Text({0, 64, 180, 88}, kProductName, {ffLatin, 20, true}, kWhite, DT_CENTER | DT_VCENTER);
    c.Text({6, 87, 174, 103}, tag.Chinese, {ffCjk, 12}, kWhite, DT_CENTER | DT_VCENTER, 10);
    c.Text({6, 103, 174, 118}, tag.English, {ffLatin, 10}, MixColour(kWhite, theme.Light, 25),
           DT_CENTER | DT_VCENTER, 8.5);

    //--- an illustration of what the program does, plainly not a result: bars without names,
    // numbers or a limit, under a heading that says it is a picture. Beside the real controls a
    // chart with addresses and counts would read as a census of this network.
    const TBox sheet{8, 131, 172, 222};
    const bool darkBackground = ColourLuma(look.Background) < 128;
    const COLORREF paper = MixColour(look.Background, kWhite, darkBackground ? 12 : 65);
    c.RoundCard(sheet, 6, paper, paper, true);
    c.RoundFrame(sheet, 6, 1, MixColour(look.Background, ink.Text, 18));
    c.Text({16, 134, 164, 150}, L"功能示意图", {ffCjk, 10.5, true}, ink.Text, DT_LEFT | DT_VCENTER);
    c.Text({16, 134, 164, 150}, L"（非实际数据）", {ffCjk, 9}, ink.Muted, DT_RIGHT | DT_VCENTER, 8);
    const double lengths[5] = {96, 78, 60, 44, 30};
    const COLORREF label = MixColour(paper, ink.Text, 22);
    for (int i = 0; i < 5; ++i) {
        const double y = 154 + i * 13;
        c.RoundCard({16, y + 3, 40, y + 8}, 2.5, label, label, false);  // a nameless host
        const COLORREF bar = MixColour(theme.Light, paper, i * 12);
        c.RoundCard({46, y + 2, 46 + lengths[i], y + 9}, 3.5, bar, MixColour(bar, kWhite, 25), false);
    }

    //--- features
    const wchar_t* const features[3] = {L"按主机统计 NAT 会话", L"超限主机一键断开", L"定时自动检查"};
    for (int i = 0; i < 3; ++i) {
        const double y = 230 + i * 16;
        DrawCheck(c, 13, y + 4, ink.Accent);
        c.Text({27, y, 174, y + 15}, features[i], {ffCjk, 11}, ink.Text, DT_LEFT | DT_VCENTER, 9);
    }

    //--- sign-off
    const TBox pill{34, 280, 146, 297};
    c.RoundCard(pill, 8.5, theme.Deep, theme.Light, false);
    c.Text(pill, L"感谢使用 Quellox", {ffCjk, 10.5}, kWhite, DT_CENTER | DT_VCENTER, 9);
}

}  // namespace admds
