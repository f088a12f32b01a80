// The painters' platform helpers: parent background behind a control, text conversion and
// drawing, mouse-leave tracking and the control of a window handle.
#include "skin/data/SkinPaintHelpers.h"
#include "support/DrawTestSupport.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using qx::test::DibCanvas;
using skintest::At;

namespace {

// A parent that fills its background red and paints a blue mark at (15, 25)-(17, 27) of its
// client area; or throws from its painting when asked to.
class TMarkedParent : public qx::TCustomControl {
public:
    explicit TMarkedParent(qx::TComponent* owner) : qx::TCustomControl(owner) { SetColor(RGB(255, 0, 0)); }
    bool Throw = false;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        if (Throw) throw std::runtime_error("paint failed");
        Canvas().Brush().SetColor(RGB(0, 0, 255));
        Canvas().FillRect({15, 25, 17, 27});
    }
};

struct TParentFixture {
    TParentFixture() {
        qx::test::EnsureApplication();
        form = std::make_unique<qx::TForm>(nullptr);
        form->SetBounds(0, 0, 200, 200);
        parent = new TMarkedParent(form.get());
        parent->SetParent(form.get());
        parent->SetBounds(0, 0, 100, 100);
        child = new qx::TPanel(form.get());
        child->SetParent(parent);
        child->SetBounds(10, 20, 30, 30);
        form->HandleNeeded();
        parent->HandleNeeded();
    }
    std::unique_ptr<qx::TForm> form;
    TMarkedParent* parent = nullptr;
    qx::TPanel* child = nullptr;
};

}  // namespace

TEST(SkinPaintHelpers, ParentBackgroundAppearsBehindTheControlAtItsOffset) {
    TParentFixture f;
    DibCanvas c(30, 30);
    c.Fill(RGB(0, 160, 0));
    PaintParentBackground(f.child, c.Dc());
    SCOPED_TRACE(skintest::Dump("ParentBackground", c));
    EXPECT_EQ(At(c, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(c, 29, 29), RGB(255, 0, 0));
    EXPECT_EQ(At(c, 5, 5), RGB(0, 0, 255));  // the parent's (15, 25)
    EXPECT_EQ(At(c, 6, 6), RGB(0, 0, 255));
    EXPECT_EQ(At(c, 7, 7), RGB(255, 0, 0));
    // The context is given back as it came: origin and clipping restored.
    POINT origin{1, 1};
    ::GetViewportOrgEx(c.Dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    PaintParentBackground(f.form.get(), c.Dc());  // no parent: nothing
    PaintParentBackground(nullptr, c.Dc());
}

TEST(SkinPaintHelpers, ParentPaintFailuresPropagateExceptAtDesignTime) {
    TParentFixture f;
    DibCanvas c(30, 30);
    f.parent->Throw = true;
    EXPECT_THROW(PaintParentBackground(f.child, c.Dc()), std::runtime_error);
    POINT origin{1, 1};
    ::GetViewportOrgEx(c.Dc(), &origin);
    EXPECT_EQ(origin.x, 0);  // restored on the way out as well
    f.child->SetDesigning(true);
    EXPECT_NO_THROW(PaintParentBackground(f.child, c.Dc()));
}

TEST(SkinPaintHelpers, TextConversionAndDrawing) {
    EXPECT_EQ(AnsiToWide("Quellox 1.0"), L"Quellox 1.0");
    EXPECT_EQ(AnsiToWide(""), L"");
    DibCanvas c(200, 40);
    RECT r{0, 0, 200, 40};
    const int height = DrawTextWide(c.Dc(), L"Skin", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_GT(r.right, 0);
    EXPECT_LT(r.right, 200);
}

TEST(SkinPaintHelpers, ControlLookupAndMouseTracking) {
    TParentFixture f;
    EXPECT_EQ(ControlFromHandle(nullptr), nullptr);
    EXPECT_EQ(ControlFromHandle(f.child->Handle()), f.child);
    EXPECT_EQ(ControlFromHandle(f.form->Handle()), f.form.get());
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, f.form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(ControlFromHandle(plain), nullptr);
    ::DestroyWindow(plain);
    EXPECT_TRUE(TrackMouseLeave(f.child->Handle()));
}
