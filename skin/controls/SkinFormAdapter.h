// The bridge between the form skinning and the control classification: a TWinSkinForm serves
// as the host of its wrappers through a small component it owns, and the form skinning's
// "classify the controls" hook runs the classification of this folder.
//
// The manager calls InstallControlClassification once (when it is created); from then on every
// skinned window classifies its controls when it is activated.
#pragma once

#include "skin/controls/SkinControlHost.h"

class TWinSkinForm;

// The host of the form's wrappers (made on first use, owned by the form).
TSkinControlHost& SkinFormHost(TWinSkinForm& form);
// A framework form: its controls; a raw window: its child windows.
void ClassifySkinFormControls(TWinSkinForm& form);
// Hooks ClassifySkinFormControls into the form skinning.
void InstallControlClassification();
