// The skin viewer's menus: the menu bar with a checked item, an item with an image and a shortcut,
// a disabled item, a separator and a submenu of radio items, and the popup menu with images, a
// checked item with an image, a default item, a disabled item and shortcuts.
#include "SkinViewForm.h"

#include "framework/Bitmap.h"

using namespace qx;

namespace {

TMenuItem* AddItem(TMenu* menu, TMenuItem* parent, const std::wstring& caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// The popup menu's glyphs, drawn here so that the viewer needs no image files: a page, a grid,
// a clipboard and a circular arrow, 16 x 16 on magenta.
void DrawGlyph(TCanvas& c, int index) {
    c.Brush().SetColor(clFuchsia);
    c.FillRect(RECT{0, 0, 16, 16});
    c.Pen().SetColor(RGB(40, 60, 90));
    switch (index) {
    case 0:  // two pages
        c.Brush().SetColor(clWhite);
        c.Rectangle(1, 1, 10, 12);
        c.Rectangle(5, 4, 15, 15);
        break;
    case 1:  // a grid
        c.Brush().SetColor(RGB(210, 230, 250));
        c.Rectangle(1, 1, 15, 15);
        for (int x = 5; x < 15; x += 4) {
            c.MoveTo(x, 1);
            c.LineTo(x, 15);
            c.MoveTo(1, x);
            c.LineTo(15, x);
        }
        break;
    case 2:  // a clipboard
        c.Brush().SetColor(RGB(200, 150, 90));
        c.Rectangle(2, 2, 14, 15);
        c.Brush().SetColor(clWhite);
        c.Rectangle(4, 5, 12, 13);
        c.Brush().SetColor(RGB(120, 120, 120));
        c.Rectangle(5, 1, 11, 4);
        break;
    default:  // a circular arrow
        c.Pen().SetColor(RGB(30, 130, 60));
        c.Brush().SetColor(RGB(30, 130, 60));
        c.Ellipse(2, 2, 14, 14);
        c.Brush().SetColor(clFuchsia);
        c.Ellipse(5, 5, 11, 11);
        c.Rectangle(8, 1, 15, 8);
        c.Brush().SetColor(RGB(30, 130, 60));
        const POINT head[] = {{8, 1}, {13, 5}, {8, 8}};
        c.Polygon(head, 3);
        break;
    }
}

}  // namespace

void TSkinViewForm::BuildMenus() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName(L"MainMenu1");
    MainMenu1->SetImages(ImageList1);
    TMenuItem* bar = MainMenu1->Items();

    FileMenu = AddItem(MainMenu1, bar, L"文件(&F)");
    FileOpen = AddItem(MainMenu1, FileMenu, L"打开皮肤(&O)...");
    FileOpen->SetShortCut(ShortCut('O', scCtrl));
    FileOpen->OnClick = TNotifyEvent::Of<&TSkinViewForm::FileOpenClick>(this);
    AddItem(MainMenu1, FileMenu, L"-");
    FileExit = AddItem(MainMenu1, FileMenu, L"退出(&X)");
    FileExit->OnClick = TNotifyEvent::Of<&TSkinViewForm::FileExitClick>(this);

    ViewMenu = AddItem(MainMenu1, bar, L"视图(&V)");
    ViewSkinned = AddItem(MainMenu1, ViewMenu, L"启用皮肤(&S)");
    ViewSkinned->SetChecked(true);
    ViewSkinned->OnClick = TNotifyEvent::Of<&TSkinViewForm::ViewSkinnedClick>(this);
    ViewReload = AddItem(MainMenu1, ViewMenu, L"重新载入皮肤(&R)");
    ViewReload->SetShortCut(ShortCut(VK_F5, 0));
    ViewReload->SetImageIndex(3);
    ViewReload->OnClick = TNotifyEvent::Of<&TSkinViewForm::ViewReloadClick>(this);
    // Shows the disabled look; it has nothing to do.
    ViewDisabled = AddItem(MainMenu1, ViewMenu, L"禁用的菜单项(&D)");
    ViewDisabled->SetEnabled(false);
    AddItem(MainMenu1, ViewMenu, L"-");
    ViewPages = AddItem(MainMenu1, ViewMenu, L"页面(&P)");
    PageAll = AddItem(MainMenu1, ViewPages, L"全部控件(&A)");
    PageButtons = AddItem(MainMenu1, ViewPages, L"按钮与选择框(&B)");
    PageInputs = AddItem(MainMenu1, ViewPages, L"输入框(&E)");
    for (TMenuItem* page : {PageAll, PageButtons, PageInputs}) {
        page->SetRadioItem(true);
        page->OnClick = TNotifyEvent::Of<&TSkinViewForm::PageClick>(this);
    }
    PageAll->SetChecked(true);

    HelpMenu = AddItem(MainMenu1, bar, L"帮助(&H)");
    HelpAbout = AddItem(MainMenu1, HelpMenu, L"关于(&A)...");
    HelpAbout->OnClick = TNotifyEvent::Of<&TSkinViewForm::HelpAboutClick>(this);
}

void TSkinViewForm::BuildImages() {
    ImageList1 = new TImageList(this);
    ImageList1->SetName(L"ImageList1");
    for (int i = 0; i < 4; ++i) {
        TBitmap glyph;
        glyph.SetPixelFormat(TPixelFormat::pf24bit);
        glyph.SetSize(16, 16);
        DrawGlyph(glyph.Canvas(), i);
        ImageList1->AddMasked(&glyph, clFuchsia);
    }
}

void TSkinViewForm::BuildPopupMenu() {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName(L"PopupMenu1");
    PopupMenu1->SetImages(ImageList1);
    TMenuItem* root = PopupMenu1->Items();
    const struct {
        const wchar_t* Caption;
        int Image;
        TShortCut Keys;
    } items[] = {
        {L"复制(&C)", 0, ShortCut('C', scCtrl)},
        {L"显示网格(&G)", 1, scNone},
        {L"属性(&R)...", -1, scNone},
        {L"粘贴(&P)", 2, ShortCut('V', scCtrl)},
        {L"-", -1, scNone},
        {L"全选(&A)", 3, ShortCut('A', scCtrl)},
    };
    for (const auto& d : items) {
        TMenuItem* item = AddItem(PopupMenu1, root, d.Caption);
        item->SetImageIndex(d.Image);
        item->SetShortCut(d.Keys);
        if (!item->IsLine()) item->OnClick = TNotifyEvent::Of<&TSkinViewForm::PopupClick>(this);
    }
    root->Items(1)->SetChecked(true);
    root->Items(2)->SetDefault(true);
    root->Items(3)->SetEnabled(false);
}

void TSkinViewForm::PopupClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    // The grid item is a switch.
    if (item == PopupMenu1->Items()->Items(1)) item->SetChecked(!item->Checked());
    if (ChoiceLabel) ChoiceLabel->SetCaption(L"最近选择：" + item->Caption());
}
