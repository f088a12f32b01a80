#pragma once
// TListView: the system list view ("SysListView32", window class "TListView") in its icon,
// list or report view. In the report view its columns show in the list view's own header;
// each item has a caption and the texts of the further columns (SubItems).
#include "Collections.h"
#include "Controls.h"
#include "StdCtrls.h"
#include "Strings.h"

#include <commctrl.h>

namespace qx {

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TCollectionItem {
    QX_CLASS(TListColumn)
public:
    using TCollectionItem::TCollectionItem;

    std::wstring Caption() const { return FCaption; }
    void SetCaption(const std::wstring& v) { FCaption = v; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v < 0 ? 0 : v; Changed(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
    // The width the user gave it in the header, without writing the column again.
    void TrackedWidth(int v) { FWidth = v; }

private:
    std::wstring FCaption;
    int FWidth = 50;
    TAlignment FAlignment = TAlignment::taLeftJustify;
};

class TListItem : public TCollectionItem {
    QX_CLASS(TListItem)
public:
    explicit TListItem(TCollection* collection);

    std::wstring Caption() const { return FCaption; }
    void SetCaption(const std::wstring& v) { FCaption = v; Changed(); }
    TStrings* SubItems() { return &FSubItems; }

private:
    void SubItemsChanged(TObject*) { Changed(); }
    std::wstring FCaption;
    TStringList FSubItems;
};

class TListView : public TWinControl {
    QX_CLASS(TListView)
public:
    explicit TListView(TComponent* owner);

    TOwnedCollection<TListColumn>* Columns() { return &FColumns; }
    TOwnedCollection<TListItem>* Items() { return &FItems; }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    // The selected item (the first, with several), -1 when none.
    int ItemIndex();
    void SetItemIndex(int v);
    // The list view's header window (made with the list view's window), or null.
    HWND HeaderHandle();
    void WndProc(TMessage& m) override;

    // The selection changed.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void DestroyWnd() override;

private:
    void ColumnsChanged(TCollectionItem* item);
    void ItemsChanged(TCollectionItem* item);
    void WriteColumn(int index, bool insert);
    void WriteItem(int index, bool insert);
    void WriteExtendedStyle();
    void Restyle();

    TOwnedCollection<TListColumn> FColumns;
    TOwnedCollection<TListItem> FItems;
    TViewStyle FViewStyle = TViewStyle::vsIcon;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FShowColumnHeaders = true;
    bool FHideSelection = true;
    bool FMultiSelect = false;
    int FItemIndex = -1;  // kept while there is no window
};

}  // namespace qx
