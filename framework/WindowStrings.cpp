#include "WindowStrings.h"

#include <stdexcept>

namespace qx {

const TListMessages kComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING, CB_INSERTSTRING,
                                      CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,  CB_SETITEMDATA, CB_ERR};
const TListMessages kListBoxMessages{LB_GETCOUNT,     LB_GETTEXT,      LB_GETTEXTLEN,  LB_ADDSTRING, LB_INSERTSTRING,
                                     LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_ERR};

QX_DEFINE_CLASS(TWindowStrings, TStrings, b) {}

void TWindowStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw std::out_of_range("list index out of bounds");
}

int TWindowStrings::Count() const {
    if (!Window()) return FKept.Count();
    LRESULT n = Send(FMsg.GetCount);
    return n == FMsg.Error ? 0 : static_cast<int>(n);
}

std::wstring TWindowStrings::Get(int index) const {
    if (!Window()) return FKept.Get(index);
    CheckIndex(index, Count());
    LRESULT len = Send(FMsg.GetTextLen, static_cast<WPARAM>(index));
    if (len == FMsg.Error || len < 0) return {};
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    LRESULT got = Send(FMsg.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(got == FMsg.Error || got < 0 ? 0 : static_cast<size_t>(got));
    return s;
}

void TWindowStrings::Put(int index, const std::wstring& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    Insert(index, s);
    // A sorted list may have put the text elsewhere; the object goes with the text.
    int at = FSorted ? IndexOf(s) : index;
    if (at >= 0) PutObject(at, obj);
}

TObject* TWindowStrings::GetObject(int index) const {
    if (!Window()) return FKept.GetObject(index);
    CheckIndex(index, Count());
    LRESULT data = Send(FMsg.GetItemData, static_cast<WPARAM>(index));
    return data == FMsg.Error ? nullptr : reinterpret_cast<TObject*>(data);
}

void TWindowStrings::PutObject(int index, TObject* obj) {
    if (!Window()) return FKept.PutObject(index, obj);
    CheckIndex(index, Count());
    Send(FMsg.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(obj));
}

int TWindowStrings::SortedPosition(const std::wstring& s) const {
    int i = 0;
    while (i < FKept.Count() && ::lstrcmpiW(FKept.Get(i).c_str(), s.c_str()) <= 0) ++i;
    return i;
}

void TWindowStrings::Insert(int index, const std::wstring& s) {
    if (!Window()) {
        FKept.Insert(FSorted ? SortedPosition(s) : index, s);
        Changed();
        return;
    }
    CheckIndex(index, Count() + 1);
    UINT msg = FSorted ? FMsg.AddString : FMsg.InsertString;
    LRESULT r = Send(msg, FSorted ? 0 : static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    if (r < 0) throw std::runtime_error("the list window refused the item");
    Changed();
}

void TWindowStrings::Delete(int index) {
    if (!Window()) {
        FKept.Delete(index);
        Changed();
        return;
    }
    CheckIndex(index, Count());
    Send(FMsg.DeleteString, static_cast<WPARAM>(index));
    Changed();
}

void TWindowStrings::Clear() {
    if (!Window()) FKept.Clear();
    else Send(FMsg.ResetContent);
    Changed();
}

void TWindowStrings::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (!v || Window()) return;  // the window sorts itself once re-created with the style
    TStringList copy;
    copy.AddStrings(FKept);
    FKept.Clear();
    for (int i = 0; i < copy.Count(); ++i) {
        int at = SortedPosition(copy.Get(i));
        FKept.Insert(at, copy.Get(i));
        FKept.PutObject(at, copy.GetObject(i));
    }
}

void TWindowStrings::HandleCreated() {
    for (int i = 0; i < FKept.Count(); ++i) {
        LRESULT at = Send(FSorted ? FMsg.AddString : FMsg.InsertString, FSorted ? 0 : static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(FKept.Get(i).c_str()));
        if (at >= 0) Send(FMsg.SetItemData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(FKept.GetObject(i)));
    }
    FKept.Clear();
}

void TWindowStrings::SaveBeforeDestroy() {
    if (!Window()) return;
    TStringList saved;
    int n = Count();
    for (int i = 0; i < n; ++i) saved.AddObject(Get(i), GetObject(i));
    FKept.Clear();
    FKept.AddStrings(saved);
}

}  // namespace qx
