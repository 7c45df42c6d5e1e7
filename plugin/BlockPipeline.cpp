#include "plugin/BlockPipeline.h"

#include <algorithm>
#include <cfloat>
#include <emmintrin.h>

// Why the block is shaped this way. Per frame the work holds two serial chains: the envelope, whose
// every value needs the last one, and the five holds, each decaying from its last value. The rest (the
// detector, the square root and division of the gain law, the gains, the outputs) depends on nothing
// carried from frame to frame. A plain frame loop issues all of that between the links of the chains
// and runs at the pace of its instruction count. Here the block goes through stack buffers in chunks:
// packed passes take the detector of one chunk and the gains of the chunk before it, two doubles or four
// floats per register (which gives exactly the bits of the scalar operations), and then one loop runs
// the envelope of the newer chunk beside the holds of the older one, so that the two chains overlap.
// Neither chain carries a select:
// - the envelope takes its next value with both coefficients and keeps the larger one (the smaller one
//   when the attack is the slower): rounding being monotonic, that is exactly the one the law picks.
//   A chunk with a non-finite detector level, rare, goes through the law with its guard instead;
// - the holds decay two to a register, and one test per frame shows that no hold takes a new peak; the
//   rare frame where one may goes through the whole rule.

namespace {

constexpr int32_t kChunkFrames = 32; // a whole number of packed groups
constexpr int32_t kGroupFrames = 4;  // frames per register of floats

// One chunk of the block on its way through the stages.
struct alignas(16) Chunk {
    float left[kChunkFrames];
    float right[kChunkFrames];
    float outLeft[kChunkFrames]; // accumulating: what the outputs held; then what they get
    float outRight[kChunkFrames];
    double level[kChunkFrames];
    double envelope[kChunkFrames];
    float gain[kChunkFrames];
    float reduction[kChunkFrames];
    float peaks[kChunkFrames][4]; // per frame what the holds see: input left, right, output left, right
    int32_t frames;               // those of the block; the rest repeat the last one
    bool finite;                  // every detector level is a finite number
};

// The holds in the low lanes of three registers, the other lanes zero.
struct HoldPairs {
    __m128 inputs;    // left, right
    __m128 outputs;   // left, right
    __m128 reduction; // gain reduction
};

// The settings in the form the stages use them.
struct Constants {
    double attack;
    double release;
    bool attackNotSlower;
    __m128d detectorGain;
    __m128d threshold;
    __m128 outputGain;
    __m128d decay;
};

// ---- Moving frames between the host's buffers and a chunk ------------------------------------------

// A chunk shorter than kChunkFrames is filled up with its last frame, so that every stage can run on
// whole groups and the spare frames add no non-finite level of their own.
void copyIn(float* chunk, const float* from, int32_t frames) {
    int32_t i = 0;
    for (; i + kGroupFrames <= frames; i += kGroupFrames)
        _mm_store_ps(chunk + i, _mm_loadu_ps(from + i));
    for (; i < frames; ++i)
        chunk[i] = from[i];
    for (; i < kChunkFrames; ++i)
        chunk[i] = from[frames - 1];
}

void copyOut(float* to, const float* chunk, int32_t frames) {
    int32_t i = 0;
    for (; i + kGroupFrames <= frames; i += kGroupFrames)
        _mm_storeu_ps(to + i, _mm_load_ps(chunk + i));
    for (; i < frames; ++i)
        to[i] = chunk[i];
}

// The inputs are copied before any output of the chunk is written, so in-place buffers read the input.
template <bool accumulate>
void load(Chunk& chunk, const float* const* inputs, float* const* outputs, int32_t start, int32_t frames) {
    chunk.frames = frames;
    copyIn(chunk.left, inputs[0] + start, frames);
    copyIn(chunk.right, inputs[1] + start, frames);
    if constexpr (accumulate) {
        copyIn(chunk.outLeft, outputs[0] + start, frames);
        copyIn(chunk.outRight, outputs[1] + start, frames);
    }
}

void store(const Chunk& chunk, float* const* outputs, int32_t start) {
    copyOut(outputs[0] + start, chunk.outLeft, chunk.frames);
    copyOut(outputs[1] + start, chunk.outRight, chunk.frames);
}

// ---- Detector: the level of the scaled mid signal, two frames per register ---------------------------

__m128d midLevel(__m128 left, __m128 right, const Constants& constants) {
    const __m128d sum = _mm_add_pd(_mm_cvtps_pd(left), _mm_cvtps_pd(right));
    const __m128d mid = _mm_add_pd(_mm_mul_pd(sum, _mm_set1_pd(0.5)), _mm_set1_pd(double(1e-24f)));
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
    return _mm_and_pd(_mm_mul_pd(mid, constants.detectorGain), magnitude);
}

void detect(Chunk& chunk, const Constants& constants) {
    __m128d finite = _mm_castsi128_pd(_mm_set1_epi32(-1));
    for (int32_t i = 0; i < kChunkFrames; i += kGroupFrames) {
        const __m128 left = _mm_load_ps(chunk.left + i);
        const __m128 right = _mm_load_ps(chunk.right + i);
        const __m128d low = midLevel(left, right, constants);
        const __m128d high = midLevel(_mm_movehl_ps(left, left), _mm_movehl_ps(right, right), constants);
        _mm_store_pd(chunk.level + i, low);
        _mm_store_pd(chunk.level + i + 2, high);
        const __m128d largest = _mm_set1_pd(DBL_MAX);
        finite = _mm_and_pd(finite, _mm_and_pd(_mm_cmple_pd(low, largest), _mm_cmple_pd(high, largest)));
    }
    chunk.finite = _mm_movemask_pd(finite) == 3;
}

// ---- Gain law, outputs and what the holds will see, four frames per register -------------------------

// threshold / sqrt(envelope) capped at 1; a quotient that is not a number (0 / 0) reads 1.
__m128d cappedGain(const double* envelope, const Constants& constants) {
    const __m128d quotient = _mm_div_pd(constants.threshold, _mm_sqrt_pd(_mm_load_pd(envelope)));
    return _mm_min_pd(quotient, _mm_set1_pd(1.0));
}

template <bool accumulate> void applyGains(Chunk& chunk, const Constants& constants) {
    for (int32_t i = 0; i < kChunkFrames; i += kGroupFrames) {
        const __m128 gain = _mm_movelh_ps(_mm_cvtpd_ps(cappedGain(chunk.envelope + i, constants)),
                                          _mm_cvtpd_ps(cappedGain(chunk.envelope + i + 2, constants)));
        _mm_store_ps(chunk.gain + i, gain);
        _mm_store_ps(chunk.reduction + i, _mm_sub_ps(_mm_set1_ps(1.0f), gain));
        __m128 left = _mm_load_ps(chunk.left + i);
        __m128 right = _mm_load_ps(chunk.right + i);
        __m128 outLeft = _mm_mul_ps(_mm_mul_ps(gain, left), constants.outputGain);
        __m128 outRight = _mm_mul_ps(_mm_mul_ps(gain, right), constants.outputGain);
        if constexpr (accumulate) {
            outLeft = _mm_add_ps(outLeft, _mm_load_ps(chunk.outLeft + i));
            outRight = _mm_add_ps(outRight, _mm_load_ps(chunk.outRight + i));
        }
        _mm_store_ps(chunk.outLeft + i, outLeft);
        _mm_store_ps(chunk.outRight + i, outRight);
        _MM_TRANSPOSE4_PS(left, right, outLeft, outRight);
        _mm_store_ps(chunk.peaks[i], left);
        _mm_store_ps(chunk.peaks[i + 1], right);
        _mm_store_ps(chunk.peaks[i + 2], outLeft);
        _mm_store_ps(chunk.peaks[i + 3], outRight);
    }
}

// ---- The envelope chain ----------------------------------------------------------------------------

// The law's coefficient is the attack when the level rises above the envelope, the release otherwise.
// Rising, the faster coefficient gives the larger value; falling, the slower one does: so with the attack
// not slower the law's value is the larger of the two, and with the attack slower the smaller.
template <bool attackNotSlower>
[[gnu::always_inline]] inline double followLevel(double envelope, double level, const Constants& constants) {
    const double step = envelope - level;
    const double byAttack = level + step * constants.attack;
    const double byRelease = level + step * constants.release;
    return attackNotSlower ? std::max(byAttack, byRelease) : std::min(byAttack, byRelease);
}

// A level that is not a finite number would stay in the envelope for good; such a frame keeps it.
[[gnu::always_inline]] inline double followGuarded(double envelope, double level,
                                                   const Constants& constants) {
    if (!(level <= DBL_MAX)) return envelope;
    return constants.attackNotSlower ? followLevel<true>(envelope, level, constants)
                                     : followLevel<false>(envelope, level, constants);
}

// ---- The hold chains -------------------------------------------------------------------------------

[[gnu::always_inline]] inline __m128 decayed(__m128 holds, __m128d decay) {
    return _mm_cvtpd_ps(_mm_mul_pd(_mm_cvtps_pd(holds), decay));
}

// The whole rule: a hold rises to a larger finite sample and otherwise decays.
[[gnu::always_inline]] inline __m128 risenOrDecayed(__m128 holds, __m128 samples, __m128 decayedHolds) {
    const __m128 rises =
        _mm_and_ps(_mm_cmplt_ps(holds, samples), _mm_cmple_ps(samples, _mm_set1_ps(FLT_MAX)));
    return _mm_or_ps(_mm_and_ps(rises, samples), _mm_andnot_ps(rises, decayedHolds));
}

// The test comes first and the common case computes nothing else, which keeps few registers busy.
[[gnu::always_inline]] inline void followPeaks(HoldPairs& holds, const Chunk& chunk, int32_t frame,
                                               const Constants& constants) {
    const __m128 seen = _mm_load_ps(chunk.peaks[frame]);
    const __m128 reductionSeen = _mm_load_ss(chunk.reduction + frame);
    const __m128 above = _mm_or_ps(_mm_cmplt_ps(_mm_movelh_ps(holds.inputs, holds.outputs), seen),
                                   _mm_cmplt_ss(holds.reduction, reductionSeen));
    if (__builtin_expect(_mm_movemask_ps(above) != 0, 0)) {
        holds.inputs = risenOrDecayed(holds.inputs, seen, decayed(holds.inputs, constants.decay));
        holds.outputs =
            risenOrDecayed(holds.outputs, _mm_movehl_ps(seen, seen), decayed(holds.outputs, constants.decay));
        holds.reduction =
            risenOrDecayed(holds.reduction, reductionSeen, decayed(holds.reduction, constants.decay));
    } else {
        holds.inputs = decayed(holds.inputs, constants.decay);
        holds.outputs = decayed(holds.outputs, constants.decay);
        holds.reduction = decayed(holds.reduction, constants.decay);
    }
}

// ---- The two chains side by side -------------------------------------------------------------------

// Each loop keeps its chains in locals, so that they stay in registers rather than go through memory.
template <bool attackNotSlower>
void followBoth(Chunk& newer, double& envelope, const Chunk& older, HoldPairs& holds,
                const Constants& constants) {
    double value = envelope;
    HoldPairs levels = holds;
    for (int32_t i = 0; i < kChunkFrames; ++i) {
        value = followLevel<attackNotSlower>(value, newer.level[i], constants);
        newer.envelope[i] = value;
        followPeaks(levels, older, i, constants);
    }
    envelope = value;
    holds = levels;
}

template <bool attackNotSlower>
void followEnvelope(Chunk& chunk, double& envelope, const Constants& constants) {
    double value = envelope;
    for (int32_t i = 0; i < kChunkFrames; ++i)
        chunk.envelope[i] = value = followLevel<attackNotSlower>(value, chunk.level[i], constants);
    envelope = value;
}

void followEnvelopeGuarded(Chunk& chunk, double& envelope, const Constants& constants) {
    double value = envelope;
    for (int32_t i = 0; i < kChunkFrames; ++i)
        chunk.envelope[i] = value = followGuarded(value, chunk.level[i], constants);
    envelope = value;
}

void followHolds(const Chunk& chunk, HoldPairs& holds, const Constants& constants) {
    HoldPairs levels = holds;
    for (int32_t i = 0; i < chunk.frames; ++i)
        followPeaks(levels, chunk, i, constants);
    holds = levels;
}

// The newer chunk's envelope (if any) and the older chunk's holds (if any), together where both are
// there and the newer one's levels are all finite.
void followChains(Chunk* newer, double& envelope, const Chunk* older, HoldPairs& holds,
                  const Constants& constants) {
    if (newer && older && newer->finite) {
        if (constants.attackNotSlower)
            followBoth<true>(*newer, envelope, *older, holds, constants);
        else
            followBoth<false>(*newer, envelope, *older, holds, constants);
    } else {
        if (newer && newer->finite && constants.attackNotSlower)
            followEnvelope<true>(*newer, envelope, constants);
        else if (newer && newer->finite)
            followEnvelope<false>(*newer, envelope, constants);
        else if (newer)
            followEnvelopeGuarded(*newer, envelope, constants);
        if (older) followHolds(*older, holds, constants);
    }
    // The spare frames of a short chunk ran on; the envelope is that of its last frame of the block.
    if (newer) envelope = newer->envelope[newer->frames - 1];
}

// ---- The block -------------------------------------------------------------------------------------

Constants constantsOf(const BlockSettings& settings) {
    return {settings.gain.attack(),
            settings.gain.release(),
            settings.gain.attack() <= settings.gain.release(),
            _mm_set1_pd(double(settings.gain.detectorGain)),
            _mm_set1_pd(double(settings.gain.threshold)),
            _mm_set1_ps(settings.outputGain),
            _mm_set1_pd(settings.meterDecay)};
}

HoldPairs pairsOf(const MeterHolds& holds) {
    return {_mm_setr_ps(holds.inputLeft, holds.inputRight, 0.0f, 0.0f),
            _mm_setr_ps(holds.outputLeft, holds.outputRight, 0.0f, 0.0f), _mm_set_ss(holds.gainReduction)};
}

MeterHolds holdsOf(const HoldPairs& pairs) {
    return {_mm_cvtss_f32(pairs.reduction), _mm_cvtss_f32(pairs.inputs),
            _mm_cvtss_f32(_mm_shuffle_ps(pairs.inputs, pairs.inputs, 1)), _mm_cvtss_f32(pairs.outputs),
            _mm_cvtss_f32(_mm_shuffle_ps(pairs.outputs, pairs.outputs, 1))};
}

// Pass n takes chunk n into the buffers and follows its envelope, and takes chunk n - 1 through the gains,
// the holds and out to the host.
template <bool accumulate>
void runBlock(const Constants& constants, BlockState& state, const float* const* inputs,
              float* const* outputs, int32_t frames) {
    Chunk chunks[2];
    double envelope = state.envelope;
    HoldPairs holds = pairsOf(state.holds);
    const int32_t chunkCount = (frames + kChunkFrames - 1) / kChunkFrames;
    for (int32_t n = 0; n <= chunkCount; ++n) {
        Chunk* newer = n < chunkCount ? &chunks[n % 2] : nullptr;
        Chunk* older = n > 0 ? &chunks[(n - 1) % 2] : nullptr;
        if (newer) {
            const int32_t start = n * kChunkFrames;
            load<accumulate>(*newer, inputs, outputs, start, std::min(kChunkFrames, frames - start));
            detect(*newer, constants);
        }
        if (older) applyGains<accumulate>(*older, constants);
        followChains(newer, envelope, older, holds, constants);
        if (older) store(*older, outputs, (n - 1) * kChunkFrames);
    }
    const Chunk& last = chunks[(chunkCount - 1) % 2];
    state.envelope = envelope;
    state.lastGain = last.gain[last.frames - 1];
    state.holds = holdsOf(holds);
}

} // namespace

void processStereoBlock(const BlockSettings& settings, BlockState& state, const float* const* inputs,
                        float* const* outputs, int32_t frames, bool replace) {
    const Constants constants = constantsOf(settings);
    if (replace)
        runBlock<false>(constants, state, inputs, outputs, frames);
    else
        runBlock<true>(constants, state, inputs, outputs, frames);
}
