#include "platform/win/ObjBase.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>

HRESULT CoCreateGuid(TGUID* Guid)
{
    if (!Guid) return E_INVALIDARG;
    // The kernel's generator, never a seeded one or the clock: identifiers
    // must differ between processes started in the same instant.
    std::uint8_t B[16];
    std::size_t Got = 0;
    while (Got < sizeof B) {
        const ssize_t N = getrandom(B + Got, sizeof B - Got, 0);
        if (N < 0) {
            if (errno == EINTR) continue;
            return E_FAIL;
        }
        Got += std::size_t(N);
    }
    TGUID G;
    std::memcpy(&G, B, sizeof G);
    G.D3 = std::uint16_t((G.D3 & 0x0FFF) | 0x4000);  // version 4: random
    G.D4[0] = std::uint8_t((G.D4[0] & 0x3F) | 0x80); // the standard variant
    *Guid = G;
    return S_OK;
}
