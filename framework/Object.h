#pragma once
// The root of the framework's class tree.
#include <string>

namespace qx {

class TClassInfo;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const;
    std::wstring ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
};

// Declares a class's run-time information in its body; QX_DEFINE_CLASS in the .cpp fills it.
#define QX_CLASS(Name)                          \
public:                                         \
    static const ::qx::TClassInfo& StaticClass(); \
    const ::qx::TClassInfo& ClassType() const override { return StaticClass(); }

}  // namespace qx
