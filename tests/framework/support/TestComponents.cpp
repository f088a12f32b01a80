#include "support/TestComponents.h"

namespace qx::test {

std::vector<std::wstring>& LoadedLog() {
    static std::vector<std::wstring> log;
    return log;
}

int TGadget::LiveCount = 0;
static const std::vector<std::wstring> kShadeNames{L"shLight", L"shMedium", L"shDark"};
static const std::vector<std::wstring> kOptionNames{L"goAlpha", L"goBeta", L"goGamma"};

QX_DEFINE_CLASS(TGadget, TComponent, b) {
    b.Integer(L"Count", [](TGadget& g) { return g.Count; }, [](TGadget& g, int v) { g.Count = v; });
    b.Boolean(L"Flag", [](TGadget& g) { return g.Flag; }, [](TGadget& g, bool v) { g.Flag = v; });
    b.String(L"Label", [](TGadget& g) { return g.Label; }, [](TGadget& g, const std::wstring& v) { g.Label = v; });
    b.Enum<TShade>(L"Shade", kShadeNames, [](TGadget& g) { return g.Shade; }, [](TGadget& g, TShade v) { g.Shade = v; });
    b.Set(L"Options", kOptionNames, [](TGadget& g) { return g.Options; }, [](TGadget& g, uint64_t v) { g.Options = v; });
    b.Object(L"Font", [](TGadget& g) { return &g.Font; });
    b.Object(L"Items", [](TGadget& g) { return &g.Items; });
    b.Object(L"Buddy", [](TGadget& g) { return g.Buddy; },
             [](TGadget& g, TObject* v) {
                 g.Buddy = dynamic_cast<TComponent*>(v);
                 if (g.Buddy) g.FreeNotification(g.Buddy);
             });
    b.Event(L"OnPoke", &TGadget::OnPoke);
    b.Creatable();
}

TGadget::TGadget(TComponent* owner) : TComponent(owner) { ++LiveCount; }
TGadget::~TGadget() { --LiveCount; }

void TGadget::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        L"Note", [this](const std::wstring& v) { Note = v; }, [this] { return Note; }, !Note.empty());
    filer.DefineBinaryProperty(
        L"Blob",
        [this](TStream& s) {
            Blob.resize(static_cast<size_t>(s.Size()));
            s.ReadBuffer(Blob.data(), static_cast<int64_t>(Blob.size()));
        },
        [this](TStream& s) { s.WriteBuffer(Blob.data(), static_cast<int64_t>(Blob.size())); }, !Blob.empty());
}

void TGadget::Loaded() {
    TComponent::Loaded();
    LoadedLog().push_back(Name());
}

void TGadget::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == Buddy) Buddy = nullptr;
}

QX_DEFINE_CLASS(TGadgetForm, TForm, b) {
    b.Field(L"Gadget1", &TGadgetForm::Gadget1);
    b.Field(L"Gadget2", &TGadgetForm::Gadget2);
    b.Method<&TGadgetForm::GadgetPoke>(L"GadgetPoke");
}

void TGadgetForm::Loaded() {
    TForm::Loaded();
    LoadedLog().push_back(Name());
}

void RegisterTestComponents() {
    RegisterComponentClass(TGadget::StaticClass());
}

}  // namespace qx::test
