// Printing a window with its children: each child lands at its place, system controls
// included (they cannot print into a context whose origin was moved).
#include "framework/Forms.h"
#include "framework/PrintWindows.h"
#include "framework/StdCtrls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

TEST(PrintWindows, ChildControlsArePrintedAtTheirPlaces) {
    test::EnsureApplication();
    auto* form = new TForm(Application);
    form->SetBounds(40, 40, 240, 160);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(60, 50, 80, 30);
    button->SetCaption(L"OK");
    form->Show();
    test::PumpPending(std::chrono::milliseconds(30));
    // The button on its own.
    test::DibCanvas alone(80, 30);
    alone.Fill(RGB(1, 2, 3));
    ::SendMessageW(button->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(alone.Dc()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    // The form's client with its children.
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    test::DibCanvas whole(client.right, client.bottom);
    whole.Fill(RGB(1, 2, 3));
    ::SendMessageW(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(whole.Dc()), PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    ::GdiFlush();
    int same = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (whole.Pixel(60 + x, 50 + y) == alone.Pixel(x, y)) ++same;
    EXPECT_EQ(same, 80 * 30);
    // The straight PrintChildWindows call does the same into any context.
    test::DibCanvas children(client.right, client.bottom);
    children.Fill(RGB(1, 2, 3));
    PrintChildWindows(form->Handle(), children.Dc(), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    EXPECT_EQ(children.Pixel(100, 65), alone.Pixel(40, 15));
    EXPECT_EQ(children.PixelRef(10, 10), RGB(1, 2, 3));  // outside the children: untouched
    delete form;
}

}  // namespace
