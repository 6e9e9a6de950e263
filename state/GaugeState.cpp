#include "state/GaugeState.h"

GaugeState& FirstGauge() {
    static GaugeState first;
    return first;
}
