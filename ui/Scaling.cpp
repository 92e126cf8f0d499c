#include "ui/Scaling.h"

#include <cstdint>

int ScaleValue(int v, int num, int den) {
  if (den == 0) return v;
  int64_t p = static_cast<int64_t>(v) * num;
  int64_t d = den;
  if (d < 0) {
    p = -p;
    d = -d;
  }
  int64_t q = p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d);
  return static_cast<int>(q);
}
