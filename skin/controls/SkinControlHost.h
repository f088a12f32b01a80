// TSkinControlHost: what the control wrappers and the control classification need of the
// skinned form that owns them. TSkinFormAdapter serves it for a TWinSkinForm; tests serve it
// with a plain object. Keeping it an interface lets the wrappers and the classification be
// built and tested on their own.
//
// The wrapper list is the form's: a wrapper registers itself when it attaches and unregisters
// when it is destroyed (also while the form is releasing its wrappers, so UnregisterControl must
// tolerate being called from inside that loop).
#pragma once

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"

#include <vector>
#include <windows.h>

class TSkinControl;
class TSkinData;

class TSkinControlHost {
public:
    virtual ~TSkinControlHost() = default;

    //--- the wrapper list
    // Adds the wrapper unless it is there already; true when it was there.
    virtual bool RegisterControl(TSkinControl* wrapper) = 0;
    virtual void UnregisterControl(TSkinControl* wrapper) = 0;
    // The registered wrappers of this module, in registration order.
    virtual std::vector<TSkinControl*> Wrappers() const = 0;

    //--- what the classification hands to the wrappers it creates
    // The component that owns wrappers of raw windows, and the Sender of OnSkinControl.
    virtual qx::TComponent* HostComponent() = 0;
    // The skin data that skins this form.
    virtual TSkinData* HostSkinData() const = 0;
    // The drawing canvas lent to the wrappers.
    virtual qx::TCanvas* ControlCanvas() = 0;
    // The skinned window itself (the receiver of SKN_TABCLOSE); none when the host has no window
    // of its own, and the wrapper then asks its control's top-level window.
    virtual HWND HostWindow() const { return nullptr; }

    //--- jobs of the form skinning that some classification rows ask for; a host without a form
    // (tests, tools) does nothing.
    // A control that carries its own menu items (a main-menu bar control, a tool bar's menu):
    // its items get the skinned look.
    virtual void PrepareControlMenu(qx::TControl* control) { (void)control; }
    // A tool bar: the form's custom-draw handlers are installed where the tool bar has none.
    virtual void TakeOverToolbarDraw(qx::TControl* control) { (void)control; }
    // The wrapper of a tool bar lets go: the handlers the form gave it (and its menu's look) go too.
    virtual void ReleaseToolbarDraw(qx::TControl* control) { (void)control; }
    // The popup menus a container owns get the skinned look (when xcPopupMenu is set).
    virtual void PreparePopupMenus(qx::TComponent* container) { (void)container; }
};
