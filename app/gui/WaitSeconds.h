#pragma once

namespace orvanta {

// Waits `seconds`. With `pump` the window goes on handling its events (a
// nested event loop ended by a timer, so no processor time is burnt);
// without it the thread simply sleeps.
void WaitSeconds(int seconds, bool pump);

// Lets pending window events run once.
void PumpEvents();

}  // namespace orvanta
