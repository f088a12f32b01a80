#pragma once
// The item list of a list-like system control (combo box, list box): the window holds the
// items while it exists, a plain list holds them while it does not (before the window is
// made, and across a re-creation), so the control's Items stay valid whatever the window does.
#include "Controls.h"
#include "Strings.h"

namespace qx {

// The messages of one kind of list window.
struct TListMessages {
    UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent, GetItemData, SetItemData;
    LRESULT Error;  // what the window answers for a bad index (CB_ERR / LB_ERR)
};
extern const TListMessages kComboBoxMessages;
extern const TListMessages kListBoxMessages;

class TWindowStrings : public TStrings {
    QX_CLASS(TWindowStrings)
public:
    TWindowStrings(TWinControl& control, const TListMessages& messages) : FControl(control), FMsg(messages) {}

    int Count() const override;
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    // In a sorted list an item goes where the order puts it, whatever the index says.
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    // The window was made: it receives the kept items. The window is going: the items are
    // kept. The control calls these from HandleCreated and DestroyWnd.
    void HandleCreated();
    void SaveBeforeDestroy();

private:
    HWND Window() const { return FControl.HandleAllocated() ? FControl.Handle() : nullptr; }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(Window(), msg, wp, lp); }
    void CheckIndex(int index, int limit) const;
    int SortedPosition(const std::wstring& s) const;

    TWinControl& FControl;
    const TListMessages& FMsg;
    TStringList FKept;
    bool FSorted = false;
};

}  // namespace qx
