#include "skin/data/SkinData.h"

#include "QuickIni.h"
#include "SkinReader.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/TextConvert.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinManagerLink.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr unsigned kCommandInterval = 250;
constexpr int kGlyphSize = 16;

const std::vector<std::wstring>& SkinControlNames() {
    static const std::vector<std::wstring> names = {
        L"xcMainMenu", L"xcPopupMenu", L"xcMenuItem", L"xcToolbar", L"xcControlbar", L"xcCombo",
        L"xcCheckBox", L"xcRadioButton", L"xcProgress", L"xcScrollbar", L"xcEdit", L"xcButton",
        L"xcBitBtn", L"xcSpeedButton", L"xcSpin", L"xcPanel", L"xcGroupBox", L"xcStatusBar",
        L"xcTab", L"xcTrackBar", L"xcSystemMenu", L"xcFastReport"};
    return names;
}

const std::vector<std::wstring>& SkinOptionNames() {
    static const std::vector<std::wstring> names = {L"xoMDIScrollbar", L"xoMenuMerge", L"xoTransparent",
                                                    L"xoPreview", L"xoParentBackGround", L"xoNoFocusRect",
                                                    L"xoToolbarBK"};
    return names;
}

const std::vector<std::wstring>& SkinFormTypeNames() {
    static const std::vector<std::wstring> names = {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"};
    return names;
}

void ShowSkinMessageBox(const std::wstring& text) { qx::ShowMessage(text); }
TSkinMessageProc SkinMessageProc = &ShowSkinMessageBox;

// A skin file larger than this is no skin: no package decodes to more than the reader accepts,
// and LZHUF never shrinks data to less than one byte in 48.
constexpr std::uint64_t kMaxSkinFileBytes = kMaxSkinPackageSize;

}  // namespace

TSkinMessageProc SetSkinMessageProc(TSkinMessageProc proc) {
    TSkinMessageProc old = SkinMessageProc;
    SkinMessageProc = proc ? proc : &ShowSkinMessageBox;
    return old;
}

QX_DEFINE_CLASS(TSkinData, ::qx::TComponent, b) {
    b.Boolean(L"Active", &TSkinData::Active, &TSkinData::SetActive);
    b.Integer(L"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag);
    b.Set(L"SkinControls", SkinControlNames(), &TSkinData::SkinControls, &TSkinData::SetSkinControls);
    b.Set(L"Options", SkinOptionNames(), &TSkinData::Options, &TSkinData::SetOptions);
    b.Object(L"Skin3rd", &TSkinData::Skin3rd,
             [](TSkinData& d, qx::TObject* lines) { d.SetSkin3rd(dynamic_cast<qx::TStrings*>(lines)); });
    b.String(L"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    b.String(L"SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore);
    b.Enum<TSkinFormType>(L"SkinFormtype", SkinFormTypeNames(), &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype);
    b.String(L"Version", &TSkinData::Version, &TSkinData::SetVersion);
    b.Boolean(L"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate);
    b.Boolean(L"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge);
    b.Event(L"OnFormSkin", &TSkinData::OnFormSkin);
    b.Event(L"OnSkinChanged", &TSkinData::OnSkinChanged);
    b.Event(L"OnSkinControl", &TSkinData::OnSkinControl);
    b.Creatable();
}

void RegisterSkinDataClasses() { qx::RegisterComponentClass(TSkinData::StaticClass()); }

//--- life

TSkinData::TSkinData(qx::TComponent* owner) : qx::TComponent(owner) {
    AppIcon.SetPixelFormat(qx::TPixelFormat::pf24bit);
    for (const std::wstring& line : DefaultSkin3rd()) FSkin3rd.Add(line);
    LoadMenuGlyphs();
}

TSkinData::~TSkinData() {
    if (TSkinManagerLink* manager = SkinManagerLink()) manager->RemoveSkinData(this);
}

// Four black-on-white glyphs for the menu items of a maximized MDI child: restore, maximize,
// minimize and close.
void TSkinData::LoadMenuGlyphs() {
    FMenuGlyphs = std::make_unique<qx::TImageList>(nullptr);
    FMenuGlyphs->SetSize(kGlyphSize, kGlyphSize);
    qx::TBitmap glyphs;
    if (glyphs.LoadFromResourceName(::GetModuleHandleW(nullptr), L"BRONDELMENU"))
        FMenuGlyphs->AddMasked(&glyphs, qx::clWhite);
}

//--- published properties

void TSkinData::SetSkin3rd(qx::TStrings* lines) {
    if (lines == &FSkin3rd) return;
    if (lines) FSkin3rd.Assign(lines);
    else FSkin3rd.Clear();
}

std::wstring TSkinData::SkinStore() const {
    return Designing() && !FSkinStore.Bytes().empty() ? L"(Good)" : L"(none)";
}

std::wstring TSkinData::Version() const { return qx::AsciiToWide(kSkinDataVersion); }

// Activation is never carried out here: the manager's timer does it, on the thread's message
// loop, once the property change has settled.
void TSkinData::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (Designing() || HasState(qx::csReading) || HasState(qx::csLoading)) return;
    if (FSkinFormtype != TSkinFormType::sfMainform && FSkinFormtype != TSkinFormType::sfOnlyThisForm) return;
    if (value && FNotLoaded) {
        // Nothing to skin with; the property still says True. An only-this-form component
        // remains the pending one, as it would be for a command.
        if (TSkinManagerLink* manager = SkinManagerLink(); manager && FSkinFormtype == TSkinFormType::sfOnlyThisForm)
            manager->SetPendingSkinData(this);
        return;
    }
    // Set in code on a component that was never loaded from a form: the manager may not exist.
    TSkinManagerLink* manager = RequireSkinManager();
    if (!manager) return;
    manager->AddSkinData(this);
    manager->SetPendingSkinData(this);
    manager->PostCommand(value ? scActivate : scDeactivate, kCommandInterval);
    if (value && FSkinFormtype == TSkinFormType::sfMainform) manager->SetState(kManagerActivated);
}

void TSkinData::SetSkinFile(const std::wstring& path) {
    FNotLoaded = true;
    FSkinFile = path;
    if (Designing()) {
        // The skin will come from the file at run time, not from the form.
        if (!path.empty() && FSkinStore.Size() > 0) FSkinStore.Clear();
        return;
    }
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (path.empty() || !::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    // A file too large to be a skin, or one there is no memory to hold, leaves the store empty,
    // so loading reports a damaged skin.
    qx::TMemoryStream file;
    try {
        if (size <= kMaxSkinFileBytes) file.LoadFromFile(path);
    } catch (const qx::EStreamError&) {
        return;  // unreadable now (locked, vanished): as if it were missing
    } catch (const std::bad_alloc&) {
        file.Clear();
    }
    FSkinStore.Clear();
    try {
        if (file.Size() > 0) FSkinStore.WriteBuffer(file.Memory(), file.Size());
    } catch (const std::bad_alloc&) {
        FSkinStore.Clear();
    }
    FSkinStore.SetPosition(0);
    LoadSkin();
    if (FSkinFormtype == TSkinFormType::sfMainform) SkinChanged();
}

//--- form streaming

void TSkinData::DefineProperties(qx::TFiler& filer) {
    qx::TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        L"SkinStream", [this](qx::TStream& stream) { ReadSkinStream(stream); },
        [this](qx::TStream& stream) { WriteSkinStream(stream); }, true);
}

void TSkinData::WriteSkinStream(qx::TStream& stream) {
    const std::int32_t length = static_cast<std::int32_t>(FSkinStore.Size());
    stream.WriteBuffer(&length, sizeof length);
    if (length > 0) stream.WriteBuffer(FSkinStore.Memory(), length);
}

// A length word that promises more bytes than the property holds marks a damaged form: the
// store stays empty and the user hears about it, as for any damaged skin. So does a property
// there is no memory to copy.
void TSkinData::ReadSkinStream(qx::TStream& stream) {
    const auto left = static_cast<std::size_t>(std::max<std::int64_t>(0, stream.Size() - stream.Position()));
    TStoredSkin::TKind kind = TStoredSkin::skDamaged;
    try {
        std::vector<std::uint8_t> property(left);
        if (!property.empty()) stream.ReadBuffer(property.data(), static_cast<std::int64_t>(property.size()));
        const TStoredSkin stored = ReadStoredSkin(property);
        kind = stored.Kind;
        if (kind == TStoredSkin::skNone) return;
        FSkinStore.Clear();
        if (kind == TStoredSkin::skSkin) {
            FSkinStore.WriteBuffer(stored.Skin.data(), static_cast<std::int64_t>(stored.Skin.size()));
            FSkinStore.SetPosition(0);
        }
    } catch (const std::bad_alloc&) {
        kind = TStoredSkin::skDamaged;
    }
    if (kind == TStoredSkin::skDamaged) {
        FSkinStore.Clear();
        FNotLoaded = true;
        if (!Designing()) SkinMessageProc(qx::AsciiToWide(PackageStatusMessage(TPackageStatus::psDamaged)));
        return;
    }
    if (!Designing()) LoadSkin();
}

//--- loading a skin

// Whatever runs out of memory on the way is a skin this machine cannot show: the user gets the
// damaged-skin message and the component stays not loaded. The program goes on.
bool TSkinData::LoadSkin() {
    if (Designing()) return false;
    FNotLoaded = true;
    try {
        return DecodeStore();
    } catch (const std::bad_alloc&) {
        SkinMessageProc(qx::AsciiToWide(PackageStatusMessage(TPackageStatus::psDamaged)));
        return false;
    }
}

bool TSkinData::DecodeStore() {
    TSkinReader package;
    const TPackageStatus status =
        package.LoadPackage({FSkinStore.Memory(), static_cast<std::size_t>(FSkinStore.Size())});
    if (status != TPackageStatus::psLoaded) {
        SkinMessageProc(qx::AsciiToWide(PackageStatusMessage(status)));
        return false;
    }
    TQuickIni ini;
    std::string iniName;
    ini.Load(package.FindFile(".ini", iniName));
    TSkinIniReader(package, ini, *this, *this).ReadAll(FSkinName);
    // A skin without its own button face gives a system colour reference, which a brush cannot
    // take as it is: resolve it.
    FFaceBrush.reset(::CreateSolidBrush(qx::ColorToRGB(ButtonFace)));
    FNotLoaded = false;
    return true;
}

qx::TColor TSkinData::FrameColour() const { return SkinFrameColour(*this, *this); }

//--- the manager

void TSkinData::SkinChanged() {
    if (Designing() || HasState(qx::csReading) || HasState(qx::csLoading)) return;
    if (!SkinManagerLink()) Loaded();
    TSkinManagerLink* manager = SkinManagerLink();
    if (!manager) return;
    manager->SetPendingSkinData(this);
    manager->ReloadSkinData();
    if (manager->State() == kManagerActivated) manager->PostCommand(scSkinChanged, kCommandInterval);
}

void TSkinData::RaiseSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::Loaded() {
    qx::TComponent::Loaded();
    if (Designing()) return;
    // Without a manager's library in the program nothing is skinned; the settings still hold.
    TSkinManagerLink* manager = RequireSkinManager();
    if (manager) manager->AddSkinData(this);
    if (FSkinFormtype != TSkinFormType::sfMainform) {
        if (!manager) return;
        manager->SetActive(true);
        manager->SetState(manager->State() + 1);
        if (auto* form = dynamic_cast<qx::TCustomForm*>(Owner())) manager->SkinWindow(form->Handle());
        return;
    }
    if (manager) manager->InstallHook();
    if (FActive) {
        if (FNotLoaded) {
            FActive = false;
        } else if (manager) {
            manager->SetPendingSkinData(this);
            manager->PostCommand(scActivate, kCommandInterval);
        }
    }
    // With a skinned menu bar the menu items are the bar's; without it the system menu is left
    // to the system.
    if (InSet(FSkinControls, xcMainMenu)) FSkinControls &= ~SkinControlBit(xcMenuItem);
    else FSkinControls &= ~SkinControlBit(xcSystemMenu);
    BuildAppIcon();
}

//--- what the painters ask

void TSkinData::FormFilter(const std::wstring& className, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == L"SysMonthCal32") doSkin = false;
    else if (InSet(FSkinControls, xcFastReport) && className.starts_with(L"Tfr")) doSkin = false;
}

void TSkinData::BuildAppIcon() {
    HWND window = nullptr;
    if (qx::Application) {
        qx::TCustomForm* mainForm = qx::Application->MainForm();
        window = mainForm && mainForm->HandleAllocated() ? mainForm->Handle() : qx::Application->Handle();
    }
    if (!window) return;
    auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;

    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    qx::TBitmap picture;
    picture.SetPixelFormat(qx::TPixelFormat::pf24bit);
    picture.SetSize(cx, cy);
    qx::TCanvas& canvas = picture.Canvas();
    canvas.Brush().SetColor(kSkinKeyColour);
    canvas.FillRect(RECT{0, 0, cx, cy});
    qx::UniqueIcon copy(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    ::DrawIconEx(canvas.Handle(), 0, 0, copy ? copy.get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
    AppIcon.Assign(&picture);
    AppIcon.SetTransparentColor(kSkinKeyColour);
    AppIcon.SetTransparent(true);
}
