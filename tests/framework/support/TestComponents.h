#pragma once
// Components with one published property of every kind, for property and description tests.
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Streams.h"
#include "framework/Strings.h"

#include <string>
#include <vector>

namespace qx::test {

enum class TShade { shLight, shMedium, shDark };

// Every component that receives Loaded appends its name here.
std::vector<std::wstring>& LoadedLog();

class TGadget : public TComponent {
    QX_CLASS(TGadget)
public:
    explicit TGadget(TComponent* owner);
    ~TGadget() override;
    static int LiveCount;

    int Count = 0;
    bool Flag = false;
    std::wstring Label;
    TShade Shade = TShade::shLight;
    uint64_t Options = 0;
    TFont Font;
    TStringList Items;
    TComponent* Buddy = nullptr;
    TNotifyEvent OnPoke;
    std::wstring Note;                 // custom text property "Note"
    std::vector<uint8_t> Blob;         // binary property "Blob"

    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
};

// A root with published fields and handlers, as a program's form is.
class TGadgetForm : public TForm {
    QX_CLASS(TGadgetForm)
public:
    explicit TGadgetForm(TComponent* owner) : TForm(owner) {}
    TGadget* Gadget1 = nullptr;
    TGadget* Gadget2 = nullptr;
    int Pokes = 0;
    TObject* LastSender = nullptr;
    void GadgetPoke(TObject* sender) {
        ++Pokes;
        LastSender = sender;
    }
    void Loaded() override;
};

void RegisterTestComponents();

}  // namespace qx::test
