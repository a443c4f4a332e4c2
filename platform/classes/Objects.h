// The object model: TObject with two-phase construction and destruction,
// class references, and the New/Free pair every object goes through.
#pragma once
#include "platform/rtl/SysUtils.h"

#include <memory>
#include <utility>

class TObject;

// A class reference: one static meta object per class.
struct TMetaClass {
    const char* Name;
    const TMetaClass* Parent;
    bool InheritsFrom(const TMetaClass* Other) const
    {
        for (auto* C = this; C; C = C->Parent)
            if (C == Other) return true;
        return false;
    }
    const char* ClassName() const { return Name; }
};
using TClass = const TMetaClass*;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Run by New once the most derived constructor has finished: work that
    // must reach overrides of derived classes belongs here.
    virtual void AfterConstruction() {}
    // Run by Free before the destructors.
    virtual void BeforeDestruction() {}

    // The class's name without its namespace.
    virtual AnsiString ClassName() const;
    static TClass StaticClassType();
    virtual TClass ClassType() const { return StaticClassType(); }
    bool InheritsFrom(TClass Class) const { return ClassType()->InheritsFrom(Class); }
};

// Declares a class's meta object; put it in the public part of the class.
#define QM_CLASS(Name, ParentClass)                                                                                    \
    static TClass StaticClassType()                                                                                    \
    {                                                                                                                  \
        static const TMetaClass Meta{#Name, ParentClass::StaticClassType()};                                           \
        return &Meta;                                                                                                  \
    }                                                                                                                  \
    TClass ClassType() const override                                                                                  \
    {                                                                                                                  \
        return StaticClassType();                                                                                      \
    }

template <typename T, typename... Args> T* New(Args&&... A)
{
    T* Obj = new T(std::forward<Args>(A)...);
    try {
        Obj->AfterConstruction();
    } catch (...) {
        Obj->BeforeDestruction();
        delete Obj;
        throw;
    }
    return Obj;
}

inline void Free(TObject* Obj)
{
    if (!Obj) return;
    Obj->BeforeDestruction();
    delete Obj;
}

template <typename T> void FreeAndNil(T*& Obj)
{
    T* Tmp = Obj;
    Obj = nullptr;
    Free(Tmp);
}

struct FreeDeleter {
    void operator()(TObject* Obj) const { Free(Obj); }
};
template <typename T> using TOwned = std::unique_ptr<T, FreeDeleter>;

template <typename T, typename... Args> TOwned<T> MakeOwned(Args&&... A)
{
    return TOwned<T>(New<T>(std::forward<Args>(A)...));
}
