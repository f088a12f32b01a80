// The skin viewer's window: its skin (a file, or the default skin built in), opening another
// skin into it, switching skinning off and on, and the popup menu of a right click.
#include "SkinViewForm.h"

#include "framework/Dialogs.h"
#include "skin/SkinMessages.h"

#include <array>
#include <commdlg.h>
#include <vector>

using namespace qx;

QX_DEFINE_CLASS(TSkinViewForm, TForm, b) { (void)b; }

void RegisterSkinViewClasses() { RegisterSkinDataClasses(); }

namespace {

std::wstring AskForSkinFile(HWND owner) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"皮肤文件 (*.skin)\0*.skin\0所有文件 (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"打开皮肤";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return ::GetOpenFileNameW(&ofn) ? std::wstring(path) : std::wstring();
}

}  // namespace

TSkinViewForm::TSkinViewForm(TComponent* owner, const std::wstring& skinFile) : TForm(owner) {
    SetName(L"SkinViewForm");
    SetCaption(L"SkinView");
    SetBounds(80, 60, 680, 520);
    ChooseSkinFile = [this] { return AskForSkinFile(HandleAllocated() ? Handle() : nullptr); };
    Tell = [](const std::wstring& text) { ShowMessage(text); };

    // The component is set up as if it were read from a description: its skin first, then
    // Loaded hands it to the skin manager.
    SkinData1 = new TSkinData(this);
    SkinData1->SetName(L"SkinData1");
    SkinData1->BeginLoading();
    if (!skinFile.empty()) {
        SkinData1->SetSkinFile(skinFile);
        if (!SkinData1->NotLoaded()) FSkinPath = skinFile;
    }
    if (SkinData1->NotLoaded()) {
        SkinData1->SetSkinFile(L"");
        if (StoreDefaultSkin()) SkinData1->LoadSkin();
    }
    SkinData1->SetActive(true);
    SkinData1->EndReading();
    SkinData1->Loaded();

    BuildImages();
    BuildMenus();
    BuildPopupMenu();
    BuildControls();
    SetMenu(MainMenu1);
}

bool TSkinViewForm::StoreDefaultSkin() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, L"DEFAULTSKIN", MAKEINTRESOURCEW(10));
    if (!res) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, res)));
    const DWORD size = ::SizeofResource(module, res);
    // As a form stores it: the compressed skin's length, then the compressed skin.
    if (!bytes || size < 4) return false;
    TMemoryStream& store = SkinData1->Store();
    store.Clear();
    store.WriteBuffer(bytes + 4, size - 4);
    store.SetPosition(0);
    return true;
}

bool TSkinViewForm::OpenSkin(const std::wstring& path) {
    SkinData1->SetSkinFile(path);
    const bool loaded = !SkinData1->NotLoaded();
    if (loaded) {
        FSkinPath = path;
    } else if (!FSkinPath.empty()) {
        // Not a usable skin: the one shown before comes back.
        SkinData1->SetSkinFile(FSkinPath);
    } else {
        SkinData1->SetSkinFile(L"");
        if (StoreDefaultSkin()) SkinData1->LoadSkin();
    }
    SkinData1->SkinChanged();
    return loaded;
}

void TSkinViewForm::SetSkinning(bool on) {
    ViewSkinned->SetChecked(on);
    SkinData1->SetActive(on);
}

void TSkinViewForm::WndProc(TMessage& m) {
    if (m.Msg == SKN_TABCLOSE) {
        AnswerTabClose(m);
        return;
    }
    if (m.Msg == WM_CONTEXTMENU && PopupMenu1) {
        POINT at{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        // From the keyboard (-1, -1): at the cursor.
        if (m.LParam == -1) ::GetCursorPos(&at);
        PopupMenu1->Popup(at.x, at.y);
        m.Result = 0;
        return;
    }
    TForm::WndProc(m);
}

//--- commands

void TSkinViewForm::FileOpenClick(TObject*) {
    const std::wstring path = ChooseSkinFile ? ChooseSkinFile() : std::wstring();
    if (path.empty()) return;
    if (!OpenSkin(path) && Tell) Tell(L"无法载入皮肤文件：" + path);
}

void TSkinViewForm::FileExitClick(TObject*) { Close(); }

void TSkinViewForm::ViewSkinnedClick(TObject*) { SetSkinning(!ViewSkinned->Checked()); }

// Reads the skin again (a skin maker changed the file).
void TSkinViewForm::ViewReloadClick(TObject*) {
    if (!FSkinPath.empty()) OpenSkin(FSkinPath);
    else SkinData1->SkinChanged();
}

void TSkinViewForm::PageClick(TObject* sender) {
    if (auto* page = dynamic_cast<TMenuItem*>(sender)) ShowPage(page);
}

namespace {

struct TPageItem {
    TMenuItem* Item;
    TTabSheet* Sheet;
};

// Each page with its radio item of the View menu.
std::array<TPageItem, 4> PageItems(const TSkinViewForm& f) {
    return {{{f.PageButtons, f.ButtonsPage}, {f.PageInputs, f.InputsPage}, {f.PageLists, f.ListsPage}, {f.PageRanges, f.RangesPage}}};
}

}  // namespace

void TSkinViewForm::ShowPage(TMenuItem* page) {
    for (const auto& p : PageItems(*this))
        if (p.Item == page) Pages->SetActivePage(p.Sheet);
    PagesChange(Pages);
}

// The page shown, chosen by its tab or the menu: its radio item is checked and the status bar
// names it.
void TSkinViewForm::PagesChange(TObject*) {
    for (const auto& p : PageItems(*this)) {
        if (p.Sheet != Pages->ActivePage()) continue;
        p.Item->SetChecked(true);
        if (StatusBar1->Panels()->Count() > 1) StatusBar1->Panels()->Items(1)->SetText(p.Sheet->Caption());
    }
}

void TSkinViewForm::AnswerTabClose(TMessage& m) {
    const auto window = reinterpret_cast<HWND>(m.WParam);
    const bool closing = ClosingPages && ClosingPages->HandleAllocated() && window == ClosingPages->Handle();
    // Only the small page control's pages may go, and never its last one; the family pages stay.
    m.Result = closing && ClosingPages->PageCount() > 1 ? 0 : 1;
    if (m.Result == 0) StatusBar1->Panels()->Items(0)->SetText(L"关闭了一页");
}

void TSkinViewForm::HelpAboutClick(TObject*) {
    const std::wstring skin = FSkinPath.empty() ? L"默认皮肤" : FSkinPath;
    if (Tell) Tell(L"SkinView：皮肤查看器\r\n当前皮肤：" + skin);
}
