// Linked into the shipped exe only; the test programs keep the full runtime.
// The program is built without exceptions. Where the standard library would
// throw (a string beyond max_size(), an empty std::function, memory gone)
// there is nothing to recover, so it ends at once instead. Defining these
// helpers here keeps libstdc++'s throwing versions out of the exe, and with
// them the exception runtime, the DWARF unwinder, the demangler of the
// default terminate handler and the printf formatting that one uses.
#include <bits/functexcept.h>

#include <cstdlib>

namespace std {

void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_bad_function_call() { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }

} // namespace std
