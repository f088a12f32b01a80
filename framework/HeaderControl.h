#pragma once
// THeaderControl: the system header ("SysHeader32", window class "THeaderControl") with a
// collection of sections (text, width, alignment). Dragging a divider updates the section's
// width; clicking a section reports it.
#include "Collections.h"
#include "Controls.h"
#include "StdCtrls.h"

#include <commctrl.h>

namespace qx {

class THeaderSection : public TCollectionItem {
    QX_CLASS(THeaderSection)
public:
    using TCollectionItem::TCollectionItem;

    std::wstring Text() const { return FText; }
    void SetText(const std::wstring& v) { FText = v; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v < 0 ? 0 : v; Changed(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
    bool AllowClick() const { return FAllowClick; }
    void SetAllowClick(bool v) { FAllowClick = v; }
    // The width the user gave it by dragging, without rebuilding the header.
    void TrackedWidth(int v) { FWidth = v; }

private:
    std::wstring FText;
    int FWidth = 50;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAllowClick = true;
};

class THeaderControl;
using TSectionNotifyEvent = TMethod<void(THeaderControl* sender, THeaderSection* section)>;

class THeaderControl : public TWinControl {
    QX_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);

    TOwnedCollection<THeaderSection>* Sections() { return &FSections; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v);
    void WndProc(TMessage& m) override;

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    void SectionsChanged(TCollectionItem* item);
    void WriteItem(int index, bool insert);
    bool HeaderNotify(NMHEADERW& n);

    TOwnedCollection<THeaderSection> FSections;
    bool FHotTrack = false;
};

// HDF_* / LVCFMT_* style alignment flags share their values: left 0, right 1, centre 2.
int AlignmentFormat(TAlignment a);

}  // namespace qx
