#pragma once

#include "protocol/OrderSet.h"
#include "state/GaugeState.h"

#include <QByteArray>

// What the reply side asks of the owner of the exchange with the gauge: a reply may end the
// exchange under way or the run, or send an order of its own. Only the owner writes the
// exchange state; protocol tests use a fake.
class ExchangeControl {
public:
    virtual ~ExchangeControl() = default;

    // Sends the order as every sender does: its exchange and awaited reply first, its status
    // text, then the order itself, shown as a key press when `press` is set.
    virtual void IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) = 0;
    // What is known of the gauge: the exchange state, its family, units and sampling.
    virtual GaugeState& Gauge() = 0;
    // The exchange under way is over; what comes next is read as a confirmation.
    virtual void Settle() = 0;
    // The run is over: the gauge confirmed the end of its stream, or a reply ended it.
    virtual void EndRun() = 0;

    // The order with the press flag of the order table.
    void Issue(OrderSet::Order order, const QByteArray& argument = {}) {
        IssueOrder(order, argument, OrderSet::InfoOf(order).Press);
    }
};
