#include "platform/classes/SyncObjs.h"

void TCriticalSection::Acquire()
{
    FSection.lock();
}

void TCriticalSection::Release()
{
    FSection.unlock();
}

bool TCriticalSection::TryEnter()
{
    return FSection.try_lock();
}
