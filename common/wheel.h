// Turning mouse-wheel deltas into whole notches. A notched wheel sends steps of 120; touchpads
// and free-spinning wheels send smaller pieces, which add up here until a notch is due. A turn
// the other way starts afresh, so a leftover piece never swallows the first notch back.
#pragma once

class WheelAccumulator {
 public:
  static constexpr int kNotch = 120;  // WHEEL_DELTA

  // The whole notches now due: positive for a turn away from the user.
  int Add(int delta) {
    if ((delta > 0 && m_rest < 0) || (delta < 0 && m_rest > 0)) m_rest = 0;
    m_rest += delta;
    const int notches = m_rest / kNotch;
    m_rest -= notches * kNotch;
    return notches;
  }
  void Reset() { m_rest = 0; }

 private:
  int m_rest = 0;
};
