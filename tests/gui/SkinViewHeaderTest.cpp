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

    const std::unique_ptr<test::DibCanvas> shot = ShootWindow(form->Handle(), "skinview_header_hot");
    // The hot section's look differs from a cold one's; the two cold ones look alike (a few
    // columns right of each section's left edge, where no caption is drawn).
    const POINT at = PlaceInShot(form->Handle(), header->Handle());
    const auto column = [&](int item) { return POINT{at.x + items[item].left + 2, at.y + items[item].top + 1}; };
    const int h = items[0].bottom - items[0].top - 2;
    EXPECT_GT(Differing(*shot, column(1), *shot, column(0), 5, h), 0);
    EXPECT_EQ(Differing(*shot, column(2), *shot, column(0), 5, h), 0);

    // Away from the header the section cools down again.
    RECT windowRect{};
    ::GetWindowRect(form->Handle(), &windowRect);
    ::SetCursorPos(windowRect.left + 20, windowRect.bottom - 60);
    EXPECT_TRUE(test::PumpUntil([&] { return wrapper->HotItem() == -1; })) << "hot item " << wrapper->HotItem();
    CloseViewer(form);
}

}  // namespace
