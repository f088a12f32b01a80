#pragma once
// TStatusBar: the system status bar ("msctls_statusbar32", window class "TStatusBar") with a
// collection of panels, or one simple text (SimplePanel). Panels carry their bevel, alignment,
// reading order and style; an owner-drawn panel is painted by OnDrawPanel. The size grip shows
// in the bottom-right corner while SizeGrip is set.
#include "BiDiMode.h"
#include "Collections.h"
#include "Controls.h"
#include "StdCtrls.h"

namespace qx {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };
const std::vector<std::wstring>& BiDiModeNames();

class TStatusPanel : public TCollectionItem {
    QX_CLASS(TStatusPanel)
public:
    using TCollectionItem::TCollectionItem;

    std::wstring Text() const { return FText; }
    void SetText(const std::wstring& v) { FText = v; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v < 0 ? 0 : v; Changed(); }
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel v) { FBevel = v; Changed(); }
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle v) { FStyle = v; Changed(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; Changed(); }

private:
    std::wstring FText;
    int FWidth = 50;
    TStatusPanelBevel FBevel = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle FStyle = TStatusPanelStyle::psText;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
};

class TStatusBar;
using TDrawPanelEvent = TMethod<void(TStatusBar* statusBar, TStatusPanel* panel, const RECT& rect)>;

class TStatusBar : public TWinControl {
    QX_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);

    TOwnedCollection<TStatusPanel>* Panels() { return &FPanels; }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    std::wstring SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::wstring& v);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    // The canvas OnDrawPanel draws on.
    TCanvas& Canvas() { return FCanvas; }
    void WndProc(TMessage& m) override;

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    void PanelsChanged(TCollectionItem* item);
    void WriteParts();
    void WritePanelText(int index);
    void WriteSimpleText();
    void DrawPanel(const DRAWITEMSTRUCT& item);

    TOwnedCollection<TStatusPanel> FPanels;
    bool FSimplePanel = false;
    std::wstring FSimpleText;
    bool FSizeGrip = true;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    TCanvas FCanvas;
};

}  // namespace qx
