// Object-instance stubs: callable as window procedures, many at once, each reaching its own
// object, and reusable after being freed.
#include "framework/ObjectInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using namespace qx;

namespace {

struct Receiver {
    int Id = 0;
    UINT LastMsg = 0;
    WPARAM LastW = 0;
    LPARAM LastL = 0;
    void Proc(TMessage& m) {
        LastMsg = m.Msg;
        LastW = m.WParam;
        LastL = m.LParam;
        m.Result = Id * 10 + 1;
    }
};

TEST(ObjectInstance, StubPassesTheMessageAndReturnsTheResult) {
    Receiver r{7};
    WNDPROC stub = MakeObjectInstance(TWndMethod::Of<&Receiver::Proc>(&r));
    LRESULT result = stub(reinterpret_cast<HWND>(0x1234), WM_USER + 1, 0xAABBCCDD, -5);
    EXPECT_EQ(result, 71);
    EXPECT_EQ(r.LastMsg, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(r.LastW, 0xAABBCCDDu);
    EXPECT_EQ(r.LastL, -5);
    FreeObjectInstance(stub);
}

TEST(ObjectInstance, ThousandStubsEachReachTheirOwnObject) {
    // More than one pool page's worth of stubs.
    std::vector<std::unique_ptr<Receiver>> receivers;
    std::vector<WNDPROC> stubs;
    for (int i = 0; i < 1000; ++i) {
        receivers.push_back(std::make_unique<Receiver>(Receiver{i}));
        stubs.push_back(MakeObjectInstance(TWndMethod::Of<&Receiver::Proc>(receivers.back().get())));
    }
    EXPECT_EQ(std::set<WNDPROC>(stubs.begin(), stubs.end()).size(), stubs.size());
    for (int i = 999; i >= 0; --i) EXPECT_EQ(stubs[i](nullptr, WM_NULL, i, 0), i * 10 + 1);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(receivers[i]->LastW, static_cast<WPARAM>(i));
    for (WNDPROC s : stubs) FreeObjectInstance(s);
}

TEST(ObjectInstance, FreedStubIsReusedForAnotherObject) {
    Receiver a{1}, b{2};
    WNDPROC first = MakeObjectInstance(TWndMethod::Of<&Receiver::Proc>(&a));
    FreeObjectInstance(first);
    WNDPROC second = MakeObjectInstance(TWndMethod::Of<&Receiver::Proc>(&b));
    EXPECT_EQ(first, second);
    EXPECT_EQ(second(nullptr, WM_NULL, 0, 0), 21);
    EXPECT_EQ(a.LastMsg, 0u);
    FreeObjectInstance(second);
    FreeObjectInstance(nullptr);  // harmless
}

TEST(ObjectInstance, StubWorksAsARealWindowProcedure) {
    Receiver r{3};
    WNDPROC stub = MakeObjectInstance(TWndMethod::Of<&Receiver::Proc>(&r));
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(wnd);
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(stub)));
    EXPECT_EQ(::SendMessageW(wnd, WM_USER + 3, 9, 8), 31);
    EXPECT_EQ(r.LastW, 9u);
    ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    ::DestroyWindow(wnd);
    FreeObjectInstance(stub);
}

}  // namespace
