#pragma once
// TUpDown: the system up-down (spin) control, window class "TUpDown" over "msctls_updown32".
// It counts a position between Min and Max and can show it in an associated control: beside an
// edit box (the up-down moves to the edit's side and the edit gives up that width), or inside
// it, when the up-down's parent is the edit itself (it then sits at the edit's inner right or
// left edge and the edit's text stops short of it).
#include "Controls.h"

#include <commctrl.h>

namespace qx {

enum class TUDOrientation { udVertical, udHorizontal };
enum class TUDAlignButton { udLeft, udRight };
enum class TUDBtnType { btNext, btPrev };

using TUDClickEvent = TMethod<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = TMethod<void(TObject* sender, bool& allowChange)>;

class TUpDown : public TWinControl {
    QX_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position();
    void SetPosition(int v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation v);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton v);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool v);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool v);
    bool Thousands() const { return FThousands; }
    void SetThousands(bool v);
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* v);
    // True when the up-down sits inside its associated control (its parent is that control).
    bool Embedded() const { return FAssociate && FAssociate == FParent; }

    void WndProc(TMessage& m) override;

    // An arrow was pressed and the position moved.
    TUDClickEvent OnClick;
    // Before the position moves; clearing allowChange keeps it.
    TUDChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ApplyRange();
    void ApplyBuddy();
    void PlaceInside();
    bool DeltaPos(NMUPDOWN& change);

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TUDOrientation FOrientation = TUDOrientation::udVertical;
    TUDAlignButton FAlignButton = TUDAlignButton::udRight;
    bool FWrap = false;
    bool FArrowKeys = true;
    bool FThousands = true;
    TWinControl* FAssociate = nullptr;
    int FPendingDelta = 0;  // of the last allowed UDN_DELTAPOS
};

}  // namespace qx
