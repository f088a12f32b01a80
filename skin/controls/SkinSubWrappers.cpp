#include "skin/controls/SkinSubWrappers.h"

#include "skin/controls/SkinScrollbarH.h"

#include <utility>

namespace {

TSubWrapperMaker gEmbeddedUpDownMaker = nullptr;
TSubWrapperMaker gListScrollbarMaker = &MakeSkinScrollbarH;
TSubWrapperMaker gListHeaderMaker = nullptr;

}  // namespace

TSubWrapperMaker SetEmbeddedUpDownMaker(TSubWrapperMaker maker) { return std::exchange(gEmbeddedUpDownMaker, maker); }

TSubWrapperMaker SetListScrollbarMaker(TSubWrapperMaker maker) { return std::exchange(gListScrollbarMaker, maker); }

TSubWrapperMaker SetListHeaderMaker(TSubWrapperMaker maker) { return std::exchange(gListHeaderMaker, maker); }

TSkinControl* MakeEmbeddedUpDown(qx::TComponent* owner) {
    return gEmbeddedUpDownMaker ? gEmbeddedUpDownMaker(owner) : nullptr;
}

TSkinControl* MakeListScrollbar(qx::TComponent* owner) {
    return gListScrollbarMaker ? gListScrollbarMaker(owner) : nullptr;
}

TSkinControl* MakeListHeader(qx::TComponent* owner) { return gListHeaderMaker ? gListHeaderMaker(owner) : nullptr; }
