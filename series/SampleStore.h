#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

// The samples of a chart in about eight bytes each: a run's and a data file's samples are
// equally spaced, so their times are kept as stretches of one step, not one by one, and the
// values lie in fixed blocks that are never moved (a copy shares them, so a save on another
// thread reads them while the run goes on). Times that follow no step (a merge of files, a
// line broken by a lost link) are kept one by one from there on. The extremes of every
// stretch of 64, 4,096, ... samples are kept as well, so that a view of any width finds what
// each of its columns shows without reading every sample.
class SampleStore final {
public:
    struct Sample {
        double key = 0.0;
        double value = 0.0;
    };
    // Smallest and largest finite value; `any` is false when there is none.
    struct Extremes {
        double min = 0.0;
        double max = 0.0;
        bool any = false;
    };

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    double KeyAt(qsizetype i) const;
    double ValueAt(qsizetype i) const { return Block(m_values, i)[Offset(i)]; }
    Sample At(qsizetype i) const { return {KeyAt(i), ValueAt(i)}; }

    // Appends the sample at time (size() - originIndex) * step + origin: the times of a run.
    void AppendStepped(double step, double originIndex, double origin, double value);
    // Appends a sample at any time not before the last one.
    void Append(double key, double value);
    // Takes in samples of any times, sorted by time: the result is in time order, with the
    // samples already here first among equal times.
    void Merge(const std::vector<Sample>& sorted);
    void Clear();
    // A copy for readers of the samples one by one (a save, an export on a worker thread):
    // it shares the values and leaves out the extremes, so that taking it costs no pause
    // however long the run; asked for extremes, it reads its samples.
    SampleStore SharedSamples() const;

    // The first sample whose time is not before `key`, and the first after it.
    qsizetype LowerBound(double key) const;
    qsizetype UpperBound(double key) const;
    Extremes ExtremesIn(qsizetype first, qsizetype last) const;
    Extremes AllExtremes() const { return ExtremesIn(0, m_size); }
    // Whether a value that is not a number (a break in the line) lies in [first, last).
    bool HasBreakIn(qsizetype first, qsizetype last) const;
    qsizetype BreakCount() const { return qsizetype(m_breaks.size()); }
    // Whether times are kept one by one (16 bytes a sample rather than 8).
    bool TimesKeptOneByOne() const { return m_keysKept; }
    // What the store holds in memory, in bytes.
    qsizetype MemoryBytes() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Sample;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = Sample;

        const_iterator() = default;
        const_iterator(const SampleStore* store, qsizetype i)
            : m_store(store)
            , m_index(i) {}
        Sample operator*() const { return m_store->At(m_index); }
        struct Arrow {
            Sample sample;
            const Sample* operator->() const { return &sample; }
        };
        Arrow operator->() const { return {m_store->At(m_index)}; }
        const_iterator& operator++() {
            ++m_index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_index;
            return before;
        }
        const_iterator operator+(qsizetype n) const { return {m_store, m_index + n}; }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

    private:
        const SampleStore* m_store = nullptr;
        qsizetype m_index = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_size}; }
    const_iterator constBegin() const { return begin(); }
    const_iterator constEnd() const { return end(); }

    static constexpr int BlockBits = 16;
    static constexpr qsizetype BlockSize = qsizetype(1) << BlockBits;
    // Samples per extremes entry at the lowest level, and the factor from one level to the next.
    static constexpr int ExtremesFanOut = 64;
    static constexpr int ExtremesLevels = 5;

private:
    // Samples from `first` on lie at (i - originIndex) * step + origin.
    struct Stretch {
        qsizetype first = 0;
        double originIndex = 0.0;
        double origin = 0.0;
        double step = 0.0;
        double KeyAt(qsizetype i) const { return (double(i) - originIndex) * step + origin; }
    };
    using Blocks = std::vector<std::shared_ptr<double[]>>;

    static double* Block(const Blocks& blocks, qsizetype i) {
        return blocks[std::size_t(i >> BlockBits)].get();
    }
    static qsizetype Offset(qsizetype i) { return i & (BlockSize - 1); }
    static void Put(Blocks& blocks, qsizetype i, double value);

    void PushValue(double value);
    void KeepKeysOneByOne();
    const Stretch& StretchOf(qsizetype i) const;
    qsizetype Bound(double key, bool after) const;

    qsizetype m_size = 0;
    Blocks m_values;
    Blocks m_keys;
    bool m_keysKept = false;
    bool m_extremesKept = true;
    std::vector<Stretch> m_stretches;
    std::vector<qsizetype> m_breaks;
    // Per level, the smallest and largest finite value of each stretch; none is +inf, -inf.
    struct Range {
        double min;
        double max;
    };
    std::array<std::vector<Range>, ExtremesLevels> m_extremes;
};
