#include "util/yelkutils_winvsbcb.h"
#include "platform/classes/Registry.h"

namespace yelkutils_winvsbcb {

std::string ReadRegistryStringHklm(const std::string& Key, const std::string& Value)
{
    auto Registry = MakeOwned<TRegistry>();
    Registry->SetRootKey(HKEY_LOCAL_MACHINE);
    std::string Result;
    if (Registry->KeyExists(Key) && Registry->OpenKeyReadOnly(Key)) {
        try {
            Result = Registry->ReadString(Value);
        } catch (const ERegistryException&) {
            // A value of another type reads as missing: this library throws nothing.
        }
        Registry->CloseKey();
    }
    return Result;
}

} // namespace yelkutils_winvsbcb
