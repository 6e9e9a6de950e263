#include "series/SampleStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Samples per entry of an extremes level: 64, 4,096, ...
constexpr int LevelBits(int level) {
    return 6 * (level + 1);
}
static_assert((qsizetype(1) << LevelBits(0)) == SampleStore::ExtremesFanOut);

// Stretches of generic times beyond this share of the samples cost more than keeping each time.
bool TooManyStretches(std::size_t stretches, qsizetype samples) {
    return qsizetype(stretches) > samples / 32 + 64;
}

} // namespace

void SampleStore::Put(Blocks& blocks, qsizetype i, double value) {
    const std::size_t block = std::size_t(i >> BlockBits);
    if (block == blocks.size())
        blocks.push_back(std::make_shared_for_overwrite<double[]>(std::size_t(BlockSize)));
    blocks[block][std::size_t(Offset(i))] = value;
}

void SampleStore::PushValue(double value) {
    const qsizetype i = m_size;
    Put(m_values, i, value);
    const bool finite = std::isfinite(value);
    if (!finite)
        m_breaks.push_back(i);
    for (int level = 0; level < (m_extremesKept ? ExtremesLevels : 0); ++level) {
        std::vector<Range>& entries = m_extremes[std::size_t(level)];
        const std::size_t entry = std::size_t(i >> LevelBits(level));
        if (entry == entries.size())
            entries.push_back({Infinity, -Infinity});
        if (finite) {
            Range& range = entries[entry];
            range.min = std::min(range.min, value);
            range.max = std::max(range.max, value);
        }
    }
    ++m_size;
}

const SampleStore::Stretch& SampleStore::StretchOf(qsizetype i) const {
    const auto after = std::upper_bound(
        m_stretches.begin(), m_stretches.end(), i,
        [](qsizetype index, const Stretch& stretch) { return index < stretch.first; });
    return *(after - 1);
}

double SampleStore::KeyAt(qsizetype i) const {
    if (m_keysKept)
        return Block(m_keys, i)[Offset(i)];
    return StretchOf(i).KeyAt(i);
}

void SampleStore::KeepKeysOneByOne() {
    if (m_keysKept)
        return;
    for (qsizetype i = 0; i < m_size; ++i)
        Put(m_keys, i, KeyAt(i));
    m_keysKept = true;
    m_stretches.clear();
    m_stretches.shrink_to_fit();
}

void SampleStore::AppendStepped(double step, double originIndex, double origin, double value) {
    const double key = (double(m_size) - originIndex) * step + origin;
    if (m_keysKept) {
        Put(m_keys, m_size, key);
    } else if (m_stretches.empty() || !(m_stretches.back().KeyAt(m_size) == key)) {
        m_stretches.push_back({m_size, originIndex, origin, step});
        if (TooManyStretches(m_stretches.size(), m_size)) {
            m_stretches.pop_back();
            KeepKeysOneByOne();
            Put(m_keys, m_size, key);
        }
    }
    PushValue(value);
}

void SampleStore::Append(double key, double value) {
    if (!m_keysKept && !m_stretches.empty()) {
        Stretch& last = m_stretches.back();
        if (last.KeyAt(m_size) == key) {
            PushValue(value);
            return;
        }
        // A stretch of one sample takes its step from the second.
        if (m_size - last.first == 1) {
            const Stretch before = last;
            last = {last.first, double(last.first), last.KeyAt(last.first),
                    key - last.KeyAt(last.first)};
            if (last.KeyAt(m_size) == key && last.KeyAt(last.first) == before.KeyAt(before.first)) {
                PushValue(value);
                return;
            }
            last = before;
        }
    }
    AppendStepped(0.0, double(m_size), key, value);
}

void SampleStore::Merge(const std::vector<Sample>& sorted) {
    if (sorted.empty())
        return;
    SampleStore merged;
    qsizetype i = 0;
    auto next = sorted.begin();
    while (i < m_size || next != sorted.end()) {
        // Among equal times the samples already here come first.
        if (i < m_size && (next == sorted.end() || !(next->key < KeyAt(i)))) {
            merged.Append(KeyAt(i), ValueAt(i));
            ++i;
        } else {
            merged.Append(next->key, next->value);
            ++next;
        }
    }
    *this = std::move(merged);
}

SampleStore SampleStore::SharedSamples() const {
    SampleStore copy;
    copy.m_size = m_size;
    copy.m_values = m_values;
    copy.m_keys = m_keys;
    copy.m_keysKept = m_keysKept;
    copy.m_extremesKept = false;
    copy.m_stretches = m_stretches;
    copy.m_breaks = m_breaks;
    return copy;
}

void SampleStore::Clear() {
    *this = SampleStore();
}

qsizetype SampleStore::Bound(double key, bool after) const {
    qsizetype low = 0;
    qsizetype high = m_size;
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const double at = KeyAt(middle);
        if (after ? !(key < at) : at < key)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

qsizetype SampleStore::LowerBound(double key) const {
    return Bound(key, false);
}

qsizetype SampleStore::UpperBound(double key) const {
    return Bound(key, true);
}

SampleStore::Extremes SampleStore::ExtremesIn(qsizetype first, qsizetype last) const {
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_size);
    Range found{Infinity, -Infinity};
    qsizetype i = first;
    while (i < last) {
        // The highest level whose entry starts here and ends within the range.
        int level = -1;
        for (int candidate = 0; candidate < (m_extremesKept ? ExtremesLevels : 0); ++candidate) {
            const qsizetype span = qsizetype(1) << LevelBits(candidate);
            if ((i & (span - 1)) != 0 || i + span > last)
                break;
            level = candidate;
        }
        if (level < 0) {
            const double value = ValueAt(i);
            if (std::isfinite(value)) {
                found.min = std::min(found.min, value);
                found.max = std::max(found.max, value);
            }
            ++i;
            continue;
        }
        const Range& range = m_extremes[std::size_t(level)][std::size_t(i >> LevelBits(level))];
        found.min = std::min(found.min, range.min);
        found.max = std::max(found.max, range.max);
        i += qsizetype(1) << LevelBits(level);
    }
    if (!(found.min <= found.max))
        return {};
    return {found.min, found.max, true};
}

bool SampleStore::HasBreakIn(qsizetype first, qsizetype last) const {
    const auto at = std::lower_bound(m_breaks.begin(), m_breaks.end(), first);
    return at != m_breaks.end() && *at < last;
}

qsizetype SampleStore::MemoryBytes() const {
    qsizetype bytes =
        qsizetype(m_values.capacity() + m_keys.capacity()) * qsizetype(sizeof(Blocks::value_type));
    bytes += qsizetype(m_values.size() + m_keys.size()) * BlockSize * qsizetype(sizeof(double));
    bytes += qsizetype(m_stretches.capacity() * sizeof(Stretch));
    bytes += qsizetype(m_breaks.capacity() * sizeof(qsizetype));
    for (const std::vector<Range>& level : m_extremes)
        bytes += qsizetype(level.capacity() * sizeof(Range));
    return bytes;
}
