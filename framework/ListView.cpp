#include "ListView.h"
#include "CommonControls.h"
#include "HeaderControl.h"

namespace qx {

const std::vector<std::wstring>& AlignmentNames();

static const std::vector<std::wstring> kViewStyleNames{L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"};

//--- columns and items

QX_DEFINE_CLASS(TListColumn, TCollectionItem, b) {
    b.String(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    b.Integer(L"Width", &TListColumn::Width, &TListColumn::SetWidth);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TListColumn::Alignment, &TListColumn::SetAlignment);
}

QX_DEFINE_CLASS(TListItem, TCollectionItem, b) {
    b.String(L"Caption", &TListItem::Caption, &TListItem::SetCaption);
    b.Object(L"SubItems", &TListItem::SubItems);
}

TListItem::TListItem(TCollection* collection) : TCollectionItem(collection) {
    FSubItems.OnChange = TNotifyEvent::Of<&TListItem::SubItemsChanged>(this);
}

//--- TListView

QX_DEFINE_CLASS(TListView, TWinControl, b) {
    b.Enum<TViewStyle>(L"ViewStyle", kViewStyleNames, &TListView::ViewStyle, &TListView::SetViewStyle);
    b.Object(L"Columns", &TListView::Columns);
    b.Object(L"Items", &TListView::Items);
    b.Boolean(L"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
    b.Boolean(L"GridLines", &TListView::GridLines, &TListView::SetGridLines);
    b.Boolean(L"ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
    b.Boolean(L"HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
    b.Boolean(L"MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
    b.Integer(L"ItemIndex", &TListView::ItemIndex, &TListView::SetItemIndex).NotStored();
    b.Event(L"OnChange", &TListView::OnChange);
    b.Creatable();
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      FColumns(this, [this](TCollectionItem* item) { ColumnsChanged(item); }),
      FItems(this, [this](TCollectionItem* item) { ItemsChanged(item); }) {
    FWidth = 250;
    FHeight = 150;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(clWindow);
}

void TListView::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = WC_LISTVIEWW;
    static const DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    p.Style |= kViews[static_cast<int>(FViewStyle)] | LVS_SHAREIMAGELISTS | WS_CLIPCHILDREN;
    if (!FShowColumnHeaders) p.Style |= LVS_NOCOLUMNHEADER;
    if (!FHideSelection) p.Style |= LVS_SHOWSELALWAYS;
    if (!FMultiSelect) p.Style |= LVS_SINGLESEL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::HandleCreated() {
    WriteExtendedStyle();
    ::SendMessageW(FHandle, CCM_SETUNICODEFORMAT, TRUE, 0);
    ColumnsChanged(nullptr);
    ItemsChanged(nullptr);
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
}

void TListView::DestroyWnd() {
    if (FHandle) FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

void TListView::WriteExtendedStyle() {
    if (!FHandle) return;
    DWORD ex = (FRowSelect ? LVS_EX_FULLROWSELECT : 0) | (FGridLines ? LVS_EX_GRIDLINES : 0);
    ::SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
}

void TListView::Restyle() { RecreateWnd(); }

void TListView::WriteColumn(int index, bool insert) {
    TListColumn* c = FColumns.Items(index);
    std::wstring text = c->Caption();
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = text.data();
    col.cx = c->Width();
    // The first column is always left-aligned by the system.
    col.fmt = index == 0 ? LVCFMT_LEFT : AlignmentFormat(c->Alignment());
    ::SendMessageW(FHandle, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&col));
}

void TListView::ColumnsChanged(TCollectionItem* item) {
    if (!FHandle) return;
    if (item) return WriteColumn(item->Index(), false);
    while (::SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {}
    for (int i = 0; i < FColumns.Count(); ++i) WriteColumn(i, true);
}

void TListView::WriteItem(int index, bool insert) {
    TListItem* item = FItems.Items(index);
    std::wstring caption = item->Caption();
    LVITEMW lv{};
    lv.mask = LVIF_TEXT;
    lv.iItem = index;
    lv.pszText = caption.data();
    ::SendMessageW(FHandle, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    TStrings& sub = *item->SubItems();
    for (int i = 0; i < sub.Count(); ++i) {
        std::wstring text = sub.Get(i);
        LVITEMW s{};
        s.iSubItem = i + 1;
        s.pszText = text.data();
        ::SendMessageW(FHandle, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s));
    }
}

void TListView::ItemsChanged(TCollectionItem* item) {
    if (!FHandle) return;
    if (item) return WriteItem(item->Index(), false);
    ::SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < FItems.Count(); ++i) WriteItem(i, true);
}

void TListView::SetViewStyle(TViewStyle v) {
    if (v == FViewStyle) return;
    FViewStyle = v;
    Restyle();
}

void TListView::SetRowSelect(bool v) {
    FRowSelect = v;
    WriteExtendedStyle();
}

void TListView::SetGridLines(bool v) {
    FGridLines = v;
    WriteExtendedStyle();
}

void TListView::SetShowColumnHeaders(bool v) {
    if (v == FShowColumnHeaders) return;
    FShowColumnHeaders = v;
    Restyle();
}

void TListView::SetHideSelection(bool v) {
    if (v == FHideSelection) return;
    FHideSelection = v;
    Restyle();
}

void TListView::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    Restyle();
}

int TListView::ItemIndex() {
    if (!FHandle) return FItemIndex;
    return static_cast<int>(::SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int v) {
    FItemIndex = v;
    if (!FHandle) return;
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(FHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (v < 0 || v >= FItems.Count()) return;
    LVITEMW set{};
    set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    set.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(FHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(v), reinterpret_cast<LPARAM>(&set));
}

HWND TListView::HeaderHandle() { return reinterpret_cast<HWND>(::SendMessageW(Handle(), LVM_GETHEADER, 0, 0)); }

void TListView::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(m.LParam);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnChange)
                OnChange(this);
            return;
        }
    }
    // A column dragged wider in the header keeps its new width.
    if (m.Msg == WM_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHEADERW*>(m.LParam);
        if (hdr->hdr.hwndFrom == reinterpret_cast<HWND>(::SendMessageW(FHandle, LVM_GETHEADER, 0, 0)) &&
            (hdr->hdr.code == HDN_ITEMCHANGEDW || hdr->hdr.code == HDN_ITEMCHANGEDA) && hdr->pitem &&
            (hdr->pitem->mask & HDI_WIDTH) && hdr->iItem >= 0 && hdr->iItem < FColumns.Count())
            FColumns.Items(hdr->iItem)->TrackedWidth(hdr->pitem->cxy);
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
