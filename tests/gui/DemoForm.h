#pragma once
// A demonstration window of the framework, read from a description resource.
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TDemoForm : public qx::TForm {
    QX_CLASS(TDemoForm)
public:
    explicit TDemoForm(qx::TComponent* owner);

    qx::TEdit* Edit1 = nullptr;
    qx::TCheckBox* CheckBox1 = nullptr;
    qx::TLabel* Label3 = nullptr;

    void Button1Click(qx::TObject* sender);
    void CheckBox1Click(qx::TObject* sender);
};

void RegisterDemoClasses();
