#include "platform/classes/Objects.h"

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

AnsiString TObject::ClassName() const
{
    int Status = 0;
    char* Raw = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &Status);
    AnsiString Name = (Status == 0 && Raw) ? Raw : typeid(*this).name();
    std::free(Raw);
    if (auto P = Name.rfind("::"); P != AnsiString::npos) Name = Name.substr(P + 2);
    return Name;
}

TClass TObject::StaticClassType()
{
    static const TMetaClass Meta{"TObject", nullptr};
    return &Meta;
}
