#include "ComboBox.h"
#include "CoolBar.h"
#include "DateTimePicker.h"
#include "HeaderControl.h"
#include "ListView.h"
#include "PageControl.h"
#include "ProgressBar.h"
#include "RichEdit.h"
#include "ScrollBar.h"
#include "StatusBar.h"
#include "TabSet.h"
#include "ToolBar.h"
#include "TrackBar.h"
#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupBox.h"
#include "ImageList.h"
#include "ListControls.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "Strings.h"
#include "UpDown.h"

namespace qx {

void RegisterFrameworkClasses() {
    for (const TClassInfo* info :
         {&TForm::StaticClass(), &TLabel::StaticClass(), &TStaticText::StaticClass(), &TEdit::StaticClass(),
          &TButton::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TPanel::StaticClass(),
          &TTimer::StaticClass(), &TImageList::StaticClass(),
          &TMenuItem::StaticClass(), &TPopupMenu::StaticClass(), &TMainMenu::StaticClass(),
          &TComboBox::StaticClass(), &TGroupBox::StaticClass(), &TRadioGroup::StaticClass(), &TMemo::StaticClass(),
          &TListBox::StaticClass(), &TUpDown::StaticClass(), &TBitBtn::StaticClass(), &TSpeedButton::StaticClass(),
          &TPageControl::StaticClass(), &TTabSheet::StaticClass(), &TTabControl::StaticClass(), &TTabSet::StaticClass(),
          &THeaderControl::StaticClass(), &TStatusBar::StaticClass(), &TProgressBar::StaticClass(),
          &TTrackBar::StaticClass(), &TScrollBar::StaticClass(), &TListView::StaticClass(), &TRichEdit::StaticClass(),
          &TToolBar::StaticClass(), &TToolButton::StaticClass(), &TCoolBar::StaticClass(),
          &TDateTimePicker::StaticClass()})
        RegisterComponentClass(*info);
}

}  // namespace qx
