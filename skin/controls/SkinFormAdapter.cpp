#include "skin/controls/SkinFormAdapter.h"

#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinControl.h"
#include "framework/ToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

#include <map>

namespace {

class TSkinFormAdapter : public qx::TComponent, public TSkinControlHost {
    QX_CLASS(TSkinFormAdapter)
public:
    explicit TSkinFormAdapter(TWinSkinForm& form) : qx::TComponent(&form), FForm(form) {}

    bool RegisterControl(TSkinControl* wrapper) override { return FForm.RegisterControl(wrapper); }
    // While the form's own components are freed (after its wrappers were released) there is
    // nothing left to remove from.
    void UnregisterControl(TSkinControl* wrapper) override {
        if (!FForm.HasState(qx::csDestroying)) FForm.UnregisterControl(wrapper);
    }
    std::vector<TSkinControl*> Wrappers() const override {
        std::vector<TSkinControl*> out;
        for (TFormControl* c : FForm.Controls())
            if (auto* w = dynamic_cast<TSkinControl*>(c)) out.push_back(w);
        return out;
    }
    qx::TComponent* HostComponent() override { return &FForm; }
    TSkinData* HostSkinData() const override { return FForm.SkinData(); }
    qx::TCanvas* ControlCanvas() override { return &FCanvas; }
    HWND HostWindow() const override { return FForm.Handle(); }

    // Only the events the bar has none for; the bar's own handlers stay.
    void TakeOverToolbarDraw(qx::TControl* control) override {
        auto* bar = dynamic_cast<qx::TToolBar*>(control);
        if (!bar) return;
        if (!bar->OnCustomDraw) bar->OnCustomDraw = BackgroundHandler();
        if (!bar->OnCustomDrawButton) bar->OnCustomDrawButton = ButtonHandler();
        bar->Invalidate();
    }
    void ReleaseToolbarDraw(qx::TControl* control) override {
        auto* bar = dynamic_cast<qx::TToolBar*>(control);
        if (!bar) return;
        if (bar->OnCustomDraw == BackgroundHandler()) bar->OnCustomDraw = {};
        if (bar->OnCustomDrawButton == ButtonHandler()) bar->OnCustomDrawButton = {};
        // The menu goes back to its own look, if it is still the one that was prepared.
        if (auto it = FMenus.find(bar); it != FMenus.end()) {
            if (bar->Menu() == it->second.first) {
                if (SkinFormHooks().SkinMenu) SkinFormHooks().SkinMenu(FForm, *bar->Menu(), false);
                bar->Menu()->SetOwnerDraw(false);
            }
            FMenus.erase(it);
        }
    }
    // A tool bar's menu gets the skinned item look as the form's own menus do (when the skin
    // skins menu items); one the form switched already is left to the form.
    void PrepareControlMenu(qx::TControl* control) override {
        auto* bar = dynamic_cast<qx::TToolBar*>(control);
        TSkinData* skin = FForm.SkinData();
        if (!bar || !bar->Menu() || !skin || !InSet(skin->SkinControls(), xcMenuItem) || bar->Menu()->OwnerDraw()) return;
        bar->Menu()->SetOwnerDraw(true);
        if (SkinFormHooks().SkinMenu) SkinFormHooks().SkinMenu(FForm, *bar->Menu(), true);
        FMenus[bar] = {bar->Menu(), true};
    }

private:
    qx::TTBCustomDrawEvent BackgroundHandler() { return qx::TTBCustomDrawEvent::Of<&TSkinFormAdapter::DrawBarBackground>(this); }
    qx::TTBCustomDrawBtnEvent ButtonHandler() { return qx::TTBCustomDrawBtnEvent::Of<&TSkinFormAdapter::DrawBarButton>(this); }
    void DrawBarBackground(qx::TToolBar* bar, const RECT& rect, bool& defaultDraw) {
        (void)defaultDraw;
        FForm.ToolbarBackground(bar->Canvas().Handle(), rect);
    }
    void DrawBarButton(qx::TToolBar* bar, qx::TToolButton* button, UINT state, bool& defaultDraw) {
        (void)defaultDraw;
        FForm.ToolbarButton(bar->Canvas().Handle(), button->BoundsRect(), state, bar->Canvas().Font());
    }

    TWinSkinForm& FForm;
    qx::TCanvas FCanvas;
    std::map<qx::TToolBar*, std::pair<qx::TMenu*, bool>> FMenus;
};

QX_DEFINE_CLASS(TSkinFormAdapter, ::qx::TComponent, b) {}

}  // namespace

TSkinControlHost& SkinFormHost(TWinSkinForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* adapter = dynamic_cast<TSkinFormAdapter*>(form.Components(i))) return *adapter;
    return *new TSkinFormAdapter(form);
}

void ClassifySkinFormControls(TWinSkinForm& form) {
    TSkinControlHost& host = SkinFormHost(form);
    if (form.Form()) ClassifyFormControls(host, form.Form());
    else ClassifyWindowChildren(host, form.Handle());
}

void InstallControlClassification() { SkinFormHooks().ClassifyControls = &ClassifySkinFormControls; }
