#include "spinner/PickSlot.h"

#include "spinner/MotionRules.h"

namespace {

// One slice per participant: a quadrant of the tip is six of them.
const double slice = 1.0 / 12.0;

// The lower bound of slice m of the quadrant starting at q. Neighbouring slices share their
// bound, computed the one way, so no angle falls between two slices.
double sliceBound(double q, int m) {
  if (m == 0) return q;
  if (m == 1) return q + slice;
  return q + slice * m;
}

// Slice m (in order of growing angle) of the quadrant starting at q, or -1.
int sliceIn(double q, double a) {
  for (int m = 0; m < 6; ++m) {
    if (a >= sliceBound(q, m) && a < sliceBound(q, m + 1)) return m;
  }
  return -1;
}

}  // namespace

int pickSlot(double a) {
  int m;
  switch (pickQuadrant(a)) {
    // The drawn tip sweeps the quarter back in Q1 and Q3, so those count from the far end.
    case PICK_Q1:
      m = sliceIn(0.25, a);
      return m < 0 ? -1 : 5 - m;
    case PICK_Q2:
      return sliceIn(0.75, a);
    case PICK_Q3:
      m = sliceIn(1.25, a);
      return m < 0 ? -1 : 5 - m;
    case PICK_Q4:
      break;
  }
  // Q4 wraps through a full turn: three slices up to 2.0, three from 0.
  if (a >= 1.75 && a < 1.75 + slice) return 0;
  if (a >= 1.75 + slice && a < 1.75 + slice * 2) return 1;
  if (a >= 1.75 + slice * 2 && a < FULL_TURN) return 2;
  if (a >= 0 && a < slice) return 3;
  if (a >= slice && a < slice * 2) return 4;
  if (a >= slice * 2 && a < slice * 3) return 5;
  return -1;
}
