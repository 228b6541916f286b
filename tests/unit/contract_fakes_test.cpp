// The contract tests against the fakes: what passes here passes under Wine
// against the real functions too.
#include "contract/profile_contract.h"
#include "fakes/fake_profile.h"

namespace {

struct FakeWorld {
    FakeFiles drive;
    FakeProfile fakeProfile{drive};

    Files& files() { return drive; }
    Profile& profile() { return fakeProfile; }
    std::string folder() const { return "C:\\PROBE\\"; }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ProfileContract, FakeWorld);
