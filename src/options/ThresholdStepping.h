#pragma once

// The arrow keys and spin buttons of a threshold box move its level to the next multiple of the
// step: up from 3 gives 5, down from 12 gives 10. At a limit the level stays.
namespace ThresholdStepping {

int up(int value, int step, int maximum);
int down(int value, int step, int minimum);

}  // namespace ThresholdStepping
