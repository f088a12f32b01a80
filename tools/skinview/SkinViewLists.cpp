// The viewer's page of lists and tabs: a list view in report view that scrolls both ways, a
// header control, a tab control with its tabs at the bottom, a tab set, and a small page
// control whose tabs carry close boxes.
#include "SkinViewForm.h"
#include "SkinViewPlace.h"

#include "framework/HeaderControl.h"
#include "framework/ListView.h"
#include "framework/TabSet.h"

using namespace qx;
using skinview::Place;

void TSkinViewForm::BuildListsPage() {
    auto* view = Place<TListView>(ListsPage, this, 12, 12, 300, 200);
    view->SetViewStyle(TViewStyle::vsReport);
    view->SetRowSelect(true);
    view->SetGridLines(true);
    for (const wchar_t* caption : {L"名称", L"类型", L"大小", L"修改日期", L"说明", L"位置"}) {
        TListColumn* column = view->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(90);
    }
    for (int i = 1; i <= 30; ++i) {
        TListItem* item = view->Items()->Add();
        item->SetCaption(L"文件 " + std::to_wstring(i));
        for (const std::wstring& cell : {std::wstring(L"皮肤"), std::to_wstring(i * 17) + L" KB", std::wstring(L"2026-12-08"),
                                         std::wstring(L"示例"), std::wstring(L"C:\\皮肤")})
            item->SubItems()->Add(cell);
    }
    view->SetItemIndex(1);

    // A header control docks at the top of its parent by default; this one stands beside the
    // list view.
    auto* header = Place<THeaderControl>(ListsPage, this, 326, 12, 306, 24);
    header->SetAlign(TAlign::alNone);
    header->SetBounds(326, 12, 306, 24);
    header->SetName(L"SectionHeader");
    header->SetHotTrack(true);
    for (const wchar_t* text : {L"第一节", L"第二节", L"第三节"}) {
        THeaderSection* section = header->Sections()->Add();
        section->SetText(text);
        section->SetWidth(100);
    }

    auto* tabs = Place<TTabControl>(ListsPage, this, 326, 46, 306, 100);
    tabs->SetTabPosition(TTabPosition::tpBottom);
    for (const wchar_t* text : {L"底部标签一", L"标签二", L"标签三"}) tabs->Tabs()->Add(text);
    tabs->SetTabIndex(0);
    Place<TLabel>(tabs, this, 12, 12, 200, 16, L"标签在底部的标签控件");

    auto* set = Place<TTabSet>(ListsPage, this, 326, 156, 306, 24);
    for (int i = 1; i <= 9; ++i) set->Tabs()->Add(L"标签集 " + std::to_wstring(i));
    set->SetTabIndex(0);

    ClosingPages = Place<TPageControl>(ListsPage, this, 12, 222, 620, 110);
    ClosingPages->SetName(L"ClosingPages");
    ClosingPages->SetTag(7777);
    for (const wchar_t* caption : {L"可关闭一", L"可关闭二", L"可关闭三", L"可关闭四"}) {
        auto* sheet = new TTabSheet(this);
        sheet->SetCaption(caption);
        sheet->SetPageControl(ClosingPages);
        Place<TLabel>(sheet, this, 12, 12, 400, 16, std::wstring(L"单击标签上的关闭框关闭“") + caption + L"”");
    }
    ClosingPages->SetActivePageIndex(0);
}
