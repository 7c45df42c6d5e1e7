#pragma once
// A test program that links AllocationCount.cpp replaces the global operator new and delete with ones
// that count the blocks alive, so a test can see that code under test freed everything it allocated.

long liveAllocations();
