#include "skin/data/SkinManagerLink.h"

namespace {

TSkinManagerLink* gManager = nullptr;
TSkinManagerFactory gFactory = nullptr;

}  // namespace

TSkinManagerLink* SkinManagerLink() { return gManager; }
void SetSkinManagerLink(TSkinManagerLink* manager) { gManager = manager; }
void SetSkinManagerFactory(TSkinManagerFactory factory) { gFactory = factory; }

TSkinManagerLink* RequireSkinManager() {
    if (!gManager && gFactory) gManager = gFactory();
    return gManager;
}
