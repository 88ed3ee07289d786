#include "scope/CoverageBlend.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace zaz {

namespace {

// x × a / 255 on each byte, rounded the painter's way.
inline quint32 ByteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xFF00FFu) * a;
    t = (t + ((t >> 8) & 0xFF00FFu) + 0x800080u) >> 8;
    t &= 0xFF00FFu;
    x = ((x >> 8) & 0xFF00FFu) * a;
    x = x + ((x >> 8) & 0xFF00FFu) + 0x800080u;
    x &= 0xFF00FF00u;
    return x | t;
}

// Calls row(line, coverage) for each row of the rectangle.
template <typename Row>
inline void ForEachRow(const CoverageRect &r, Row &&row)
{
    auto *bytes = reinterpret_cast<uchar *>(r.pixels);
    const quint8 *coverage = r.coverage;
    for (qint64 y = 0; y < r.rows; ++y, bytes += r.lineStride, coverage += r.coverageStride)
        row(reinterpret_cast<quint32 *>(bytes), coverage);
}

} // namespace

// No branch on the coverage: a = 0 and a = 255 come out right from the same sums.
void BlendCoverageScalar(const CoverageRect &rect, quint32 pixel)
{
    ForEachRow(rect, [&](quint32 *line, const quint8 *coverage) {
        for (qint64 i = 0; i < rect.width; ++i)
            line[i] = ByteMul(pixel, coverage[i]) + ByteMul(line[i], 255u - coverage[i]);
    });
}

#if defined(__x86_64__)
// Two pixels at a time in 16-bit lanes.
void BlendCoverageSse2(const CoverageRect &rect, quint32 pixel)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i source = _mm_unpacklo_epi8(_mm_set1_epi32(int(pixel)), zero);
    const auto mul = [&](__m128i x, __m128i a) {
        const __m128i t = _mm_mullo_epi16(x, a);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
    };
    ForEachRow(rect, [&](quint32 *line, const quint8 *coverage) {
        for (qint64 i = 0; i < rect.width; i += 2) {
            quint16 two;
            std::memcpy(&two, coverage + i, sizeof two);
            __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(two), zero);
            a = _mm_unpacklo_epi16(a, a);
            a = _mm_unpacklo_epi32(a, a);
            const __m128i there = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(line + i)), zero);
            const __m128i sum = _mm_add_epi16(mul(source, a), mul(there, _mm_sub_epi16(full, a)));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(line + i), _mm_packus_epi16(sum, zero));
        }
    });
}

// ByteMul on 16 lanes.
static __attribute__((target("avx2"))) inline __m256i ByteMul16(__m256i x, __m256i a, __m256i half)
{
    const __m256i t = _mm256_mullo_epi16(x, a);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), half), 8);
}

// Eight pixels at a time (width a multiple of eight), on processors with AVX2.
__attribute__((target("avx2"))) void BlendCoverageAvx2(const CoverageRect &rect, quint32 pixel)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(255);
    const __m256i half = _mm256_set1_epi16(0x80);
    const __m256i colour = _mm256_set1_epi32(int(pixel));
    const __m256i sourceLow = _mm256_unpacklo_epi8(colour, zero);
    const __m256i sourceHigh = _mm256_unpackhi_epi8(colour, zero);
    const __m256i spread = _mm256_set1_epi32(0x01010101);
    auto *bytes = reinterpret_cast<uchar *>(rect.pixels);
    const quint8 *coverage = rect.coverage;
    for (qint64 y = 0; y < rect.rows; ++y, bytes += rect.lineStride, coverage += rect.coverageStride) {
        auto *line = reinterpret_cast<quint32 *>(bytes);
        for (qint64 i = 0; i < rect.width; i += 8) {
            qint64 eight;
            std::memcpy(&eight, coverage + i, sizeof eight);
            // Each pixel's coverage in the four bytes of its pixel, then in 16-bit lanes laid
            // out as the pixels are.
            const __m256i a = _mm256_mullo_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(eight)), spread);
            const __m256i aLow = _mm256_unpacklo_epi8(a, zero);
            const __m256i aHigh = _mm256_unpackhi_epi8(a, zero);
            auto *at = reinterpret_cast<__m256i *>(line + i);
            const __m256i there = _mm256_loadu_si256(at);
            const __m256i low =
                _mm256_add_epi16(ByteMul16(sourceLow, aLow, half),
                                 ByteMul16(_mm256_unpacklo_epi8(there, zero), _mm256_sub_epi16(full, aLow), half));
            const __m256i high =
                _mm256_add_epi16(ByteMul16(sourceHigh, aHigh, half),
                                 ByteMul16(_mm256_unpackhi_epi8(there, zero), _mm256_sub_epi16(full, aHigh), half));
            _mm256_storeu_si256(at, _mm256_packus_epi16(low, high));
        }
    }
}

bool Avx2Available()
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

void BlendCoverage(const CoverageRect &rect, quint32 pixel)
{
    static const auto blend = Avx2Available() ? BlendCoverageAvx2 : BlendCoverageSse2;
    blend(rect, pixel);
}
#else
void BlendCoverageSse2(const CoverageRect &rect, quint32 pixel)
{
    BlendCoverageScalar(rect, pixel);
}

void BlendCoverageAvx2(const CoverageRect &rect, quint32 pixel)
{
    BlendCoverageScalar(rect, pixel);
}

bool Avx2Available()
{
    return false;
}

void BlendCoverage(const CoverageRect &rect, quint32 pixel)
{
    BlendCoverageScalar(rect, pixel);
}
#endif

} // namespace zaz
