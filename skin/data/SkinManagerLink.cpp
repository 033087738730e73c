#include "skin/data/SkinManagerLink.h"

namespace skin {

namespace {

TSkinManagerFactory g_factory = nullptr;
TSkinManagerLink* g_manager = nullptr;

}  // namespace

void SetSkinManagerFactory(TSkinManagerFactory factory) { g_factory = factory; }

void SetSkinManager(TSkinManagerLink* manager) { g_manager = manager; }

TSkinManagerLink* SkinManager() { return g_manager; }

TSkinManagerLink* EnsureSkinManager()
{
    if (!g_manager && g_factory) {
        TSkinManagerLink* made = g_factory();
        // A factory that does not announce its manager still hands it over.
        if (!g_manager) g_manager = made;
    }
    return g_manager;
}

}  // namespace skin
