#include "DemoForm.h"

#include "framework/Dialogs.h"

using namespace qx;

QX_DEFINE_CLASS(TDemoForm, TForm, b) {
    b.Field(L"Edit1", &TDemoForm::Edit1);
    b.Field(L"CheckBox1", &TDemoForm::CheckBox1);
    b.Field(L"Label3", &TDemoForm::Label3);
    b.Method<&TDemoForm::Button1Click>(L"Button1Click");
    b.Method<&TDemoForm::CheckBox1Click>(L"CheckBox1Click");
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) { InitInheritedComponent(L"TDEMOFORM"); }

void TDemoForm::Button1Click(TObject*) { ShowMessage(L"你好，" + Edit1->Text() + L"！"); }

void TDemoForm::CheckBox1Click(TObject*) {
    Label3->SetCaption(CheckBox1->Checked() ? L"自动处理：开" : L"自动处理：关");
}

void RegisterDemoClasses() { RegisterComponentClass(TDemoForm::StaticClass()); }
