#pragma once
// TComboBox: the system combo box (window class "TComboBox" over "COMBOBOX") with its items,
// selection and text, in the styles drop-down, simple and drop-down list.
#include "Controls.h"
#include "WindowStrings.h"

namespace qx {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
    QX_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* owner);

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    TStrings* Items() { return &FItems; }
    int ItemIndex();
    void SetItemIndex(int v);
    std::wstring Text() { return GetText(); }
    std::wstring GetText() override;
    void SetText(const std::wstring& s) override;
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool DroppedDown();
    void SetDroppedDown(bool v);
    // The edit field of a drop-down or simple combo box, null for the other styles.
    HWND EditHandle();

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& m) override;
    void Loaded() override;

    // Text typed or chosen (the drop-down list style has no typing).
    TNotifyEvent OnChange;
    // The user chose an item from the list; without a handler OnChange runs instead.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void DestroyWnd() override;

private:
    bool HasEditField() const { return FStyle == TComboBoxStyle::csDropDown || FStyle == TComboBoxStyle::csSimple; }
    int DroppedHeight(int height) const;
    void CnCommand(WORD code);

    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    TWindowStrings FItems;
    int FItemIndex = -1;  // kept while there is no window
    int FDropDownCount = 8;
    int FMaxLength = 0;
};

}  // namespace qx
