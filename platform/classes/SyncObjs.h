// Synchronisation objects of the class library. The critical section is
// recursive, as its original is: the thread that holds it may enter again.
#pragma once
#include "platform/classes/Objects.h"

#include <mutex>

class TSynchroObject : public TObject {
public:
    QM_CLASS(TSynchroObject, TObject)
    virtual void Acquire() {}
    virtual void Release() {}
};

class TCriticalSection : public TSynchroObject {
public:
    QM_CLASS(TCriticalSection, TSynchroObject)
    void Acquire() override;
    void Release() override;
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    // Enters when no other thread holds the section; never waits.
    bool TryEnter();

private:
    std::recursive_mutex FSection;
};
