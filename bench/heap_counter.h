#pragma once

// What the program holds on the C++ heap. Every allocation passes through the replaced
// operator new and delete, which count only once Start() has been called, so that a timed
// run pays for no more than a branch. They live in a file of their own so that the compiler
// does not inline them into the code it measures.
namespace heap_counter {

void Start();
long long Live();         // bytes held now
long long Peak();         // the most held at one time since the last ResetPeak()
long long Allocations();  // blocks taken so far
void ResetPeak();

}  // namespace heap_counter
