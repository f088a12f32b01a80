// The demonstration form read from the program's resources: its controls exist with their
// stored values, and a screenshot shows what a user sees.
#include "DemoForm.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

TEST(DemoForm, IsReadFromItsResourceAndDrawsLikeAWindow) {
    test::EnsureApplication();
    RegisterDemoClasses();
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->Caption(), L"Quellox");
    ASSERT_NE(form->Edit1, nullptr);
    EXPECT_EQ(form->Edit1->Text(), L"127.0.0.1:2323");
    auto* radio = dynamic_cast<TRadioButton*>(form->FindComponent(L"RadioButton2"));
    ASSERT_NE(radio, nullptr);
    EXPECT_TRUE(radio->Checked());

    form->Show();
    test::PumpPending(std::chrono::milliseconds(300));
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    // Clicking the check box runs the handler read from the description.
    ::SendMessageW(form->CheckBox1->Handle(), BM_CLICK, 0, 0);
    test::PumpPending(std::chrono::milliseconds(100));
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_EQ(form->Label3->Caption(), L"自动处理：开");

    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    test::DibCanvas canvas(r.right - r.left, r.bottom - r.top);
    canvas.Fill(RGB(255, 0, 255));
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    test::CaptureScreen(form->Handle(), canvas);
    std::string path = test::ArtifactsDir() + "/demo_form.png";
    EXPECT_TRUE(canvas.SavePng(path)) << path;
    // The client area was painted with the button face colour.
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    POINT inside{client.right - 4, client.bottom - 4};
    ::ClientToScreen(form->Handle(), &inside);
    EXPECT_EQ(canvas.PixelRef(inside.x - r.left, inside.y - r.top), ::GetSysColor(COLOR_BTNFACE));
    DoneApplication();
}

}  // namespace
