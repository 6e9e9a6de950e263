#include "tests/support/FakeReplyTarget.h"

#include "state/Global.h"

void FakeReplyTarget::IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) {
    const OrderSet::Info& info = OrderSet::InfoOf(order);
    Global.ExchangeState = info.State;
    Global.AwaitedReply = info.Awaited;
    if (info.Status)
        StatusTexts.append(OrderSet::StatusOf(order));
    Orders.append({OrderSet::TextOf(order, argument), press});
}

void FakeReplyTarget::Settle() {
    Global.ExchangeState = ExchangeState::Confirming;
}

void FakeReplyTarget::EndRun() {
    ++EndMeasurementCalls;
    Global.MeasurementRunning = false;
    Global.ExchangeState = ExchangeState::Confirming;
}

void FakeReplyTarget::AddSample(double sampleTime, double value) {
    const double x =
        (Samples.size() - Global.ChartIndexOffset) * sampleTime + Global.ChartTimeOffset;
    Samples.append({x, value});
    ++Global.SampleStats.Count;
}

QStringList FakeReplyTarget::OrderTexts() const {
    QStringList texts;
    for (const Order& order : Orders)
        texts << QString::fromLatin1(order.Text);
    return texts;
}

void FakeReplyTarget::Change(TaggedControl control, int& value, int next) {
    if (value == next)
        return; // no change, no click
    value = next;
    if (Tags.value(control) == 1)
        Tags[control] = 0;
    else
        UnsuppressedClicks.append(control);
}
