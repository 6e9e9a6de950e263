#pragma once

#include "state/GaugeState.h"

// Puts the exchange where an order would have left it, for a test that hands the reply side
// its text itself.
inline void SetExchange(ExchangeState state, std::uint8_t awaited) {
    FirstGauge().ExchangeState = state;
    FirstGauge().AwaitedReply = awaited;
}
