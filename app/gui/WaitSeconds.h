#pragma once

namespace orvanta {

// Waits until the wall clock's whole seconds have advanced `seconds` times
// since the call: with 1 the wait ends at the next change of the clock's
// second, so it lasts between a moment and one second. With `pump` the
// window goes on handling its events (a nested event loop ended by a timer,
// so no processor time is burnt); without it the thread simply sleeps. A
// clock set back during the wait cannot make it last longer than `seconds`.
void WaitSeconds(int seconds, bool pump);

// Lets pending window events run once.
void PumpEvents();

}  // namespace orvanta
