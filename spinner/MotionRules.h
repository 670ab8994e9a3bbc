// What the spin, bottle and pick motions share: the slowing of the arrow and the reduction of
// angles to one turn. Angles are in half-turns, speeds in half-turns per 20 ms step.
#pragma once

#include <cmath>

#define FULL_TURN 2.0
#define FAST_THRESHOLD 0.08
#define FAST_DECAY 0.985
#define STOP_THRESHOLD 0.0005

// Slows `speed` for one step: by a fixed decay while fast, by the friction once slow. Returns
// false, leaving `speed` alone, when the arrow has come to rest and the step must stop it.
inline bool slowDown(double& speed, double friction) {
  if (speed > FAST_THRESHOLD) {
    speed = speed * FAST_DECAY;
    return true;
  }
  if (speed > STOP_THRESHOLD) {
    speed = speed * (1 - friction);
    return true;
  }
  return false;
}

// Brings an advanced angle back into (0, 2] by whole turns; exactly 2.0 stays. Many quick
// starts can make one step longer than a turn, so a single subtraction would not do.
inline double wrapAngle(double angle) {
  if (angle <= FULL_TURN) return angle;
  double reduced = std::fmod(angle, FULL_TURN);  // exact, like repeated subtraction
  return reduced == 0.0 ? FULL_TURN : reduced;
}

// The tip's direction in [0, 2), for choosing the pick quarter's fold and slot.
inline double tipAngle(double angle) { return angle >= FULL_TURN ? std::fmod(angle, FULL_TURN) : angle; }

// The pick quadrants of the tip angle, tested in this order.
enum PickQuadrant { PICK_Q1, PICK_Q2, PICK_Q3, PICK_Q4 };

inline PickQuadrant pickQuadrant(double a) {
  if (a >= 0.25 && a < 0.75) return PICK_Q1;
  if (a >= 0.75 && a < 1.25) return PICK_Q2;
  if (a >= 1.25 && a < 1.75) return PICK_Q3;
  return PICK_Q4;
}
