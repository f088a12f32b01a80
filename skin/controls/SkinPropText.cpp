#include "skin/controls/SkinPropText.h"

#include "framework/TypInfo.h"

#include <cwchar>
#include <cwctype>

bool HasProp(qx::TObject& object, const std::wstring& name) { return qx::IsPublishedProp(object, name); }

std::wstring PropText(qx::TObject& object, const std::wstring& name) {
    const qx::TPropInfo* info = qx::GetPropInfo(object, name);
    if (!info) return {};
    try {
        switch (info->Kind) {
        case qx::TTypeKind::Boolean:
        case qx::TTypeKind::Enumeration: return qx::GetEnumProp(object, name);
        case qx::TTypeKind::Integer: return std::to_wstring(qx::GetOrdProp(object, name));
        case qx::TTypeKind::String: return qx::GetStrProp(object, name);
        case qx::TTypeKind::Set: return qx::GetSetProp(object, name);
        default: return {};
        }
    } catch (...) {
        return {};
    }
}

bool SetPropText(qx::TObject& object, const std::wstring& name, const std::wstring& value) {
    const qx::TPropInfo* info = qx::GetPropInfo(object, name);
    if (!info) return false;
    try {
        switch (info->Kind) {
        case qx::TTypeKind::Boolean:
        case qx::TTypeKind::Enumeration: qx::SetEnumProp(object, name, value); return true;
        case qx::TTypeKind::Integer: {
            wchar_t* end = nullptr;
            const long long number = std::wcstoll(value.c_str(), &end, 10);
            if (value.empty() || !end || *end != L'\0') return false;
            qx::SetOrdProp(object, name, number);
            return true;
        }
        case qx::TTypeKind::String: qx::SetStrProp(object, name, value); return true;
        case qx::TTypeKind::Set: qx::SetSetProp(object, name, value); return true;
        default: return false;
        }
    } catch (...) {
        return false;
    }
}

long long PropOrd(qx::TObject& object, const std::wstring& name, long long fallback) {
    const qx::TPropInfo* info = qx::GetPropInfo(object, name);
    if (!info) return fallback;
    switch (info->Kind) {
    case qx::TTypeKind::Integer:
    case qx::TTypeKind::Boolean:
    case qx::TTypeKind::Enumeration:
        try {
            return qx::GetOrdProp(object, name);
        } catch (...) {
            return fallback;
        }
    default: return fallback;
    }
}
