#pragma once

#include "series/SampleStore.h"

#include <qcustomplot.h>

#include <functional>

// The chart's line of samples, drawn straight from the compact store: point by point when a
// view holds few, else as each pixel column's extremes, which the store finds without reading
// every sample, so a frame costs the same for a thousand samples or a day's run.
class SampleCurve final : public QCPAbstractPlottable {
    Q_OBJECT

public:
    // `samples` is asked at every frame (the store may be replaced by a merge in between).
    SampleCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, std::function<const SampleStore&()> samples);

    int DataCount() const { return int(m_samples().size()); }
    // Views with at most this many samples per pixel column are drawn point by point.
    static constexpr int PointsPerColumnDrawn = 2;

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    void DrawPoints(QCPPainter* painter, const SampleStore& samples, qsizetype first,
                    qsizetype last) const;
    void DrawColumns(QCPPainter* painter, const SampleStore& samples, qsizetype first,
                     qsizetype last) const;

    std::function<const SampleStore&()> m_samples;
};
