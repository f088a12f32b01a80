#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImageList.h"
#include "StdCtrls.h"
#include "Strings.h"

namespace qx {

void RegisterFrameworkClasses() {
    for (const TClassInfo* info :
         {&TForm::StaticClass(), &TLabel::StaticClass(), &TStaticText::StaticClass(), &TEdit::StaticClass(),
          &TButton::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TPanel::StaticClass(),
          &TTimer::StaticClass(), &TImageList::StaticClass()})
        RegisterComponentClass(*info);
}

}  // namespace qx
