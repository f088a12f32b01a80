#include "skin/controls/SkinSubWrappers.h"

#include "skin/controls/SkinUpDown.h"

#include <utility>

namespace {

TSubWrapperMaker gEmbeddedUpDownMaker = &MakeEmbeddedSkinUpDown;
TSubWrapperMaker gListScrollbarMaker = nullptr;

}  // namespace

TSubWrapperMaker SetEmbeddedUpDownMaker(TSubWrapperMaker maker) { return std::exchange(gEmbeddedUpDownMaker, maker); }

TSubWrapperMaker SetListScrollbarMaker(TSubWrapperMaker maker) { return std::exchange(gListScrollbarMaker, maker); }

TSkinControl* MakeEmbeddedUpDown(qx::TComponent* owner) {
    return gEmbeddedUpDownMaker ? gEmbeddedUpDownMaker(owner) : nullptr;
}

TSkinControl* MakeListScrollbar(qx::TComponent* owner) {
    return gListScrollbarMaker ? gListScrollbarMaker(owner) : nullptr;
}
