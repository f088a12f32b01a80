// The skin viewer's window furniture (tool bar, status bar, the page control of the families)
// and its first two pages: buttons and check boxes; edits, combo boxes, a memo, a list box, an
// up-down in an edit and a date-time picker.
#include "SkinViewForm.h"
#include "SkinViewPlace.h"

#include "framework/ComboBox.h"
#include "framework/DateTimePicker.h"
#include "framework/ListControls.h"
#include "framework/UpDown.h"

using namespace qx;
using skinview::Place;

void TSkinViewForm::BuildControls() {
    BuildBars();
    Pages = new TPageControl(this);
    Pages->SetName(L"Pages");
    Pages->SetParent(this);
    Pages->SetAlign(TAlign::alClient);
    const struct {
        TTabSheet** Sheet;
        const wchar_t* Name;
        const wchar_t* Caption;
    } sheets[] = {
        {&ButtonsPage, L"ButtonsPage", L"按钮与选择框"},
        {&InputsPage, L"InputsPage", L"输入框"},
        {&ListsPage, L"ListsPage", L"列表与标签"},
        {&RangesPage, L"RangesPage", L"范围控件"},
    };
    for (const auto& s : sheets) {
        auto* sheet = new TTabSheet(this);
        sheet->SetName(s.Name);
        sheet->SetCaption(s.Caption);
        sheet->SetPageControl(Pages);
        *s.Sheet = sheet;
    }
    Pages->SetActivePage(ButtonsPage);
    Pages->OnChange = TNotifyEvent::Of<&TSkinViewForm::PagesChange>(this);
    BuildButtonsPage();
    BuildInputsPage();
    BuildListsPage();
    BuildRangesPage();
}

void TSkinViewForm::BuildBars() {
    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName(L"ToolBar1");
    ToolBar1->SetParent(this);
    ToolBar1->SetAlign(TAlign::alTop);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetList(true);
    ToolBar1->SetButtonWidth(70);
    const struct {
        const wchar_t* Caption;
        TToolButtonStyle Style;
        TMenuItem* Command;
    } buttons[] = {
        {L"打开", TToolButtonStyle::tbsButton, FileOpen},
        {L"重新载入", TToolButtonStyle::tbsButton, ViewReload},
        {L"", TToolButtonStyle::tbsSeparator, nullptr},
        {L"网格", TToolButtonStyle::tbsCheck, nullptr},
        {L"已禁用", TToolButtonStyle::tbsButton, nullptr},
    };
    for (const auto& b : buttons) {
        auto* button = new TToolButton(this);
        button->SetStyle(b.Style);
        if (*b.Caption) button->SetCaption(b.Caption);
        button->SetParent(ToolBar1);
        if (b.Command) button->OnClick = b.Command->OnClick;
    }
    ToolBar1->Buttons(ToolBar1->ButtonCount() - 1)->SetEnabled(false);

    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName(L"StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(TAlign::alBottom);
    StatusBar1->SetSizeGrip(true);
    const struct {
        const wchar_t* Text;
        int Width;
        TStatusPanelBevel Bevel;
        TAlignment Alignment;
    } panels[] = {
        {L"就绪", 120, TStatusPanelBevel::pbLowered, TAlignment::taLeftJustify},
        {L"按钮与选择框", 160, TStatusPanelBevel::pbRaised, TAlignment::taCenter},
        {L"默认皮肤", 200, TStatusPanelBevel::pbNone, TAlignment::taLeftJustify},
    };
    for (const auto& p : panels) {
        TStatusPanel* panel = StatusBar1->Panels()->Add();
        panel->SetText(p.Text);
        panel->SetWidth(p.Width);
        panel->SetBevel(p.Bevel);
        panel->SetAlignment(p.Alignment);
    }
}

void TSkinViewForm::BuildButtonsPage() {
    auto* box = Place<TGroupBox>(ButtonsPage, this, 12, 10, 250, 220, L"按钮与选择框");
    box->SetName(L"ButtonsBox");
    Place<TButton>(box, this, 16, 26, 100, 27, L"确定");
    Place<TButton>(box, this, 128, 26, 100, 27, L"已禁用")->SetEnabled(false);
    Place<TCheckBox>(box, this, 16, 68, 210, 20, L"复选框（选中）")->SetChecked(true);
    Place<TCheckBox>(box, this, 16, 94, 210, 20, L"复选框");
    Place<TRadioButton>(box, this, 16, 130, 210, 20, L"单选按钮一")->SetChecked(true);
    Place<TRadioButton>(box, this, 16, 156, 210, 20, L"单选按钮二");
    Place<TCheckBox>(box, this, 16, 186, 210, 20, L"已禁用的复选框")->SetEnabled(false);

    auto* panel = Place<TPanel>(ButtonsPage, this, 276, 10, 250, 220);
    panel->SetBevelOuter(TBevelCut::bvLowered);
    Place<TButton>(panel, this, 14, 14, 120, 27, L"面板上的按钮");
    Place<TCheckBox>(panel, this, 14, 54, 200, 20, L"面板上的复选框")->SetChecked(true);

    ChoiceLabel = Place<TLabel>(ButtonsPage, this, 12, 244, 400, 16, L"在窗口中单击右键打开弹出菜单");
    ChoiceLabel->SetName(L"ChoiceLabel");
}

void TSkinViewForm::BuildInputsPage() {
    Place<TLabel>(InputsPage, this, 12, 8, 200, 16, L"编辑框与组合框");
    Place<TEdit>(InputsPage, this, 12, 28, 200, 22)->SetText(L"可以输入的文字");
    auto* readOnly = Place<TEdit>(InputsPage, this, 12, 58, 200, 22);
    readOnly->SetText(L"只读");
    readOnly->SetReadOnly(true);
    auto* counted = Place<TEdit>(InputsPage, this, 12, 88, 200, 22);
    auto* spin = new TUpDown(this);
    spin->SetMax(99);
    spin->SetParent(counted);
    spin->SetAssociate(counted);
    spin->SetPosition(7);
    Place<TDateTimePicker>(InputsPage, this, 12, 118, 200, 22);

    const struct {
        TComboBoxStyle Style;
        int Top, Height;
        std::vector<const wchar_t*> Lines;
    } combos[] = {
        {TComboBoxStyle::csDropDown, 150, 24, {L"第一项", L"第二项", L"第三项"}},
        {TComboBoxStyle::csDropDownList, 182, 24, {L"下拉列表", L"另一项"}},
        {TComboBoxStyle::csSimple, 214, 110, {L"简单组合框", L"第二行", L"第三行", L"第四行", L"第五行", L"第六行", L"第七行", L"第八行"}},
    };
    for (const auto& c : combos) {
        auto* combo = Place<TComboBox>(InputsPage, this, 12, c.Top, 200, c.Height);
        combo->SetStyle(c.Style);
        for (const wchar_t* line : c.Lines) combo->Items()->Add(line);
        combo->SetItemIndex(0);
    }

    Place<TLabel>(InputsPage, this, 226, 8, 200, 16, L"备注框");
    auto* memo = Place<TMemo>(InputsPage, this, 226, 28, 200, 296);
    memo->SetWordWrap(false);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    std::wstring text;
    for (int i = 1; i <= 40; ++i)
        text += L"第 " + std::to_wstring(i) + L" 行：一行足够长的文字，让备注框出现水平滚动条\r\n";
    memo->SetText(text);

    Place<TLabel>(InputsPage, this, 440, 8, 190, 16, L"列表框");
    auto* list = Place<TListBox>(InputsPage, this, 440, 28, 190, 296);
    list->SetScrollBars(TScrollStyle::ssBoth);
    for (int i = 1; i <= 40; ++i)
        list->Items()->Add(L"列表项 " + std::to_wstring(i) + L"：比列表框更宽的一行文字");
    list->SetItemIndex(2);
}
