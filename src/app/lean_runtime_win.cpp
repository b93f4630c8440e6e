// Linked into the shipped exe only; the test programs keep the full runtime.
//
// The program is built without exceptions. Where the standard library would
// throw (a string beyond max_size(), an empty std::function, memory gone)
// there is nothing to recover, so it ends at once instead. Defining these
// helpers here keeps libstdc++'s throwing versions out of the exe, and with
// them the exception runtime, the DWARF unwinder, the demangler of the
// default terminate handler and the printf formatting that one uses.
//
// These six are all the helpers the program's use of the library needs; a
// new use that needs another one (std::stoi's __throw_invalid_argument, say)
// links libstdc++'s member holding all of them and fails with duplicate
// definitions: then add that one here too.
#include <bits/functexcept.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace std {

void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_bad_function_call() { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }

} // namespace std

// The stack protector's guard and its failure path, in place of libssp's.
// libssp seeds its guard through CryptAcquireContextA before WinMain runs,
// and so before the DLL search is restricted; on Windows NT 4, 2000 and XP
// the crypto provider is registered by bare name and would be loaded from
// the program's folder. A canary needs to be unpredictable to an attacker
// from outside, not cryptographically random: it is mixed, as the Visual C++
// runtime mixes its security cookie, from values that differ every start.
extern "C" {

uintptr_t __stack_chk_guard = static_cast<uintptr_t>(0x2B992DDFA232ull);

[[noreturn]] void __stack_chk_fail()
{
    static const char message[] = "*** stack smashing detected ***: terminated";
    OutputDebugStringA(message);
    TerminateProcess(GetCurrentProcess(), 3);
    abort();
}

} // extern "C"

namespace {

// Runs with the other constructors, before any protected function of the
// program is on the stack; it is not protected itself, as it changes the guard.
__attribute__((constructor, no_stack_protector)) void SeedStackGuard()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    uintptr_t seed = __stack_chk_guard;
    seed ^= (static_cast<uintptr_t>(now.dwHighDateTime) << 16) ^ now.dwLowDateTime;
    seed ^= GetCurrentProcessId() ^ (static_cast<uintptr_t>(GetCurrentThreadId()) << 8) ^ GetTickCount();
    seed ^= static_cast<uintptr_t>(counter.QuadPart) ^ static_cast<uintptr_t>(counter.QuadPart >> 32);
    seed ^= reinterpret_cast<uintptr_t>(&now);  // where the stack lies, which ASLR varies
    __stack_chk_guard = seed ? seed : 0x2B992DDF;
}

} // namespace
