#include "FormReader.h"
#include "Collections.h"
#include "Controls.h"
#include "Graphics.h"
#include "Streams.h"

#include <windows.h>

#include <cwctype>
#include <memory>
#include <optional>

namespace qx {

std::wstring Utf8ToWide(const std::string& s) {
    if (s.empty()) return {};
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string WideToUtf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

namespace {

std::string Narrow(const std::wstring& w) { return WideToUtf8(w); }

//--- tokens

enum class Tok { End, Ident, Integer, String, Symbol };

struct Token {
    Tok Kind = Tok::End;
    std::wstring Text;   // identifier, string value or symbol
    int64_t Int = 0;
    int Line = 1;
};

class Lexer {
public:
    explicit Lexer(const std::wstring& text) : FText(text) {}

    const Token& Peek() {
        if (!FPeeked) {
            FNext = Scan();
            FPeeked = true;
        }
        return FNext;
    }
    Token Next() {
        Peek();
        FPeeked = false;
        return FNext;
    }
    int Line() const { return FPeeked ? FNext.Line : FLine; }

    // The hex digits of a binary value up to the closing brace.
    std::vector<uint8_t> ReadHex() {
        std::vector<uint8_t> bytes;
        int high = -1;
        for (;;) {
            if (FPos >= FText.size()) throw EReadError(FLine, "binary value not closed");
            wchar_t c = FText[FPos++];
            if (c == L'}') break;
            if (c == L'\n') { ++FLine; continue; }
            if (std::iswspace(c)) continue;
            int v = HexValue(c);
            if (v < 0) throw EReadError(FLine, "invalid character in binary value");
            if (high < 0) high = v;
            else {
                bytes.push_back(static_cast<uint8_t>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0) throw EReadError(FLine, "odd number of hex digits in binary value");
        return bytes;
    }

private:
    static int HexValue(wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        return -1;
    }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            wchar_t c = FText[FPos];
            if (c == L'\n') ++FLine;
            if (!std::iswspace(c) && c != 0xFEFF) break;
            ++FPos;
        }
    }

    Token Scan() {
        SkipBlanks();
        Token t;
        t.Line = FLine;
        if (FPos >= FText.size()) return t;
        wchar_t c = FText[FPos];
        if (std::iswalpha(c) || c == L'_') {
            size_t start = FPos;
            while (FPos < FText.size() && (std::iswalnum(FText[FPos]) || FText[FPos] == L'_' || FText[FPos] == L'.')) ++FPos;
            t.Kind = Tok::Ident;
            t.Text = FText.substr(start, FPos - start);
            return t;
        }
        if (std::iswdigit(c) || c == L'$' || ((c == L'-' || c == L'+') && FPos + 1 < FText.size() &&
                                              (std::iswdigit(FText[FPos + 1]) || FText[FPos + 1] == L'$'))) {
            bool negative = c == L'-';
            if (c == L'-' || c == L'+') ++FPos;
            bool hex = FText[FPos] == L'$';
            if (hex) ++FPos;
            size_t start = FPos;
            uint64_t v = 0;
            while (FPos < FText.size() && (hex ? HexValue(FText[FPos]) >= 0 : std::iswdigit(FText[FPos]) != 0)) {
                v = v * (hex ? 16 : 10) + static_cast<uint64_t>(HexValue(FText[FPos]));
                if (v > 0xFFFFFFFFFFFFull) throw EReadError(FLine, "number too large");
                ++FPos;
            }
            if (FPos == start) throw EReadError(FLine, "invalid number");
            t.Kind = Tok::Integer;
            t.Int = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
            return t;
        }
        if (c == L'\'' || c == L'#') {
            t.Kind = Tok::String;
            t.Text = ScanString();
            return t;
        }
        ++FPos;
        t.Kind = Tok::Symbol;
        t.Text = std::wstring(1, c);
        return t;
    }

    // 'text''s' #1234 'more', parts joined by + across lines.
    std::wstring ScanString() {
        std::wstring out;
        for (;;) {
            if (FPos < FText.size() && FText[FPos] == L'\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == L'\n') throw EReadError(FLine, "string not closed");
                    wchar_t c = FText[FPos++];
                    if (c == L'\'') {
                        if (FPos < FText.size() && FText[FPos] == L'\'') { out += L'\''; ++FPos; continue; }
                        break;
                    }
                    out += c;
                }
            } else if (FPos < FText.size() && FText[FPos] == L'#') {
                ++FPos;
                size_t start = FPos;
                unsigned v = 0;
                while (FPos < FText.size() && std::iswdigit(FText[FPos]) && v <= 0xFFFF) v = v * 10 + (FText[FPos++] - L'0');
                if (FPos == start || v > 0xFFFF) throw EReadError(FLine, "invalid character code");
                out += static_cast<wchar_t>(v);
            } else {
                // A '+' joins the next part (possibly on the next line).
                size_t save = FPos;
                int saveLine = FLine;
                SkipBlanks();
                if (FPos < FText.size() && FText[FPos] == L'+') {
                    ++FPos;
                    SkipBlanks();
                    if (FPos < FText.size() && (FText[FPos] == L'\'' || FText[FPos] == L'#')) continue;
                    throw EReadError(FLine, "string expected after +");
                }
                FPos = save;
                FLine = saveLine;
                return out;
            }
        }
    }

    const std::wstring& FText;
    size_t FPos = 0;
    int FLine = 1;
    Token FNext;
    bool FPeeked = false;
};

//--- values

struct Value {
    enum Kind { Int, Ident, Str, Set, List, Binary } K = Int;
    int64_t I = 0;
    std::wstring S;
    std::vector<std::wstring> Items;
    std::vector<uint8_t> Bytes;
};

// Finds one custom property among those an object defines.
class DefinitionFinder : public TFiler {
public:
    explicit DefinitionFinder(const std::wstring& name) : FName(name) {}
    void DefineProperty(const std::wstring& name, TReaderProc read, TWriterProc, bool) override {
        if (SameText(name, FName)) Text = std::move(read), Found = true;
    }
    void DefineListProperty(const std::wstring& name, TListReaderProc read, TListWriterProc, bool) override {
        if (SameText(name, FName)) List = std::move(read), Found = true;
    }
    void DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc, bool) override {
        if (SameText(name, FName)) Binary = std::move(read), Found = true;
    }
    bool Found = false;
    TReaderProc Text;
    TListReaderProc List;
    TStreamProc Binary;

private:
    std::wstring FName;
};

class Reader {
public:
    Reader(const std::wstring& text) : FLex(text) {}

    TComponent* Read(TComponent* root, TComponent* owner) {
        try {
            TComponent* result = ReadObject(root, nullptr, owner);
            if (FLex.Peek().Kind != Tok::End) throw EReadError(FLex.Line(), "text after the final end");
            for (auto& fix : FFixups) {
                TComponent* target = FRoot->FindComponent(fix.Name);
                if (!target && SameText(fix.Name, FRoot->Name())) target = FRoot;
                if (!target) throw EReadError(fix.Line, "component " + Narrow(fix.Name) + " not found");
                SetObjectProp(*fix.Object, fix.Prop, target);
            }
            for (TComponent* c : FLoaded) c->EndReading();
            for (TComponent* c : FLoaded) c->Loaded();
            return result;
        } catch (const EReadError&) {
            Abandon();
            throw;
        } catch (const std::exception& e) {
            int line = FLex.Line();
            Abandon();
            throw EReadError(line, e.what());
        }
    }

private:
    struct Fixup {
        TObject* Object;
        std::wstring Prop;
        std::wstring Name;
        int Line;
    };

    // Frees what this read created, last first; a root that was given stays.
    void Abandon() {
        bool rootGiven = FRoot && (FCreated.empty() || FCreated.front() != FRoot);
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
            if (rootGiven)
                if (const TPublishedField* f = FRoot->ClassType().FindField((*it)->Name())) f->Assign(*FRoot, nullptr);
            delete *it;
        }
        FCreated.clear();
    }

    std::wstring ExpectIdent(const char* what) {
        Token t = FLex.Next();
        if (t.Kind != Tok::Ident) throw EReadError(t.Line, std::string(what) + " expected");
        return t.Text;
    }

    void ExpectSymbol(wchar_t c) {
        Token t = FLex.Next();
        if (t.Kind != Tok::Symbol || t.Text[0] != c) throw EReadError(t.Line, std::string("'") + static_cast<char>(c) + "' expected");
    }

    TComponent* ReadObject(TComponent* given, TComponent* parent, TComponent* owner) {
        std::wstring keyword = ExpectIdent("object");
        if (!SameText(keyword, L"object") && !SameText(keyword, L"inherited"))
            throw EReadError(FLex.Line(), "object expected");
        int line = FLex.Line();
        std::wstring name = ExpectIdent("component name");
        ExpectSymbol(L':');
        std::wstring className = ExpectIdent("class name");

        TComponent* c = given;
        if (c) {
            if (!SameText(c->ClassName(), className))
                throw EReadError(line, "the description is of class " + Narrow(className) + ", not " + Narrow(c->ClassName()));
        } else {
            const TClassInfo* info = FindClass(className);
            if (!info || !info->Create) throw EReadError(line, "class " + Narrow(className) + " not found");
            c = info->Create(FRoot ? FRoot : owner);
            FCreated.push_back(c);
            auto* control = dynamic_cast<TControl*>(c);
            auto* container = dynamic_cast<TWinControl*>(parent);
            if (control && container) control->SetParent(container);
        }
        if (!FRoot) FRoot = c;
        c->BeginLoading();
        FLoaded.push_back(c);
        c->SetName(name);
        if (c != FRoot)
            if (const TPublishedField* f = FRoot->ClassType().FindField(name); f && !f->Assign(*FRoot, c))
                throw EReadError(line, "field " + Narrow(name) + " is of another class");

        for (;;) {
            const Token& t = FLex.Peek();
            if (t.Kind == Tok::End) throw EReadError(t.Line, "end expected");
            if (t.Kind == Tok::Ident && SameText(t.Text, L"end")) {
                FLex.Next();
                break;
            }
            if (t.Kind == Tok::Ident && (SameText(t.Text, L"object") || SameText(t.Text, L"inherited"))) {
                ReadObject(nullptr, c, owner);
                continue;
            }
            ReadPropertyLine(*c);
        }
        return c;
    }

    // "Name = value", or "Name = < item ... end ... >" for a collection.
    void ReadPropertyLine(TObject& object) {
        int line = FLex.Peek().Line;
        std::wstring prop = ExpectIdent("property name");
        ExpectSymbol(L'=');
        const Token& next = FLex.Peek();
        if (next.Kind == Tok::Symbol && next.Text[0] == L'<') return ReadCollection(object, prop, line);
        Value v = ReadValue();
        SetProperty(object, prop, v, line);
    }

    // The items replace what the collection held; each item's properties are read as an
    // object's are.
    void ReadCollection(TObject& object, const std::wstring& path, int line) {
        FLex.Next();
        auto* collection = dynamic_cast<TCollection*>(ObjectAt(object, path, line));
        if (!collection) throw EReadError(line, "property " + Narrow(path) + " is not a collection");
        collection->BeginUpdate();
        struct Closer {
            TCollection* c;
            ~Closer() { c->EndUpdate(); }
        } closer{collection};
        collection->Clear();
        for (;;) {
            Token t = FLex.Next();
            if (t.Kind == Tok::Symbol && t.Text[0] == L'>') return;
            if (t.Kind != Tok::Ident || !SameText(t.Text, L"item")) throw EReadError(t.Line, "item expected");
            TCollectionItem* item = collection->AddItem();
            for (;;) {
                const Token& p = FLex.Peek();
                if (p.Kind == Tok::End) throw EReadError(p.Line, "end expected");
                if (p.Kind == Tok::Ident && SameText(p.Text, L"end")) {
                    FLex.Next();
                    break;
                }
                ReadPropertyLine(*item);
            }
        }
    }

    // The object a (dotted) class property holds.
    TObject* ObjectAt(TObject& object, const std::wstring& path, int line) {
        TObject* target = &object;
        std::wstring rest = path;
        while (!rest.empty()) {
            size_t dot = rest.find(L'.');
            std::wstring head = rest.substr(0, dot);
            rest = dot == std::wstring::npos ? L"" : rest.substr(dot + 1);
            const TPropInfo* p = GetPropInfo(*target, head);
            if (!p || p->Kind != TTypeKind::Class) throw EReadError(line, "property " + Narrow(path) + " does not exist");
            target = p->GetObj(*target);
            if (!target) throw EReadError(line, "property " + Narrow(head) + " holds no object");
        }
        return target;
    }

    Value ReadValue() {
        Token t = FLex.Next();
        Value v;
        switch (t.Kind) {
        case Tok::Integer: v.K = Value::Int; v.I = t.Int; return v;
        case Tok::Ident: v.K = Value::Ident; v.S = t.Text; return v;
        case Tok::String: v.K = Value::Str; v.S = t.Text; return v;
        case Tok::End: throw EReadError(t.Line, "value expected");
        case Tok::Symbol: break;
        }
        switch (t.Text[0]) {
        case L'[': {
            v.K = Value::Set;
            v.S = L"[";
            for (;;) {
                Token item = FLex.Next();
                if (item.Kind == Tok::Symbol && item.Text[0] == L']') break;
                if (item.Kind == Tok::Symbol && item.Text[0] == L',') { v.S += L","; continue; }
                if (item.Kind != Tok::Ident) throw EReadError(item.Line, "set member expected");
                v.S += item.Text;
            }
            v.S += L"]";
            return v;
        }
        case L'(': {
            v.K = Value::List;
            for (;;) {
                Token item = FLex.Next();
                if (item.Kind == Tok::Symbol && item.Text[0] == L')') break;
                if (item.Kind == Tok::String || item.Kind == Tok::Ident) v.Items.push_back(item.Text);
                else if (item.Kind == Tok::Integer) v.Items.push_back(std::to_wstring(item.Int));
                else throw EReadError(item.Line, "list item expected");
            }
            return v;
        }
        case L'{':
            v.K = Value::Binary;
            v.Bytes = FLex.ReadHex();
            return v;
        }
        throw EReadError(t.Line, "value expected");
    }

    void SetProperty(TObject& object, const std::wstring& path, const Value& v, int line) {
        // Walk "Font.Height" down to the object that holds the last name.
        TObject* target = &object;
        std::wstring name = path;
        for (size_t dot; (dot = name.find(L'.')) != std::wstring::npos;) {
            std::wstring head = name.substr(0, dot);
            const TPropInfo* p = GetPropInfo(*target, head);
            if (!p || p->Kind != TTypeKind::Class) throw EReadError(line, "property " + Narrow(path) + " does not exist");
            target = p->GetObj(*target);
            if (!target) throw EReadError(line, "property " + Narrow(head) + " holds no object");
            name = name.substr(dot + 1);
        }
        const TPropInfo* p = GetPropInfo(*target, name);
        if (!p) return SetDefined(*target, name, path, v, line);
        auto mismatch = [&] { return EReadError(line, "invalid value for property " + Narrow(path)); };
        switch (p->Kind) {
        case TTypeKind::Integer:
            if (v.K == Value::Int) return SetOrdProp(*target, name, v.I);
            if (v.K == Value::Str && v.S.size() == 1) return SetOrdProp(*target, name, v.S[0]);  // PasswordChar = '*'
            if (v.K == Value::Ident) {
                TColor c;
                if (StringToColor(v.S, c)) return SetOrdProp(*target, name, c);
            }
            throw mismatch();
        case TTypeKind::Boolean:
        case TTypeKind::Enumeration:
            if (v.K != Value::Ident) throw mismatch();
            return SetEnumProp(*target, name, v.S);
        case TTypeKind::String:
            if (v.K == Value::Str) return SetStrProp(*target, name, v.S);
            if (v.K == Value::Int) return SetStrProp(*target, name, std::to_wstring(v.I));
            throw mismatch();
        case TTypeKind::Set:
            if (v.K != Value::Set) throw mismatch();
            return SetSetProp(*target, name, v.S);
        case TTypeKind::Class:
            if (v.K != Value::Ident) throw mismatch();
            if (SameText(v.S, L"nil")) return SetObjectProp(*target, name, nullptr);
            FFixups.push_back({target, name, v.S, line});
            return;
        case TTypeKind::Method: {
            if (v.K != Value::Ident) throw mismatch();
            const TPublishedMethod* m = FRoot->ClassType().FindMethod(v.S);
            if (!m) throw EReadError(line, "method " + Narrow(v.S) + " not found");
            if (p->Signature && *p->Signature != *m->Signature)
                throw EReadError(line, "method " + Narrow(v.S) + " does not fit event " + Narrow(path));
            return SetMethodProp(*target, name, {m->Adjust(FRoot), m->Code, m->Signature});
        }
        }
    }

    void SetDefined(TObject& target, const std::wstring& name, const std::wstring& path, const Value& v, int line) {
        auto* persistent = dynamic_cast<TPersistent*>(&target);
        DefinitionFinder finder(name);
        if (persistent) persistent->DefineProperties(finder);
        if (!finder.Found) throw EReadError(line, "property " + Narrow(path) + " does not exist");
        if (finder.Binary) {
            if (v.K != Value::Binary) throw EReadError(line, "binary value expected for " + Narrow(path));
            TMemoryStream stream;
            stream.WriteBuffer(v.Bytes.data(), static_cast<int64_t>(v.Bytes.size()));
            stream.SetPosition(0);
            finder.Binary(stream);
        } else if (finder.List) {
            if (v.K != Value::List) throw EReadError(line, "list expected for " + Narrow(path));
            finder.List(v.Items);
        } else {
            if (v.K == Value::Str || v.K == Value::Ident) finder.Text(v.S);
            else if (v.K == Value::Int) finder.Text(std::to_wstring(v.I));
            else throw EReadError(line, "invalid value for " + Narrow(path));
        }
    }

    Lexer FLex;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FCreated;
    std::vector<TComponent*> FLoaded;
    std::vector<Fixup> FFixups;
};

}  // namespace

void ReadComponentText(const std::wstring& text, TComponent* root) {
    Reader(text).Read(root, root ? root->Owner() : nullptr);
}

void ReadComponentUtf8(const std::string& utf8, TComponent* root) { ReadComponentText(Utf8ToWide(utf8), root); }

TComponent* CreateComponentFromText(const std::wstring& text, TComponent* owner) {
    return Reader(text).Read(nullptr, owner);
}

void ReadComponentRes(const std::wstring& resourceName, TComponent* root) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!res) throw EReadError(0, "resource " + Narrow(resourceName) + " not found");
    HGLOBAL data = ::LoadResource(module, res);
    const char* bytes = static_cast<const char*>(::LockResource(data));
    DWORD size = ::SizeofResource(module, res);
    if (!bytes) throw EReadError(0, "resource " + Narrow(resourceName) + " cannot be loaded");
    ReadComponentUtf8(std::string(bytes, size), root);
}

}  // namespace qx
