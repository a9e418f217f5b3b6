// mem_internal.h: the failure injection shared by plain and global memory. Internal to the
// memory families.
#pragma once

namespace vkobase::mem {

// True when the allocation about to be made must fail (failure injection for tests).
bool take_injected_failure() noexcept;

} // namespace vkobase::mem
