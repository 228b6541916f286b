// The contract tests against the fakes: what passes here passes under Wine
// against the real functions too.
#include "contract/profile_contract.h"
#include "contract/store_contract.h"
#include "fakes/fake_profile.h"

namespace {

struct FakeWorld {
    FakeFiles drive;
    FakeProfile fakeProfile{drive};

    Files& files() { return drive; }
    Profile& profile() { return fakeProfile; }
    std::string folder() const { return "C:\\PROBE\\"; }
    void setReadOnly(const std::string& path) { drive.setReadOnly(path); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ProfileContract, FakeWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, StoreContract, FakeWorld);
