// Wrappers that a wrapper makes for a part of its own control: the up-down control inside an
// edit box (TSkinEdit), the scroll bars of a simple combo box's list (TSkinComBox) and the
// header of a list view (TSkinListView). Their painters belong to the up-down, scroll-bar and
// header skinning, which registers a maker here; while none is registered no part wrapper is
// made and those parts keep the system look. The list's scroll bars are made by
// TSkinScrollbarH from the start.
#pragma once

#include "framework/Classes.h"

class TSkinControl;

// Makes an unattached wrapper owned by `owner`; the caller attaches it by handle.
using TSubWrapperMaker = TSkinControl* (*)(qx::TComponent* owner);

// The up-down wrapper for an up-down embedded in an edit (the maker marks it so). Returns the
// maker that was registered before.
TSubWrapperMaker SetEmbeddedUpDownMaker(TSubWrapperMaker maker);
// The scroll-bar wrapper of a raw window with window scroll bars (a simple combo's list).
TSubWrapperMaker SetListScrollbarMaker(TSubWrapperMaker maker);
// The header wrapper of a list view's header window.
TSubWrapperMaker SetListHeaderMaker(TSubWrapperMaker maker);

// Null while no maker is registered.
TSkinControl* MakeEmbeddedUpDown(qx::TComponent* owner);
TSkinControl* MakeListScrollbar(qx::TComponent* owner);
TSkinControl* MakeListHeader(qx::TComponent* owner);
