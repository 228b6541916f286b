// The contract tests against the real functions, as the fakes pass them natively.
#include "contract/profile_contract.h"
#include "contract/win32_world.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProfileContract, Win32World);
