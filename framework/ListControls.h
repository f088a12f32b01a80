#pragma once
// Controls that show a list of lines: the memo (a multi-line edit, window class "TMemo" over
// "EDIT") and the list box (window class "TListBox" over "LISTBOX").
#include "StdCtrls.h"
#include "WindowStrings.h"

namespace qx {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo;

// A memo's text seen as lines: lines end at CR LF, a lone CR or a lone LF, and every change
// writes the whole text back with CR LF after each line.
class TMemoStrings : public TStrings {
    QX_CLASS(TMemoStrings)
public:
    explicit TMemoStrings(TMemo& memo) : FMemo(memo) {}

    int Count() const override;
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& s) override;
    TObject* GetObject(int) const override { return nullptr; }
    void PutObject(int, TObject*) override {}
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    std::vector<std::wstring> Lines() const;
    void Store(const std::vector<std::wstring>& lines);
    TMemo& FMemo;
};

// A memo is an edit box of several lines: it keeps the edit's text, change event, read-only
// state and length limit.
class TMemo : public TEdit {
    QX_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);

    TStrings* Lines() { return &FLines; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    TMemoStrings FLines;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
};

class TListBox : public TWinControl {
    QX_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);

    TStrings* Items() { return &FItems; }
    int ItemIndex();
    void SetItemIndex(int v);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool v);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool v);
    // ssVertical (the default) and ssBoth scroll up and down, ssHorizontal and ssBoth sideways
    // as far as the widest item or ScrollWidth reaches.
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int v);
    bool Selected(int index);
    void SetSelected(int index, bool v);
    int SelCount();
    void WndProc(TMessage& m) override;

    // A double click on an item (the selection change before it is an OnClick).
    TNotifyEvent OnDblClick;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void DestroyWnd() override;

private:
    bool ScrollsSideways() const { return FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth; }
    void UpdateHorizontalExtent();
    int ItemTextWidth(const wchar_t* text);
    void WriteHorizontalExtent();

    TWindowStrings FItems;
    int FItemIndex = -1;  // kept while there is no window
    TScrollStyle FScrollBars = TScrollStyle::ssVertical;
    int FScrollWidth = 0;
    int FWidestItem = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
};

}  // namespace qx
