#pragma once
// Method pointers in the framework's manner: an object and one of its member functions,
// copyable, comparable and callable. Events (OnClick, OnTimer, ...) and the replaceable
// WindowProc are method pointers, so code can save one, install its own, and put the saved
// one back exactly.
#include <typeinfo>
#include <utility>

namespace qx {

// The untyped form of any method pointer, as property tables and the form reader see it.
struct TMethodData {
    void* Data = nullptr;
    void* Code = nullptr;
    const std::type_info* Signature = nullptr;
    bool operator==(const TMethodData& o) const { return Data == o.Data && Code == o.Code; }
};

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
public:
    using Thunk = R (*)(void*, A...);

    TMethod() = default;

    // A method pointer for member function M of object obj.
    template <auto M, class C>
    static TMethod Of(C* obj) {
        TMethod m;
        m.FData = static_cast<void*>(obj);
        m.FCode = &Call<M, C>;
        return m;
    }

    // The trampoline for member function M: one distinct function per (M, C), which is what
    // makes two method pointers to the same member of the same object compare equal.
    template <auto M, class C>
    static R Call(void* data, A... args) {
        return (static_cast<C*>(data)->*M)(std::forward<A>(args)...);
    }

    R operator()(A... args) const { return FCode(FData, std::forward<A>(args)...); }
    explicit operator bool() const { return FCode != nullptr; }
    bool operator==(const TMethod& o) const { return FData == o.FData && FCode == o.FCode; }
    void* Data() const { return FData; }

    TMethodData Untyped() const {
        return {FData, reinterpret_cast<void*>(FCode), &typeid(R(A...))};
    }
    // Takes an untyped method; one of another signature is refused (left empty).
    static TMethod FromUntyped(const TMethodData& d) {
        TMethod m;
        if (d.Code && d.Signature && *d.Signature == typeid(R(A...))) {
            m.FData = d.Data;
            m.FCode = reinterpret_cast<Thunk>(d.Code);
        }
        return m;
    }

private:
    void* FData = nullptr;
    Thunk FCode = nullptr;
};

class TObject;
using TNotifyEvent = TMethod<void(TObject*)>;

}  // namespace qx
