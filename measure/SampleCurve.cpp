#include "measure/SampleCurve.h"

#include <algorithm>
#include <cmath>

namespace {

// More columns than any screen has: a corrupt axis must not make a frame endless.
constexpr int MostColumns = 16384;

void Flush(QCPPainter* painter, QPolygonF& line) {
    if (line.size() >= 2)
        painter->drawPolyline(line);
    line.clear();
}

} // namespace

SampleCurve::SampleCurve(QCPAxis* keyAxis, QCPAxis* valueAxis,
                         std::function<const SampleStore&()> samples)
    : QCPAbstractPlottable(keyAxis, valueAxis)
    , m_samples(std::move(samples)) {
    setSelectable(QCP::stNone);
}

double SampleCurve::selectTest(const QPointF&, bool, QVariant*) const {
    return -1;
}

QCPRange SampleCurve::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    const SampleStore& samples = m_samples();
    foundRange = !samples.isEmpty();
    return foundRange ? QCPRange(samples.KeyAt(0), samples.KeyAt(samples.size() - 1)) : QCPRange();
}

QCPRange SampleCurve::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    const SampleStore::Extremes extremes = m_samples().AllExtremes();
    foundRange = extremes.any;
    return foundRange ? QCPRange(extremes.min, extremes.max) : QCPRange();
}

void SampleCurve::draw(QCPPainter* painter) {
    QCPAxis* keyAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    const SampleStore& samples = m_samples();
    if (!keyAxis || !valueAxis || samples.isEmpty())
        return;
    const QCPRange keys = keyAxis->range();
    // One sample beyond either edge, so that the line runs on out of the view.
    const qsizetype first = std::max<qsizetype>(samples.LowerBound(keys.lower) - 1, 0);
    const qsizetype last = std::min(samples.UpperBound(keys.upper) + 1, samples.size());
    if (first >= last)
        return;
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    const double columns =
        std::abs(keyAxis->coordToPixel(keys.upper) - keyAxis->coordToPixel(keys.lower));
    if (last - first <= PointsPerColumnDrawn * (qsizetype(columns) + 2))
        DrawPoints(painter, samples, first, last);
    else
        DrawColumns(painter, samples, first, last);
}

void SampleCurve::DrawPoints(QCPPainter* painter, const SampleStore& samples, qsizetype first,
                             qsizetype last) const {
    QPolygonF line;
    line.reserve(last - first);
    for (qsizetype i = first; i < last; ++i) {
        const SampleStore::Sample sample = samples.At(i);
        if (!std::isfinite(sample.value)) {
            Flush(painter, line);
            continue;
        }
        line.append(coordsToPixels(sample.key, sample.value));
    }
    Flush(painter, line);
}

// Each column of pixels shows the smallest and the largest of its samples, joined to the next
// column's from the nearer end, as a line through every sample would look at that density.
void SampleCurve::DrawColumns(QCPPainter* painter, const SampleStore& samples, qsizetype first,
                              qsizetype last) const {
    const QCPRange keys = mKeyAxis->range();
    const double pixels =
        std::abs(mKeyAxis->coordToPixel(keys.upper) - mKeyAxis->coordToPixel(keys.lower));
    const int count = std::clamp(int(std::ceil(pixels)), 1, MostColumns);
    const double width = keys.size() / count;
    QPolygonF line;
    line.reserve(2 * count + 4);
    const auto addPoint = [&](qsizetype i) {
        const SampleStore::Sample sample = samples.At(i);
        if (std::isfinite(sample.value))
            line.append(coordsToPixels(sample.key, sample.value));
        else
            Flush(painter, line);
    };
    qsizetype from = first;
    if (samples.KeyAt(from) < keys.lower)
        addPoint(from++);
    const qsizetype inView = std::min(samples.UpperBound(keys.upper), last);
    for (int column = 0; column < count && from < inView; ++column) {
        const qsizetype to =
            column == count - 1
                ? inView
                : std::min(samples.LowerBound(keys.lower + (column + 1) * width), inView);
        if (to <= from)
            continue;
        const SampleStore::Extremes extremes = samples.ExtremesIn(from, to);
        if (extremes.any) {
            const double key = keys.lower + (column + 0.5) * width;
            QPointF low = coordsToPixels(key, extremes.min);
            QPointF high = coordsToPixels(key, extremes.max);
            if (!line.isEmpty() &&
                std::abs(line.back().y() - high.y()) < std::abs(line.back().y() - low.y()))
                std::swap(low, high);
            line.append(low);
            if (high != low)
                line.append(high);
        }
        if (samples.HasBreakIn(from, to))
            Flush(painter, line);
        from = to;
    }
    for (qsizetype i = inView; i < last; ++i)
        addPoint(i);
    Flush(painter, line);
}

void SampleCurve::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}
