#include "growth/UnitSimulation.h"

TSpec GrownSpecs[GrownSpecCount];

namespace {

enum TGrowthStep { gsSetup, gsGrowthSlice, gsOrderSetup, gsOrderSlice, gsStore };

// The driver's state, held once for the run.
struct TGrowthDriver {
  bool Growing = false;
  TGrowthStep Step = gsSetup;
  std::int32_t Remaining = 0;
  std::int32_t Entrant = 0;
};

TGrowthDriver driver;

}  // namespace

void StartGrowth() {
  driver.Growing = true;
  driver.Entrant = 0;
  driver.Step = gsSetup;
  driver.Remaining = 100;
}

bool IsGrowing() { return driver.Growing; }

std::int32_t GrowthRemaining() { return driver.Remaining; }
