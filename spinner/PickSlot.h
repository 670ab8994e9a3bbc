// Which participant the pick arrow points at, from its tip angle.
#pragma once

// The participant slot (0 to 5) whose 15-degree slice holds the tip angle `a` (half-turns,
// in [0, 2)), or -1 when no slice holds it.
int pickSlot(double a);
