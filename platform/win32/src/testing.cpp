// testing.cpp: the one reset of every Windows service's records and state.
#include "win32/testing.h"

#include "win32_internal.h"

extern "C" void win32_test_reset(void) noexcept {
    win32::reset_kernel();
    win32::reset_user();
    win32::reset_registry();
    win32::reset_shell();
    win32::reset_sound();
}
