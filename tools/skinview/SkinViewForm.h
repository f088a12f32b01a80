// TSkinViewForm: the skin viewer's one window, for people who make skins. It is skinned by a
// skin data component of its own, loaded from a skin file or, without one, from the default
// skin built into the program; another skin can be opened into the running window. The menu
// bar, a popup menu (right click) and the controls show the skin on every element it paints.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/GroupBox.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/data/SkinData.h"

#include <functional>
#include <string>

class TSkinViewForm : public qx::TForm {
    QX_CLASS(TSkinViewForm)
public:
    // `skinFile`: the skin to show; empty (or a file that does not load) shows the default skin.
    explicit TSkinViewForm(qx::TComponent* owner, const std::wstring& skinFile = {});

    // Loads another skin into the running window; false (the shown skin stays) when the file
    // is no usable skin.
    bool OpenSkin(const std::wstring& path);
    // Switches skinning on or off through the skin manager's commands.
    void SetSkinning(bool on);
    // The skin shown: the file's path, or empty for the default skin.
    const std::wstring& SkinPath() const { return FSkinPath; }

    // Asks the user for a skin file; empty when cancelled. Replaceable (tests).
    std::function<std::wstring()> ChooseSkinFile;
    // Tells the user something (a failed load, the about text). Replaceable (tests).
    std::function<void(const std::wstring&)> Tell;

    void WndProc(qx::TMessage& m) override;

    TSkinData* SkinData1 = nullptr;
    qx::TMainMenu* MainMenu1 = nullptr;
    qx::TMenuItem* FileMenu = nullptr;
    qx::TMenuItem* FileOpen = nullptr;
    qx::TMenuItem* FileExit = nullptr;
    qx::TMenuItem* ViewMenu = nullptr;
    qx::TMenuItem* ViewSkinned = nullptr;
    qx::TMenuItem* ViewReload = nullptr;
    qx::TMenuItem* ViewDisabled = nullptr;
    qx::TMenuItem* ViewPages = nullptr;
    qx::TMenuItem* PageAll = nullptr;
    qx::TMenuItem* PageButtons = nullptr;
    qx::TMenuItem* PageInputs = nullptr;
    qx::TMenuItem* HelpMenu = nullptr;
    qx::TMenuItem* HelpAbout = nullptr;
    qx::TPopupMenu* PopupMenu1 = nullptr;
    qx::TImageList* ImageList1 = nullptr;
    qx::TGroupBox* ButtonsPage = nullptr;
    qx::TPanel* InputsPage = nullptr;
    // Names the popup menu item chosen last.
    qx::TLabel* ChoiceLabel = nullptr;

private:
    void BuildImages();
    void BuildMenus();
    void BuildPopupMenu();
    void BuildControls();
    // Puts the default skin (a resource of the program) into the component's store.
    bool StoreDefaultSkin();
    void ShowPage(qx::TMenuItem* page);

    void FileOpenClick(qx::TObject* sender);
    void FileExitClick(qx::TObject* sender);
    void ViewSkinnedClick(qx::TObject* sender);
    void ViewReloadClick(qx::TObject* sender);
    void PageClick(qx::TObject* sender);
    void HelpAboutClick(qx::TObject* sender);
    void PopupClick(qx::TObject* sender);

    std::wstring FSkinPath;
};

// Makes the viewer's classes known to the framework.
void RegisterSkinViewClasses();
