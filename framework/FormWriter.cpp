#include "Collections.h"
#include "Controls.h"
#include "FormReader.h"
#include "Graphics.h"
#include "Streams.h"

#include <cstdio>
#include <memory>

namespace qx {

namespace {

std::wstring Quote(const std::wstring& s) {
    // ASCII in quotes, everything else as #code, so the text survives any encoding.
    std::wstring out;
    bool inQuotes = false;
    for (wchar_t c : s) {
        if (c >= 32 && c < 127) {
            if (!inQuotes) { out += L'\''; inQuotes = true; }
            out += c;
            if (c == L'\'') out += L'\'';
        } else {
            if (inQuotes) { out += L'\''; inQuotes = false; }
            out += L'#' + std::to_wstring(static_cast<unsigned>(c));
        }
    }
    if (inQuotes) out += L'\'';
    return out.empty() ? L"''" : out;
}

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && SameText(s.substr(s.size() - tail.size()), tail);
}

// A new object of the nearest creatable class: what a property's default value is.
std::unique_ptr<TComponent> DefaultInstance(const TClassInfo& info) {
    for (const TClassInfo* c = &info; c; c = c->Parent)
        if (c->Create) return std::unique_ptr<TComponent>(c->Create(nullptr));
    return nullptr;
}

class Writer : public TFiler {
public:
    explicit Writer(TComponent* root) : FRoot(root) {}

    std::wstring Write() {
        WriteObject(FRoot, 0);
        return FOut;
    }

    void DefineProperty(const std::wstring& name, TReaderProc, TWriterProc write, bool hasData) override {
        if (hasData) Line(FPrefix + name + L" = " + Quote(write()));
    }
    void DefineListProperty(const std::wstring& name, TListReaderProc, TListWriterProc write, bool hasData) override {
        if (!hasData) return;
        Line(FPrefix + name + L" = (");
        for (const auto& item : write()) Line(L"  " + Quote(item));
        Line(L"  )");
    }
    void DefineBinaryProperty(const std::wstring& name, TStreamProc, TStreamProc write, bool hasData) override {
        if (!hasData) return;
        TMemoryStream stream;
        write(stream);
        Line(FPrefix + name + L" = {");
        const auto& bytes = stream.Bytes();
        for (size_t i = 0; i < bytes.size(); i += 32) {
            std::wstring row = L"  ";
            for (size_t j = i; j < bytes.size() && j < i + 32; ++j) {
                wchar_t hex[3];
                std::swprintf(hex, 3, L"%02X", bytes[j]);
                row += hex;
            }
            Line(row);
        }
        Line(L"  }");
    }

private:
    void Line(const std::wstring& s) { FOut += std::wstring(FIndent * 2, L' ') + s + L"\n"; }

    TComponent* ParentComponent(TComponent* c) {
        if (auto* control = dynamic_cast<TControl*>(c); control && control->Parent()) return control->Parent();
        return FRoot;
    }

    void WriteObject(TComponent* c, int indent) {
        FIndent = indent;
        Line(L"object " + c->Name() + L": " + c->ClassName());
        FIndent = indent + 1;
        auto defaults = DefaultInstance(c->ClassType());
        WriteProperties(*c, defaults.get(), L"");
        for (int i = 0; i < FRoot->ComponentCount(); ++i) {
            TComponent* child = FRoot->Components(i);
            if (child != c && ParentComponent(child) == c) WriteObject(child, indent + 1);
        }
        FIndent = indent;
        Line(L"end");
    }

    void WriteProperties(TObject& obj, TObject* defaults, const std::wstring& prefix) {
        for (const TPropInfo* p : obj.ClassType().AllProps()) {
            if (!p->Stored) continue;
            const TPropInfo* d = defaults ? defaults->ClassType().FindProp(p->Name) : nullptr;
            if (d && d != p && d->Kind != p->Kind) d = nullptr;
            std::wstring name = prefix + p->Name;
            switch (p->Kind) {
            case TTypeKind::Integer: {
                int64_t v = p->GetOrd(obj);
                if (d && d->GetOrd(*defaults) == v) break;
                Line(name + L" = " + (EndsWith(p->Name, L"Color") ? ColorToString(static_cast<TColor>(v)) : std::to_wstring(v)));
                break;
            }
            case TTypeKind::Boolean:
            case TTypeKind::Enumeration:
                if (d && d->GetOrd(*defaults) == p->GetOrd(obj)) break;
                Line(name + L" = " + GetEnumProp(obj, p->Name));
                break;
            case TTypeKind::Set:
                if (d && d->GetOrd(*defaults) == p->GetOrd(obj)) break;
                Line(name + L" = " + GetSetProp(obj, p->Name));
                break;
            case TTypeKind::String: {
                std::wstring v = p->GetStr(obj);
                if (d && d->GetStr(*defaults) == v) break;
                Line(name + L" = " + Quote(v));
                break;
            }
            case TTypeKind::Method: {
                TMethodData m = p->GetMethod(obj);
                if (!m.Code) break;
                for (const TClassInfo* ci = &FRoot->ClassType(); ci; ci = ci->Parent)
                    for (const auto& pm : ci->Methods)
                        if (pm.Code == m.Code && pm.Adjust(FRoot) == m.Data) {
                            Line(name + L" = " + pm.Name);
                            goto written;
                        }
            written:
                break;
            }
            case TTypeKind::Class: {
                TObject* value = p->GetObj(obj);
                if (!value) break;
                if (auto* component = dynamic_cast<TComponent*>(value)) {
                    if (component->Owner() == FRoot || component == FRoot) Line(name + L" = " + component->Name());
                    break;
                }
                if (auto* collection = dynamic_cast<TCollection*>(value)) {
                    WriteCollection(*collection, name);
                    break;
                }
                // An object the holder owns (Font, Lines): its own properties, with dots.
                TObject* defaultValue = d && defaults ? d->GetObj(*defaults) : nullptr;
                WriteProperties(*value, defaultValue, name + L".");
                if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
                    std::wstring saved = FPrefix;
                    FPrefix = name + L".";
                    persistent->DefineProperties(*this);
                    FPrefix = saved;
                }
                break;
            }
            }
        }
        if (prefix.empty())
            if (auto* persistent = dynamic_cast<TPersistent*>(&obj)) persistent->DefineProperties(*this);
    }

    // "Name = < item ... end >"; an empty collection is left out.
    void WriteCollection(TCollection& collection, const std::wstring& name) {
        if (collection.Count() == 0) return;
        Line(name + L" = <");
        auto defaults = collection.NewDetachedItem();
        for (int i = 0; i < collection.Count(); ++i) {
            Line(L"  item");
            FIndent += 2;
            WriteProperties(*collection.GetItem(i), defaults.get(), L"");
            FIndent -= 2;
            Line(L"  end");
        }
        Line(L"  >");
    }

    TComponent* FRoot;
    std::wstring FOut;
    std::wstring FPrefix;
    int FIndent = 0;
};

}  // namespace

std::wstring WriteComponentText(TComponent* root) { return Writer(root).Write(); }

}  // namespace qx
