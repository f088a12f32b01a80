#pragma once
// Group boxes: a captioned, etched frame around other controls (window class "TGroupBox"), and
// the radio group, a group box that makes one radio button per item of its list and keeps the
// chosen one as ItemIndex.
#include "Controls.h"
#include "StdCtrls.h"
#include "Strings.h"

#include <vector>

namespace qx {

class TCustomGroupBox : public TCustomControl {
    QX_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* owner);

    // The frame's top line sits half a caption height down: this is its y.
    int FrameTop();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    QX_CLASS(TGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

class TRadioGroup;

// One radio button of a radio group: owned and placed by the group, never stored.
class TGroupButton : public TRadioButton {
    QX_CLASS(TGroupButton)
public:
    TGroupButton(TRadioGroup& group, int index);
    void Click() override;
    // Checks or unchecks without telling anyone.
    void SetCheckedQuietly(bool v);
    int Index() const { return FIndex; }

private:
    TRadioGroup& FGroup;
    int FIndex;
};

class TRadioGroup : public TCustomGroupBox {
    QX_CLASS(TRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings* Items() { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TGroupButton* Buttons(int i) const { return FButtons.at(i); }

    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void FontChanged(TObject* sender) override;

private:
    friend class TGroupButton;
    void ButtonClicked(TGroupButton& button);
    void ItemsChanged(TObject*);
    void UpdateButtons();
    void ArrangeButtons();

    TStringList FItems;
    std::vector<TGroupButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

}  // namespace qx
