#include "Strings.h"

#include <stdexcept>

namespace qx {

QX_DEFINE_CLASS(TStrings, TPersistent, b) {}
QX_DEFINE_CLASS(TStringList, TStrings, b) {}

int TStrings::Add(const std::wstring& s) {
    Insert(Count(), s);
    return Count() - 1;
}

int TStrings::AddObject(const std::wstring& s, TObject* obj) {
    int i = Add(s);
    PutObject(i, obj);
    return i;
}

int TStrings::IndexOf(const std::wstring& s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

int TStrings::IndexOfName(const std::wstring& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Names(i), name)) return i;
    return -1;
}

std::wstring TStrings::Names(int index) const {
    std::wstring s = Get(index);
    size_t eq = s.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : s.substr(0, eq);
}

std::wstring TStrings::ValueFromIndex(int index) const {
    std::wstring s = Get(index);
    size_t eq = s.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : s.substr(eq + 1);
}

std::wstring TStrings::Values(const std::wstring& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::wstring() : ValueFromIndex(i);
}

std::wstring TStrings::Text() const {
    std::wstring out;
    for (int i = 0; i < Count(); ++i) out += Get(i) + L"\r\n";
    return out;
}

void TStrings::SetText(const std::wstring& text) {
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}

void TStrings::AddStrings(const TStrings& other) {
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
}

void TStrings::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TStrings*>(source)) {
        Clear();
        AddStrings(*s);
        return;
    }
    TPersistent::Assign(source);
}

// The lines are stored as a list: Lines.Strings = ( 'a' 'b' ).
void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineListProperty(
        L"Strings",
        [this](const std::vector<std::wstring>& items) {
            Clear();
            for (const auto& s : items) Add(s);
        },
        [this] {
            std::vector<std::wstring> items;
            for (int i = 0; i < Count(); ++i) items.push_back(Get(i));
            return items;
        },
        Count() > 0);
}

void TStrings::Changed() {
    if (OnChange) OnChange(this);
}

void TStringList::Put(int index, const std::wstring& s) {
    FItems.at(index).Text = s;
    Changed();
}

void TStringList::Insert(int index, const std::wstring& s) {
    if (index < 0 || index > Count()) throw std::out_of_range("list index out of bounds");
    FItems.insert(FItems.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

}  // namespace qx
