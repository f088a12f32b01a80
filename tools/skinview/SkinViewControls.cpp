// The skin viewer's controls: every kind the skin engine paints today, on two pages that the
// view menu's page items show together or alone.
#include "SkinViewForm.h"

#include "framework/ComboBox.h"

using namespace qx;

namespace {

template <class T>
T* Place(TWinControl* parent, TComponent* owner, int left, int top, int width, int height, const std::wstring& text = {}) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (!text.empty()) control->SetCaption(text);
    return control;
}

}  // namespace

void TSkinViewForm::BuildControls() {
    ButtonsPage = Place<TGroupBox>(this, this, 12, 10, 250, 220, L"按钮与选择框");
    ButtonsPage->SetName(L"ButtonsPage");
    Place<TButton>(ButtonsPage, this, 16, 26, 100, 27, L"确定");
    Place<TButton>(ButtonsPage, this, 128, 26, 100, 27, L"已禁用")->SetEnabled(false);
    Place<TCheckBox>(ButtonsPage, this, 16, 68, 210, 20, L"复选框（选中）")->SetChecked(true);
    Place<TCheckBox>(ButtonsPage, this, 16, 94, 210, 20, L"复选框");
    Place<TRadioButton>(ButtonsPage, this, 16, 130, 210, 20, L"单选按钮一")->SetChecked(true);
    Place<TRadioButton>(ButtonsPage, this, 16, 156, 210, 20, L"单选按钮二");
    Place<TCheckBox>(ButtonsPage, this, 16, 186, 210, 20, L"已禁用的复选框")->SetEnabled(false);

    InputsPage = Place<TPanel>(this, this, 276, 10, 256, 220);
    InputsPage->SetName(L"InputsPage");
    InputsPage->SetBevelOuter(TBevelCut::bvLowered);
    Place<TLabel>(InputsPage, this, 14, 14, 220, 16, L"编辑框与组合框");
    Place<TEdit>(InputsPage, this, 14, 36, 226, 22)->SetText(L"可以输入的文字");
    auto* readOnly = Place<TEdit>(InputsPage, this, 14, 68, 226, 22);
    readOnly->SetText(L"只读");
    readOnly->SetReadOnly(true);
    auto* drop = Place<TComboBox>(InputsPage, this, 14, 104, 226, 24);
    for (const wchar_t* line : {L"第一项", L"第二项", L"第三项"}) drop->Items()->Add(line);
    drop->SetItemIndex(0);
    auto* list = Place<TComboBox>(InputsPage, this, 14, 140, 226, 24);
    list->SetStyle(TComboBoxStyle::csDropDownList);
    for (const wchar_t* line : {L"下拉列表", L"另一项"}) list->Items()->Add(line);
    list->SetItemIndex(0);

    ChoiceLabel = Place<TLabel>(this, this, 12, 244, 400, 16, L"在窗口中单击右键打开弹出菜单");
    ChoiceLabel->SetName(L"ChoiceLabel");
}
