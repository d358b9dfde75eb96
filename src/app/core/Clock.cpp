#include "app/core/Clock.h"

namespace valdora {
namespace {
SystemClock systemClock;
Clock *current = &systemClock;
} // namespace

Clock &appClock() { return *current; }
void setAppClock(Clock *clock) { current = clock ? clock : &systemClock; }

} // namespace valdora
