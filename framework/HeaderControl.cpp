#include "HeaderControl.h"
#include "CommonControls.h"

#include <commctrl.h>

namespace qx {

const std::vector<std::wstring>& AlignmentNames();

int AlignmentFormat(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify: return HDF_RIGHT;
    case TAlignment::taCenter: return HDF_CENTER;
    default: return HDF_LEFT;
    }
}

QX_DEFINE_CLASS(THeaderSection, TCollectionItem, b) {
    b.String(L"Text", &THeaderSection::Text, &THeaderSection::SetText);
    b.Integer(L"Width", &THeaderSection::Width, &THeaderSection::SetWidth);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &THeaderSection::Alignment, &THeaderSection::SetAlignment);
    b.Boolean(L"AllowClick", &THeaderSection::AllowClick, &THeaderSection::SetAllowClick);
}

QX_DEFINE_CLASS(THeaderControl, TWinControl, b) {
    b.Object(L"Sections", &THeaderControl::Sections);
    b.Boolean(L"HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack);
    b.Event(L"OnSectionClick", &THeaderControl::OnSectionClick);
    b.Event(L"OnSectionResize", &THeaderControl::OnSectionResize);
    b.Creatable();
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), FSections(this, [this](TCollectionItem* item) { SectionsChanged(item); }) {
    FWidth = 200;
    FHeight = 17;
    FAlign = TAlign::alTop;
}

void THeaderControl::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = WC_HEADERW;
    p.Style |= HDS_BUTTONS | HDS_HORZ;
    if (FHotTrack) p.Style |= HDS_HOTTRACK;
}

void THeaderControl::SetHotTrack(bool v) {
    if (v == FHotTrack) return;
    FHotTrack = v;
    RecreateWnd();
}

void THeaderControl::WriteItem(int index, bool insert) {
    THeaderSection* s = FSections.Items(index);
    std::wstring text = s->Text();
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = text.data();
    item.cxy = s->Width();
    item.fmt = HDF_STRING | AlignmentFormat(s->Alignment());
    ::SendMessageW(FHandle, insert ? HDM_INSERTITEMW : HDM_SETITEMW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::HandleCreated() { SectionsChanged(nullptr); }

// One section changed: that item is written again; the list changed: all items are.
void THeaderControl::SectionsChanged(TCollectionItem* item) {
    if (!FHandle) return;
    if (item) return WriteItem(item->Index(), false);
    while (::SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0) > 0) ::SendMessageW(FHandle, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < FSections.Count(); ++i) WriteItem(i, true);
}

// Only the codes below carry an NMHEADER; the index is read after the code is known.
bool THeaderControl::HeaderNotify(NMHEADERW& n) {
    const UINT code = n.hdr.code;
    if (code != HDN_ITEMCLICKW && code != HDN_ITEMCLICKA && code != HDN_ITEMCHANGEDW && code != HDN_ITEMCHANGEDA)
        return false;
    if (n.iItem < 0 || n.iItem >= FSections.Count()) return true;
    THeaderSection* section = FSections.Items(n.iItem);
    switch (code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA:
        if (section->AllowClick() && OnSectionClick) OnSectionClick(this, section);
        return true;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        if (n.pitem && (n.pitem->mask & HDI_WIDTH) && n.pitem->cxy != section->Width()) {
            section->TrackedWidth(n.pitem->cxy);
            if (OnSectionResize) OnSectionResize(this, section);
        }
        return true;
    }
    return false;
}

void THeaderControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam && HeaderNotify(*reinterpret_cast<NMHEADERW*>(m.LParam))) return;
    TWinControl::WndProc(m);
}

}  // namespace qx
