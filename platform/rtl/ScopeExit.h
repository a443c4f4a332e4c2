// Work that must happen when a scope ends, however it ends: the class
// library's try/finally. An exception leaves state as it was found.
#pragma once
#include <exception>
#include <utility>

// Runs Action when the scope ends, unless dismissed. An exception from
// Action leaves the scope like any other (EndUpdate may fire a handler that
// raises); while an exception is already leaving it, that one goes on and
// Action's is dropped, as a destructor cannot raise a second.
template <class TAction> class TScopeExit {
public:
    explicit TScopeExit(TAction Action) : FAction(std::move(Action)) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    ~TScopeExit() noexcept(false)
    {
        if (!FActive) return;
        if (std::uncaught_exceptions() == FUnwinding) {
            FAction();
            return;
        }
        try {
            FAction();
        } catch (...) {
        }
    }
    void Dismiss() { FActive = false; }

private:
    TAction FAction;
    int FUnwinding = std::uncaught_exceptions();
    bool FActive = true;
};

// Gives Variable a value for the scope and puts the old one back at its end.
template <class T> class TRestore {
public:
    TRestore(T& Variable, T Value) : FVariable(Variable), FOld(std::exchange(Variable, std::move(Value))) {}
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;
    ~TRestore() { FVariable = std::move(FOld); }

private:
    T& FVariable;
    T FOld;
};
