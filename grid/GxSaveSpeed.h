// grid/GxSaveSpeed.h
// A large grid whose saved texts all lie where its store keeps them is
// formatted on worker threads, a range of rows each, while the window's
// thread writes the finished ranges in order. Tests hold that against the
// one-thread save, and make the ranges small to cut the rows often.
#pragma once
#include <cstddef>
#include <functional>

namespace GxCustomGridControl {

extern bool SaveThreads;          // on unless a test turns it off
extern int SaveWorkers;           // formatting threads; 0: up to four, one fewer than the processors
extern int SaveFewestRows;        // fewer rows are saved on the window's thread alone
extern std::size_t SaveRangeSize; // units of text in a range of rows (tests make it small)
// Called on a worker as it starts a range (from 0); tests raise from it.
extern std::function<void(std::size_t Range)> SaveRangeStarted;

} // namespace GxCustomGridControl
