#pragma once

#include "state/Global.h"

// Puts the exchange where an order would have left it, for a test that hands the reply side
// its text itself.
inline void SetExchange(ExchangeState state, std::uint8_t awaited) {
    Global.ExchangeState = state;
    Global.AwaitedReply = awaited;
}
