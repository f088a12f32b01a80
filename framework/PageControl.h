#pragma once
// TPageControl and TTabSheet: a tab control whose tabs are its pages. Each TTabSheet (window
// class "TTabSheet") is a container placed in the display area; the page of the selected tab is
// shown, the others hidden. Freeing a page removes its tab.
#include "TabControl.h"

#include <vector>

namespace qx {

class TPageControl;

class TTabSheet : public TWinControl {
    QX_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    // The position among the pages; the tab's position counts only pages with a tab.
    int PageIndex() const;
    void SetPageIndex(int v);
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    void SetParent(TWinControl* parent) override;
    void WndProc(TMessage& m) override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    friend class TPageControl;
};

class TPageControl : public TCustomTabControl {
    QX_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    // The page of a tab (pages without a tab skipped), or none.
    TTabSheet* PageOfTab(int tab) const;

protected:
    void HandleCreated() override;
    bool CanChange() override;
    void Change() override;

private:
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tabs from the pages and shows the active page.
    void UpdateTabs();
    void ShowActivePage();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    friend class TTabSheet;
};

}  // namespace qx
