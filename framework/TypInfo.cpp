#include "TypInfo.h"

#include "TextConvert.h"

#include <algorithm>
#include <cwctype>
#include <map>

namespace qx {

namespace {

const TPropInfo& Require(TObject& obj, const std::wstring& name, std::initializer_list<TTypeKind> kinds) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) throw EPropertyError("property " + WideToAscii(name) + " does not exist in " + WideToAscii(obj.ClassName()));
    if (std::find(kinds.begin(), kinds.end(), p->Kind) == kinds.end())
        throw EPropertyError("property " + WideToAscii(name) + " is of another kind");
    return *p;
}

std::map<std::wstring, const TClassInfo*>& Registry() {
    static std::map<std::wstring, const TClassInfo*> classes;
    return classes;
}

std::wstring TrimSpaces(const std::wstring& s) {
    size_t b = s.find_first_not_of(L" \t");
    if (b == std::wstring::npos) return {};
    size_t e = s.find_last_not_of(L" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace

bool SameText(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

//--- class information

const TPropInfo* TClassInfo::FindProp(const std::wstring& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const auto& p : c->Props)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

const TPublishedMethod* TClassInfo::FindMethod(const std::wstring& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const auto& m : c->Methods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TPublishedField* TClassInfo::FindField(const std::wstring& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const auto& f : c->Fields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& p : (*it)->Props) {
            // A descendant may publish a property again (to change its default); keep the last.
            auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
            if (same != out.end()) *same = &p; else out.push_back(&p);
        }
    return out;
}

void RegisterComponentClass(const TClassInfo& info) { Registry()[UpperCase(info.ClassName)] = &info; }

const TClassInfo* FindClass(const std::wstring& name) {
    auto it = Registry().find(UpperCase(name));
    return it == Registry().end() ? nullptr : it->second;
}

//--- property access by name

const TPropInfo* GetPropInfo(TObject& obj, const std::wstring& name) { return obj.ClassType().FindProp(name); }
bool IsPublishedProp(TObject& obj, const std::wstring& name) { return GetPropInfo(obj, name) != nullptr; }

TTypeKind PropType(TObject& obj, const std::wstring& name) {
    return Require(obj, name, {TTypeKind::Integer, TTypeKind::Boolean, TTypeKind::String, TTypeKind::Enumeration,
                               TTypeKind::Set, TTypeKind::Class, TTypeKind::Method}).Kind;
}

int64_t GetOrdProp(TObject& obj, const std::wstring& name) {
    return Require(obj, name, {TTypeKind::Integer, TTypeKind::Boolean, TTypeKind::Enumeration, TTypeKind::Set}).GetOrd(obj);
}

void SetOrdProp(TObject& obj, const std::wstring& name, int64_t value) {
    const auto& p = Require(obj, name, {TTypeKind::Integer, TTypeKind::Boolean, TTypeKind::Enumeration, TTypeKind::Set});
    if (p.Kind == TTypeKind::Enumeration && (value < 0 || value >= static_cast<int64_t>(p.Names->size())))
        throw EPropertyError("value out of range for " + WideToAscii(name));
    p.SetOrd(obj, value);
}

std::wstring GetStrProp(TObject& obj, const std::wstring& name) {
    return Require(obj, name, {TTypeKind::String}).GetStr(obj);
}

void SetStrProp(TObject& obj, const std::wstring& name, const std::wstring& value) {
    Require(obj, name, {TTypeKind::String}).SetStr(obj, value);
}

std::wstring GetEnumProp(TObject& obj, const std::wstring& name) {
    const auto& p = Require(obj, name, {TTypeKind::Enumeration, TTypeKind::Boolean});
    int64_t v = p.GetOrd(obj);
    if (p.Kind == TTypeKind::Boolean) return v ? L"True" : L"False";
    return v >= 0 && v < static_cast<int64_t>(p.Names->size()) ? (*p.Names)[v] : std::to_wstring(v);
}

void SetEnumProp(TObject& obj, const std::wstring& name, const std::wstring& value) {
    const auto& p = Require(obj, name, {TTypeKind::Enumeration, TTypeKind::Boolean});
    if (p.Kind == TTypeKind::Boolean) {
        if (SameText(value, L"True")) return p.SetOrd(obj, 1);
        if (SameText(value, L"False")) return p.SetOrd(obj, 0);
    } else {
        for (size_t i = 0; i < p.Names->size(); ++i)
            if (SameText((*p.Names)[i], value)) return p.SetOrd(obj, static_cast<int64_t>(i));
    }
    throw EPropertyError("invalid value " + WideToAscii(value) + " for " + WideToAscii(name));
}

std::wstring GetSetProp(TObject& obj, const std::wstring& name) {
    const auto& p = Require(obj, name, {TTypeKind::Set});
    auto bits = static_cast<uint64_t>(p.GetOrd(obj));
    std::wstring out = L"[";
    for (size_t i = 0; i < p.Names->size(); ++i)
        if (bits & (uint64_t{1} << i)) {
            if (out.size() > 1) out += L",";
            out += (*p.Names)[i];
        }
    return out + L"]";
}

void SetSetProp(TObject& obj, const std::wstring& name, const std::wstring& value) {
    const auto& p = Require(obj, name, {TTypeKind::Set});
    std::wstring body = TrimSpaces(value);
    if (body.size() < 2 || body.front() != L'[' || body.back() != L']')
        throw EPropertyError("invalid set value for " + WideToAscii(name));
    body = body.substr(1, body.size() - 2);
    uint64_t bits = 0;
    size_t start = 0;
    while (start <= body.size()) {
        size_t comma = body.find(L',', start);
        std::wstring item = TrimSpaces(body.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (!item.empty()) {
            auto it = std::find_if(p.Names->begin(), p.Names->end(), [&](const std::wstring& n) { return SameText(n, item); });
            if (it == p.Names->end()) throw EPropertyError("invalid set member " + WideToAscii(item) + " for " + WideToAscii(name));
            bits |= uint64_t{1} << (it - p.Names->begin());
        }
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    p.SetOrd(obj, static_cast<int64_t>(bits));
}

TObject* GetObjectProp(TObject& obj, const std::wstring& name) {
    return Require(obj, name, {TTypeKind::Class}).GetObj(obj);
}

void SetObjectProp(TObject& obj, const std::wstring& name, TObject* value) {
    const auto& p = Require(obj, name, {TTypeKind::Class});
    if (!p.SetObj) throw EPropertyError("property " + WideToAscii(name) + " is read-only");
    p.SetObj(obj, value);
}

TMethodData GetMethodProp(TObject& obj, const std::wstring& name) {
    return Require(obj, name, {TTypeKind::Method}).GetMethod(obj);
}

void SetMethodProp(TObject& obj, const std::wstring& name, const TMethodData& value) {
    Require(obj, name, {TTypeKind::Method}).SetMethod(obj, value);
}

//--- TObject

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info(L"TObject", nullptr);
    return info;
}
const TClassInfo& TObject::ClassType() const { return StaticClass(); }
std::wstring TObject::ClassName() const { return ClassType().ClassName; }
bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }

}  // namespace qx
