// What the house ads say. They sit beside the program's real controls, so nothing in them may
// pass for a result of this network: no address, no count, no threshold.
#include "AdLayouts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <memory>
#include <string>
#include <vector>

namespace {

using admds::TAdLook;

TEST(AdLayoutText, NoAdShowsAnythingThatLooksLikeLiveData) {
    struct TLayout {
        const char* Name;
        void (*Layout)(const admds::TAdCanvas&, const TAdLook&) noexcept;
        int Width, Height;
    };
    const TLayout layouts[] = {
        {"banner", admds::LayoutBanner, 180, 60},
        {"line", admds::LayoutLine, 180, 20},
        {"square", admds::LayoutSquare, 90, 90},
        {"column", admds::LayoutColumn, 180, 300},
    };
    struct TDcFree {
        void operator()(HDC__* h) const noexcept { ::DeleteDC(h); }
    };
    const std::unique_ptr<HDC__, TDcFree> owned(::CreateCompatibleDC(nullptr));
    const HDC dc = owned.get();
    ASSERT_NE(dc, nullptr);
    for (const TLayout& layout : layouts) {
        for (unsigned tagline = 0; tagline < admds::kTaglineCount; ++tagline) {
            // The old chart drew host numbers and counts taken from the variant's hash.
            const TAdLook look{RGB(240, 240, 240), {0x9E3779B9u * (tagline + 1), tagline, tagline % admds::kThemeCount}};
            std::vector<std::wstring> texts;
            admds::TAdCanvas canvas(dc, false, 1, 1.0, 1.0);
            canvas.RecordTexts(&texts);
            layout.Layout(canvas, look);
            ASSERT_FALSE(texts.empty()) << layout.Name;
            for (const std::wstring& text : texts) {
                for (wchar_t ch : text) EXPECT_FALSE(std::iswdigit(ch)) << layout.Name << " says a number";
                EXPECT_EQ(text.find(L"阈值"), std::wstring::npos) << layout.Name << " names a threshold";
                EXPECT_EQ(text.find(L"排行"), std::wstring::npos) << layout.Name << " ranks hosts";
            }
        }
    }
}

}  // namespace
