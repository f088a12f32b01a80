#pragma once
// Run-time class information: every framework class publishes a table of named properties
// (and, for forms, of methods and component fields) so that code can read and write a
// property by name and ask whether an object has it, and the form reader can create
// components by class name.
#include "Method.h"
#include "Object.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qx {

class TComponent;

enum class TTypeKind { Integer, Boolean, String, Enumeration, Set, Class, Method };

struct TPropInfo {
    std::wstring Name;
    TTypeKind Kind = TTypeKind::Integer;
    const std::vector<std::wstring>* Names = nullptr;  // members of an enumeration or set
    std::function<int64_t(TObject&)> GetOrd;           // Integer, Boolean, Enumeration, Set
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<std::wstring(TObject&)> GetStr;
    std::function<void(TObject&, const std::wstring&)> SetStr;
    std::function<TObject*(TObject&)> GetObj;
    std::function<void(TObject&, TObject*)> SetObj;
    std::function<TMethodData(TObject&)> GetMethod;
    std::function<void(TObject&, const TMethodData&)> SetMethod;
    const std::type_info* Signature = nullptr;         // of a Method property
    bool Stored = true;  // written by the form writer
};

// A method a class publishes by name (form handlers such as "Button1Click").
struct TPublishedMethod {
    std::wstring Name;
    void* Code = nullptr;
    const std::type_info* Signature = nullptr;
    void* (*Adjust)(TObject*) = nullptr;  // the object pointer as the declaring class sees it
};

// A component field a form publishes by name ("Button1"): set when the component is read.
struct TPublishedField {
    std::wstring Name;
    std::function<bool(TObject&, TObject*)> Assign;  // false when the type does not fit
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    TClassInfo(std::wstring name, const TClassInfo* parent) : ClassName(std::move(name)), Parent(parent) {}

    std::wstring ClassName;
    const TClassInfo* Parent;
    Factory Create = nullptr;  // set for component classes that can be created by name
    std::vector<TPropInfo> Props;
    std::vector<TPublishedMethod> Methods;
    std::vector<TPublishedField> Fields;

    const TPropInfo* FindProp(const std::wstring& name) const;
    const TPublishedMethod* FindMethod(const std::wstring& name) const;
    const TPublishedField* FindField(const std::wstring& name) const;
    bool InheritsFrom(const TClassInfo& other) const;
    // Every property, ancestors' first.
    std::vector<const TPropInfo*> AllProps() const;
};

class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Property access by name. The getters and setters throw EPropertyError for a missing
// property or one of another kind; IsPublishedProp answers without throwing.
bool IsPublishedProp(TObject& obj, const std::wstring& name);
const TPropInfo* GetPropInfo(TObject& obj, const std::wstring& name);
TTypeKind PropType(TObject& obj, const std::wstring& name);
int64_t GetOrdProp(TObject& obj, const std::wstring& name);
void SetOrdProp(TObject& obj, const std::wstring& name, int64_t value);
std::wstring GetStrProp(TObject& obj, const std::wstring& name);
void SetStrProp(TObject& obj, const std::wstring& name, const std::wstring& value);
std::wstring GetEnumProp(TObject& obj, const std::wstring& name);
void SetEnumProp(TObject& obj, const std::wstring& name, const std::wstring& value);
std::wstring GetSetProp(TObject& obj, const std::wstring& name);  // "[a,b]"
void SetSetProp(TObject& obj, const std::wstring& name, const std::wstring& value);
TObject* GetObjectProp(TObject& obj, const std::wstring& name);
void SetObjectProp(TObject& obj, const std::wstring& name, TObject* value);
TMethodData GetMethodProp(TObject& obj, const std::wstring& name);
void SetMethodProp(TObject& obj, const std::wstring& name, const TMethodData& value);

// Classes that the form reader can create by name.
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(const std::wstring& name);

bool SameText(const std::wstring& a, const std::wstring& b);

// Builds a class's table: TClassBuilder<TPanel>(L"TPanel", &TCustomControl::StaticClass())
//     .Integer(L"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth) ... .Done();
// Getters and setters are member functions or callables taking the object (C&).
template <class C>
class TClassBuilder {
public:
    TClassBuilder(TClassInfo& info) : FInfo(info) {}

    template <class G, class S>
    TClassBuilder& Integer(const wchar_t* name, G get, S set) {
        TPropInfo p = Base(name, TTypeKind::Integer);
        p.GetOrd = [get](TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), static_cast<int>(v)); };
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& Boolean(const wchar_t* name, G get, S set) {
        TPropInfo p = Base(name, TTypeKind::Boolean);
        p.GetOrd = [get](TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o)) ? 1 : 0); };
        p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), v != 0); };
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& String(const wchar_t* name, G get, S set) {
        TPropInfo p = Base(name, TTypeKind::String);
        p.GetStr = [get](TObject& o) { return std::wstring(std::invoke(get, Self(o))); };
        p.SetStr = [set](TObject& o, const std::wstring& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }
    template <class E, class G, class S>
    TClassBuilder& Enum(const wchar_t* name, const std::vector<std::wstring>& names, G get, S set) {
        TPropInfo p = Base(name, TTypeKind::Enumeration);
        p.Names = &names;
        p.GetOrd = [get](TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), static_cast<E>(v)); };
        return Add(std::move(p));
    }
    // A set: bit i stands for names[i].
    template <class G, class S>
    TClassBuilder& Set(const wchar_t* name, const std::vector<std::wstring>& names, G get, S set) {
        TPropInfo p = Base(name, TTypeKind::Set);
        p.Names = &names;
        p.GetOrd = [get](TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), static_cast<uint64_t>(v)); };
        return Add(std::move(p));
    }
    // An object property; without a setter the object is owned by its holder and only its
    // own properties are written (Font, Lines, Glyph).
    template <class G>
    TClassBuilder& Object(const wchar_t* name, G get) {
        TPropInfo p = Base(name, TTypeKind::Class);
        p.GetObj = [get](TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& Object(const wchar_t* name, G get, S set) {
        Object(name, get);
        FInfo.Props.back().SetObj = [set](TObject& o, TObject* v) { std::invoke(set, Self(o), v); };
        return *this;
    }
    // An event: a method-pointer field of the object.
    template <class Sig>
    TClassBuilder& Event(const wchar_t* name, TMethod<Sig> C::*field) {
        TPropInfo p = Base(name, TTypeKind::Method);
        p.Signature = &typeid(Sig);
        p.GetMethod = [field](TObject& o) { return (Self(o).*field).Untyped(); };
        p.SetMethod = [field](TObject& o, const TMethodData& d) {
            Self(o).*field = TMethod<Sig>::FromUntyped(d);
        };
        return Add(std::move(p));
    }
    // A published handler: TClassBuilder<TForm8>(...).Method<&TForm8::Button1Click>(L"Button1Click")
    template <auto M>
    TClassBuilder& Method(const wchar_t* name) {
        using Traits = MemberTraits<decltype(M)>;
        using Sig = typename Traits::Signature;
        TPublishedMethod m;
        m.Name = name;
        m.Code = reinterpret_cast<void*>(&Traits::template Call<M>);
        m.Signature = &typeid(Sig);
        m.Adjust = [](TObject* o) -> void* {
            return static_cast<void*>(dynamic_cast<typename Traits::Class*>(o));
        };
        FInfo.Methods.push_back(std::move(m));
        return *this;
    }
    // A published component field: set to the component of that name when the form is read.
    template <class T>
    TClassBuilder& Field(const wchar_t* name, T* C::*field) {
        FInfo.Fields.push_back({name, [field](TObject& o, TObject* c) {
                                    T* typed = dynamic_cast<T*>(c);
                                    if (c && !typed) return false;
                                    Self(o).*field = typed;
                                    return true;
                                }});
        return *this;
    }
    TClassBuilder& NotStored() {
        FInfo.Props.back().Stored = false;
        return *this;
    }
    // Makes the class creatable by name (components only).
    TClassBuilder& Creatable() {
        FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
        return *this;
    }

private:
    template <class T>
    struct MemberTraits;
    template <class R, class K, class... A>
    struct MemberTraits<R (K::*)(A...)> {
        using Signature = R(A...);
        using Class = K;
        template <auto M>
        static R Call(void* data, A... args) { return (static_cast<K*>(data)->*M)(std::forward<A>(args)...); }
    };

    static C& Self(TObject& o) { return dynamic_cast<C&>(o); }
    TPropInfo Base(const wchar_t* name, TTypeKind kind) {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        return p;
    }
    TClassBuilder& Add(TPropInfo p) {
        FInfo.Props.push_back(std::move(p));
        return *this;
    }
    TClassInfo& FInfo;
};

}  // namespace qx

// Defines Cls::StaticClass(): QX_DEFINE_CLASS(TPanel, TCustomControl, b) { b.Integer(...); }
#define QX_WIDE_(s) L##s
#define QX_WIDE(s) QX_WIDE_(s)
#define QX_DEFINE_CLASS(Cls, ParentCls, builder)                                 \
    static void Publish_##Cls(::qx::TClassBuilder<Cls>& builder);                 \
    const ::qx::TClassInfo& Cls::StaticClass() {                                  \
        static const ::qx::TClassInfo info = [] {                                 \
            ::qx::TClassInfo i(QX_WIDE(#Cls), &ParentCls::StaticClass());         \
            ::qx::TClassBuilder<Cls> b(i);                                        \
            Publish_##Cls(b);                                                     \
            return i;                                                             \
        }();                                                                      \
        return info;                                                              \
    }                                                                             \
    static void Publish_##Cls([[maybe_unused]] ::qx::TClassBuilder<Cls>& builder)
