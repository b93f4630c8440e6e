// The program's private heap: every text and table comes from it.
#pragma once

// Creates the heap (start-up step 2). Allocations made before come from the
// process heap and are freed there.
void PrivateHeapCreate();
// Destroys the heap at the very end; later frees are ignored.
void PrivateHeapDestroy();
