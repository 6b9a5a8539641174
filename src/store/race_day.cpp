#include "store/race_day.h"

namespace store {

void RaceWork::Reset() {
  // A fresh block holds exactly the empty values.
  *this = RaceWork{};
}

void RaceDay::ResetRaceWork() {
  for (RaceWork& w : Work) w.Reset();
}

void RaceDay::ClearRawRecords() {
  for (auto& r : RaRec) r.Clear();
  for (auto& runners : SeRec) {
    for (auto& r : runners) r.Clear();
  }
  for (auto& r : HrRec) r.Clear();
  for (auto& r : O1aRec) r.Clear();
  for (auto& r : O2aRec) r.Clear();
  for (auto& r : O4aRec) r.Clear();
  for (auto& r : O5aRec) r.Clear();
  for (auto& r : O6aRec) r.Clear();
}

}  // namespace store
