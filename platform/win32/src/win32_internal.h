// win32_internal.h: what the Windows services share inside this library: the browser opener
// lookup, the process runner, and the per-module resets that win32_test_reset calls.
#pragma once

#include <string>
#include <vector>

namespace win32 {

// Absolute path of the first browser opener found on PATH, empty when there is none.
std::string find_opener();
// Absolute path of an executable found on PATH, empty when there is none.
std::string find_on_path(const char *name);

void reset_kernel() noexcept;
void reset_user() noexcept;
void reset_registry() noexcept;
void reset_shell() noexcept;
void reset_sound() noexcept;

} // namespace win32
