#include "store/registered_runners.h"

#include <string>

#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"

namespace store {

int RegisteredRunners(const RaRecord& ra, int slot) {
  const int n = ra.Int(codes::ra_layout::kRegisteredRunners);
  if (n > kRunnerCount) {
    throw codes::InputError("race of slot " + std::to_string(slot) + " has " + std::to_string(n) +
                            " registered runners; at most " + std::to_string(kRunnerCount) +
                            " can be held");
  }
  return n;
}

int RegisteredRunners(const RaceDay& day, int slot) {
  return RegisteredRunners(day.RaRec[slot], slot);
}

}  // namespace store
