#include "PageControl.h"

#include <algorithm>
#include <commctrl.h>

namespace qx {

//--- TTabSheet

QX_DEFINE_CLASS(TTabSheet, TWinControl, b) {
    b.Boolean(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    b.Integer(L"PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).NotStored();
    b.Creatable();
}

// A page fills the display area of its page control while it is the active one.
TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    FAlign = TAlign::alClient;
    FVisible = false;
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    auto* pages = dynamic_cast<TPageControl*>(parent);
    if (pages == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = pages;
    if (pages) pages->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v) {
    if (FPageControl) FPageControl->MovePage(this, v);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int tab = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return tab;
        if (page->FTabVisible) ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}

//--- TPageControl

QX_DEFINE_CLASS(TPageControl, TCustomTabControl, b) {
    b.Object(L"ActivePage", &TPageControl::ActivePage,
             [](TPageControl& p, TObject* v) { p.SetActivePage(dynamic_cast<TTabSheet*>(v)); });
    b.Creatable();
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

// The pages outlive this part of the object (the base frees them): they must not call back.
TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
    if (tab < 0) return nullptr;
    for (TTabSheet* page : FPages)
        if (page->FTabVisible && tab-- == 0) return page;
    return nullptr;
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int v) {
    SetActivePage(v >= 0 && v < PageCount() ? FPages[static_cast<size_t>(v)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    FActivePage = page;
    FTabIndex = page ? page->TabIndex() : -1;
    if (FHandle) ::SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
    ShowActivePage();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    if (!FActivePage) FActivePage = page;
    UpdateTabs();
}

// The page after the removed one takes its place, else the one before it.
void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    size_t index = static_cast<size_t>(it - FPages.begin());
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (HasState(csDestroying)) return;
    if (FActivePage == page) {
        FActivePage = nullptr;
        for (size_t i = index; i < FPages.size() && !FActivePage; ++i)
            if (FPages[i]->FTabVisible) FActivePage = FPages[i];
        for (size_t i = index; i-- > 0 && !FActivePage;)
            if (FPages[i]->FTabVisible) FActivePage = FPages[i];
    }
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, static_cast<int>(FPages.size()));
    FPages.insert(FPages.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    if (HasState(csDestroying)) return;
    std::vector<std::wstring> texts;
    for (TTabSheet* page : FPages)
        if (page->FTabVisible) texts.push_back(page->Caption());
    FTabIndex = FActivePage ? FActivePage->TabIndex() : -1;
    SetWindowTabs(texts, FTabIndex);
    ShowActivePage();
}

// The new page is shown before the old one hides, so the area never shows through.
void TPageControl::ShowActivePage() {
    if (FActivePage) FActivePage->SetVisible(true);
    for (TTabSheet* page : FPages)
        if (page != FActivePage) page->SetVisible(false);
    Realign();
}

void TPageControl::HandleCreated() { UpdateTabs(); }

bool TPageControl::CanChange() { return TCustomTabControl::CanChange(); }

void TPageControl::Change() {
    FActivePage = PageOfTab(TabIndex());
    ShowActivePage();
    TCustomTabControl::Change();
}

}  // namespace qx
