// The stand-alone header control of the viewer's lists page: it keeps the place it was given,
// is wrapped by the skin, and the section under the mouse is drawn hot (screenshot).
#include "SkinViewSupport.h"

#include "framework/HeaderControl.h"
#include "skin/controls/SkinHeader.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <vector>

using namespace qx;
using namespace viewtest;

namespace {

TSkinHeader* WrapperOf(THeaderControl* header) {
    for (int i = 0; i < header->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<TSkinHeader*>(header->Components(i))) return w;
    return nullptr;
}

// How many pixels of a column of one section differ from the same column of another: a few
// pixels right of the section's left edge, where no caption is drawn.
int DifferingPixels(const test::DibCanvas& shot, POINT origin, const RECT& a, const RECT& b) {
    int differing = 0;
    for (int x = 2; x <= 6; ++x)
        for (int y = a.top + 1; y < a.bottom - 1; ++y)
            if (shot.PixelRef(origin.x + a.left + x, origin.y + y) != shot.PixelRef(origin.x + b.left + x, origin.y + y))
                ++differing;
    return differing;
}

TEST(SkinViewHeaderTest, HeaderKeepsItsPlaceAndDrawsTheSectionUnderTheMouseHot) {
    TSkinViewForm* form = OpenViewer();
    form->PageLists->Click();
    test::PumpPending(std::chrono::milliseconds(200));
    auto* header = dynamic_cast<THeaderControl*>(form->FindComponent(L"SectionHeader"));
    ASSERT_NE(header, nullptr);

    // Where the page placed it, not docked across the page's top.
    RECT placed{};
    ::GetWindowRect(header->Handle(), &placed);
    ::MapWindowPoints(nullptr, ::GetParent(header->Handle()), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(std::vector<LONG>({placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top}),
              std::vector<LONG>({326, 12, 306, 24}));

    TSkinHeader* wrapper = WrapperOf(header);
    ASSERT_NE(wrapper, nullptr) << "the header control has no skin wrapper";
    RECT items[3]{};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(::SendMessageW(header->Handle(), HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&items[i])));

    // The real mouse over the middle of the second section.
    POINT over{(items[1].left + items[1].right) / 2, (items[1].top + items[1].bottom) / 2};
    ::ClientToScreen(header->Handle(), &over);
    ::SetCursorPos(over.x, over.y);
    EXPECT_TRUE(test::PumpUntil([&] { return wrapper->HotItem() == 1; })) << "hot item " << wrapper->HotItem();
    ::UpdateWindow(header->Handle());
    test::PumpPending(std::chrono::milliseconds(200));

    // What the screen shows of the window, saved.
    RECT windowRect{};
    ::GetWindowRect(form->Handle(), &windowRect);
    test::DibCanvas shot(windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen, windowRect.left, windowRect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    const std::string path = test::ArtifactsDir() + "/skinview_header_hot.png";
    EXPECT_TRUE(shot.SavePng(path));
    POINT origin{0, 0};
    ::ClientToScreen(header->Handle(), &origin);
    origin.x -= windowRect.left;
    origin.y -= windowRect.top;
    // The hot section's look differs from a cold one's; the two cold ones look alike.
    EXPECT_GT(DifferingPixels(shot, origin, items[1], items[0]), 0) << path;
    EXPECT_EQ(DifferingPixels(shot, origin, items[2], items[0]), 0) << path;

    // Away from the header the section cools down again.
    ::SetCursorPos(windowRect.left + 20, windowRect.bottom - 60);
    EXPECT_TRUE(test::PumpUntil([&] { return wrapper->HotItem() == -1; })) << "hot item " << wrapper->HotItem();
    CloseViewer(form);
}

}  // namespace
