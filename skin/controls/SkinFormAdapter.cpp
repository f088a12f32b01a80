#include "skin/controls/SkinFormAdapter.h"

#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinControl.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

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

private:
    TWinSkinForm& FForm;
    qx::TCanvas FCanvas;
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
