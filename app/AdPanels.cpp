#include "app/AdPanels.h"

#include "platform/admds/admds.h"

namespace {
// One server and path identifier; the MDS value names the panel's slot.
const char* const kUrls[] = {
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=3F2A91C4D05B7E6810A9C3F4E2B1D7A6958C0E3F1A2B4C6D",
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=A1B2C3D4E5F60718293A4B5C6D7E8F90A1B2C3D4E5F60718",
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=0F1E2D3C4B5A69788796A5B4C3D2E1F00F1E2D3C4B5A6978",
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=7C6B5A4938271605F4E3D2C1B0A9988776655443322110FF",
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=D4C3B2A1908F7E6D5C4B3A29180706F5E4D3C2B1A0998877",
    "http://ads.quellox.invalid/5e1c3a9b07/enter?MDS=5566778899AABBCCDDEEFF00112233445566778899AABBCC",
};
}  // namespace

void ShowAdPanels(const std::vector<qx::TPanel*>& panels) {
    for (size_t i = 0; i < panels.size() && i < std::size(kUrls); ++i)
        InitScreen(panels[i]->Handle(), kUrls[i], static_cast<DWORD>(panels[i]->Color()));
}
