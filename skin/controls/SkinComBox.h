// TSkinComBox: paints a combo box's border and drop-down button from the skin and tracks the
// button's pressed and hot looks; the edit field of a drop-down combo is hooked so that pressing
// it and painting it reach the combo. A simple combo box gets no button painting; its list gets
// scroll-bar skinning instead.
#pragma once

#include "skin/controls/SkinComboPaint.h"
#include "skin/controls/SkinControl.h"

class TSkinComBox : public TSkinControl {
    QX_CLASS(TSkinComBox)
public:
    explicit TSkinComBox(qx::TComponent* owner);
    ~TSkinComBox() override;

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    void Detach() override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    HWND EditWindow() const { return FEditWindow; }
    HWND ListWindow() const { return FListWindow; }
    // The scroll-bar wrapper of a simple combo's list, until detach hands it to the form.
    TSkinControl* ListScrollbars() const { return FListScrollbars; }
    // What the last paint drew from (frame and look); 0 when it drew nothing.
    int LastFrame() const { return FLastFrame; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    void AfterAttach();
    void HookEdit(HWND edit);
    void UnhookEdit();
    void EditWndProc(qx::TMessage& m) noexcept;
    TComboLook Look() const;
    bool ComboFocused() const;

    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    HWND FListWindow = nullptr;
    HWND FEditWindow = nullptr;
    qx::TSubclassSlot FEditSlot;
    COMBOBOXINFO FComboInfo{};
    TSkinControl* FListScrollbars = nullptr;
    int FLastFrame = 0;
};
