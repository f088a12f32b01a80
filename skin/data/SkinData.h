// TSkinData: the non-visual component a form carries to be skinned. It keeps the compressed
// skin (stored with the form as the binary property "SkinStream", or read from SkinFile),
// decodes it into the skin objects and colours it holds, publishes the settings that decide
// what is skinned, and hands activation over to the process-wide skin manager as commands.
#pragma once

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/Streams.h"
#include "framework/Strings.h"
#include "skin/data/SkinObjects.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What a skin may paint; bit n of TSkinControlTypes stands for member n.
enum TSkinControlType : int {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport,
};
using TSkinControlTypes = std::uint32_t;

enum TSkinOption : int {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
};
using TSkinOptions = std::uint8_t;

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

constexpr TSkinControlTypes SkinControlBit(TSkinControlType t) { return TSkinControlTypes{1} << t; }
constexpr TSkinOptions SkinOptionBit(TSkinOption o) { return static_cast<TSkinOptions>(1u << o); }
constexpr bool InSet(TSkinControlTypes set, TSkinControlType t) { return (set & SkinControlBit(t)) != 0; }
constexpr bool InSet(TSkinOptions set, TSkinOption o) { return (set & SkinOptionBit(o)) != 0; }

// Every control kind but the menu items and the report designer's controls.
inline constexpr TSkinControlTypes kDefaultSkinControls =
    ((TSkinControlTypes{1} << (xcFastReport + 1)) - 1) & ~SkinControlBit(xcMenuItem) & ~SkinControlBit(xcFastReport);
inline constexpr TSkinOptions kDefaultSkinOptions = SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK);
inline constexpr char kSkinDataVersion[] = "3.40.09.21";
inline constexpr int kDefaultDisableTag = 99;

class TSkinData;

using TOnFormSkin = qx::TMethod<void(qx::TObject* Sender, const std::wstring& aName, bool& DoSkin)>;
using TOnSkinControl =
    qx::TMethod<void(qx::TComponent* Sender, TSkinData* SkinData, qx::TControl* Form, qx::TControl* Control,
                     const std::wstring& ControlClass, qx::TComponent*& SkinnedControl)>;

// The foreign control classes the control classification knows by name ("Class=kind"), as a
// new component lists them.
const std::vector<std::wstring>& DefaultSkin3rd();

// Shows the outdated-skin message. Replaceable, so that tests can watch it instead of facing a
// modal box; returns the previous handler.
using TSkinMessageProc = void (*)(const std::wstring& text);
TSkinMessageProc SetSkinMessageProc(TSkinMessageProc proc);

// The skin objects (TSkinObjectSet) and colours (TSkinColours) are the component's own members,
// valid once a skin is loaded.
class TSkinData : public qx::TComponent, public TSkinObjectSet, public TSkinColours {
    QX_CLASS(TSkinData)
public:
    explicit TSkinData(qx::TComponent* owner);
    ~TSkinData() override;

    //--- published
    bool Active() const { return FActive; }
    void SetActive(bool value);
    int DisableTag() const { return FDisableTag; }
    void SetDisableTag(int value) { FDisableTag = value; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes value) { FSkinControls = value; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions value) { FOptions = value; }
    qx::TStringList* Skin3rd() { return &FSkin3rd; }
    void SetSkin3rd(qx::TStrings* lines);
    const std::wstring& SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::wstring& path);
    std::wstring SkinStore() const;
    void SetSkinStore(const std::wstring&) {}
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType value) { FSkinFormtype = value; }
    std::wstring Version() const;
    void SetVersion(const std::wstring&) {}
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool value) { FMenuUpdate = value; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool value) { FMenuMerge = value; }

    TOnFormSkin OnFormSkin;
    qx::TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    //--- used by the rest of the skin engine
    // Decodes the skin store into the skin objects; false (and not loaded) when there is no
    // usable package or at design time.
    bool LoadSkin();
    bool NotLoaded() const { return FNotLoaded; }
    // The compressed skin: a 32-bit decoded length, then the LZHUF stream.
    qx::TMemoryStream& Store() { return FSkinStore; }
    // The final say on whether a window of this class is skinned.
    void FormFilter(const std::wstring& className, bool& doSkin);
    // Called by the manager once it has carried out a command of this component.
    void RaiseSkinChanged();
    // A new skin was loaded at run time: skinned windows reload it.
    void SkinChanged();
    qx::TColor FrameColour() const;
    // The application's small icon on magenta (transparent); left as it was without an icon.
    void BuildAppIcon();

    const std::string& SkinName() const { return FSkinName; }
    qx::TBitmap AppIcon;
    qx::TImageList* MenuGlyphs() const { return FMenuGlyphs.get(); }
    HBRUSH FaceBrush() const { return FFaceBrush.get(); }
    // Cleared for a moment by the form skinning to keep the frame from being painted.
    std::uint8_t FramePainting = 1;

    void DefineProperties(qx::TFiler& filer) override;
    void Loaded() override;

private:
    bool Designing() const { return HasState(qx::csDesigning); }
    void ReadSkinStream(qx::TStream& stream);
    void WriteSkinStream(qx::TStream& stream);
    void LoadMenuGlyphs();
    bool DecodeStore();

    std::wstring FSkinFile;
    bool FActive = false;
    int FDisableTag = kDefaultDisableTag;
    TSkinControlTypes FSkinControls = kDefaultSkinControls;
    TSkinOptions FOptions = kDefaultSkinOptions;
    TSkinFormType FSkinFormtype = TSkinFormType::sfMainform;
    qx::TStringList FSkin3rd;
    bool FMenuUpdate = true;
    bool FMenuMerge = false;
    qx::TMemoryStream FSkinStore;
    bool FNotLoaded = true;
    qx::UniqueBrush FFaceBrush;
    std::unique_ptr<qx::TImageList> FMenuGlyphs;
    std::string FSkinName;
};

// Makes TSkinData known to the form reader.
void RegisterSkinDataClasses();
