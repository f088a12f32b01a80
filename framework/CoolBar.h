#pragma once
// TCoolBar: the system rebar ("ReBarWindow32", window class "TCoolBar") whose bands each hold
// one control placed on the cool bar (a tool bar, an edit), with a text, a width, a break to a
// new row and a background colour.
#include "Collections.h"
#include "Controls.h"

namespace qx {

class TCoolBand : public TCollectionItem {
    QX_CLASS(TCoolBand)
public:
    using TCollectionItem::TCollectionItem;

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* v) { FControl = v; Changed(); }
    std::wstring Text() const { return FText; }
    void SetText(const std::wstring& v) { FText = v; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; Changed(); }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int v) { FMinHeight = v; Changed(); }
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int v) { FMinWidth = v; Changed(); }
    bool Break() const { return FBreak; }
    void SetBreak(bool v) { FBreak = v; Changed(); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; Changed(); }
    // The control was freed: the band stays, empty.
    void ForgetControl() { FControl = nullptr; }

private:
    TWinControl* FControl = nullptr;
    std::wstring FText;
    int FWidth = 100;
    int FMinHeight = 25;
    int FMinWidth = 0;
    bool FBreak = true;
    TColor FColor = clBtnFace;
};

class TCoolBar : public TWinControl {
    QX_CLASS(TCoolBar)
public:
    explicit TCoolBar(TComponent* owner);

    TOwnedCollection<TCoolBand>* Bands() { return &FBands; }
    bool BandBorders() const { return FBandBorders; }
    void SetBandBorders(bool v);
    bool FixedOrder() const { return FFixedOrder; }
    void SetFixedOrder(bool v);
    // The band holding a control, or none.
    TCoolBand* BandOf(TControl* control) const;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void BandsChanged(TCollectionItem* item);
    void WriteBand(int index, bool insert);
    void EraseBackground(TMessage& m);

    TOwnedCollection<TCoolBand> FBands;
    bool FBandBorders = true;
    bool FFixedOrder = false;
};

}  // namespace qx
