#include "plugin/BlockPipeline.h"

#include <algorithm>
#include <cfloat>
#include <emmintrin.h>

// Why the block is shaped this way. Per frame the work holds two serial chains: the envelope, whose
// every value needs the last one, and the five holds, each decaying from its last value. The rest (the
// detector, the square root and division of the gain law, the gains, the outputs) depends on nothing
// carried from frame to frame. A plain frame loop issues all of that between the links of the chains
// and runs at the pace of its instruction count. Here the block goes through stack buffers in chunks,
// and one loop takes each chunk through its first stages (detector and envelope) while it takes the
// chunk before through its last ones (gains, outputs and holds). The packed stages work on two doubles or
// four floats per register, which gives exactly the bits of the scalar operations, and fill the time in
// which the two chains, now independent of each other, wait on their own latency. Neither chain carries
// a select:
// - the envelope takes its next value with both coefficients and keeps the larger one (the smaller one
//   when the attack is the slower): rounding being monotonic, that is exactly the one the law picks.
//   A chunk with a non-finite detector level, rare, follows its envelope again by the guarded law;
// - the holds decay two to a register. One test per group of four frames shows that no input or output
//   hold takes a new peak, and a group where one may goes frame by frame through the whole rule; the
//   gain-reduction hold, whose rises follow a pattern, has a branch of its own at every frame.

namespace {

constexpr int32_t kChunkFrames = 32; // a whole number of packed groups
constexpr int32_t kGroupFrames = 4;  // frames per register of floats

// One chunk of the block on its way through the stages.
struct alignas(16) Chunk {
    // Where the stages read the inputs and write the outputs: the host's buffers for a whole chunk, the
    // spare arrays for the short last one.
    const float* left;
    const float* right;
    float* outLeft; // accumulating: what the outputs held is read from here first
    float* outRight;
    float spareLeft[kChunkFrames];
    float spareRight[kChunkFrames];
    float spareOutLeft[kChunkFrames];
    float spareOutRight[kChunkFrames];
    double level[kChunkFrames];
    double envelope[kChunkFrames];
    float reduction[kChunkFrames];
    float peaks[kChunkFrames][4]; // per frame what the holds see: input left, right, output left, right
    int32_t frames;               // those of the block; a short chunk's spare frames repeat its last one
};

// The holds in the low lanes of three registers; the other lanes carry nothing that is used.
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

// ---- The chunk's frames -------------------------------------------------------------------------

// The short last chunk is filled up with its last frame, so that every stage can run on whole groups and
// the spare frames add no non-finite level of their own.
void copyIn(float* spare, const float* from, int32_t frames) {
    for (int32_t i = 0; i < kChunkFrames; ++i)
        spare[i] = from[std::min(i, frames - 1)];
}

void copyOut(float* to, const float* spare, int32_t frames) {
    for (int32_t i = 0; i < frames; ++i)
        to[i] = spare[i];
}

// A whole chunk works on the host's buffers. The stages read a chunk's inputs before they write its
// outputs, and the holds read copies of both, so in-place buffers give the same result.
template <bool accumulate>
void load(Chunk& chunk, const float* const* inputs, float* const* outputs, int32_t start, int32_t frames) {
    chunk.frames = frames;
    if (frames == kChunkFrames) {
        chunk.left = inputs[0] + start;
        chunk.right = inputs[1] + start;
        chunk.outLeft = outputs[0] + start;
        chunk.outRight = outputs[1] + start;
        return;
    }
    copyIn(chunk.spareLeft, inputs[0] + start, frames);
    copyIn(chunk.spareRight, inputs[1] + start, frames);
    if constexpr (accumulate) {
        copyIn(chunk.spareOutLeft, outputs[0] + start, frames);
        copyIn(chunk.spareOutRight, outputs[1] + start, frames);
    }
    chunk.left = chunk.spareLeft;
    chunk.right = chunk.spareRight;
    chunk.outLeft = chunk.spareOutLeft;
    chunk.outRight = chunk.spareOutRight;
}

void store(const Chunk& chunk, float* const* outputs, int32_t start) {
    if (chunk.frames == kChunkFrames) return;
    copyOut(outputs[0] + start, chunk.spareOutLeft, chunk.frames);
    copyOut(outputs[1] + start, chunk.spareOutRight, chunk.frames);
}

// ---- Detector: the level of the scaled mid signal, two frames per register ---------------------------

[[gnu::always_inline]] inline __m128d midLevel(__m128 left, __m128 right, const Constants& constants) {
    const __m128d sum = _mm_add_pd(_mm_cvtps_pd(left), _mm_cvtps_pd(right));
    const __m128d mid = _mm_add_pd(_mm_mul_pd(sum, _mm_set1_pd(0.5)), _mm_set1_pd(double(1e-24f)));
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
    return _mm_and_pd(_mm_mul_pd(mid, constants.detectorGain), magnitude);
}

// Answers the lanes of the group's levels that are finite numbers.
[[gnu::always_inline]] inline __m128d detect(Chunk& chunk, int32_t i, const Constants& constants) {
    const __m128 left = _mm_loadu_ps(chunk.left + i);
    const __m128 right = _mm_loadu_ps(chunk.right + i);
    const __m128d low = midLevel(left, right, constants);
    const __m128d high = midLevel(_mm_movehl_ps(left, left), _mm_movehl_ps(right, right), constants);
    _mm_store_pd(chunk.level + i, low);
    _mm_store_pd(chunk.level + i + 2, high);
    const __m128d largest = _mm_set1_pd(DBL_MAX);
    return _mm_and_pd(_mm_cmple_pd(low, largest), _mm_cmple_pd(high, largest));
}

// ---- Gain law, outputs and what the holds will see, four frames per register -------------------------

// threshold / sqrt(envelope) capped at 1; a quotient that is not a number (0 / 0) reads 1.
[[gnu::always_inline]] inline __m128d cappedGain(__m128d envelope, const Constants& constants) {
    const __m128d quotient = _mm_div_pd(constants.threshold, _mm_sqrt_pd(envelope));
    return _mm_min_pd(quotient, _mm_set1_pd(1.0));
}

template <bool accumulate>
[[gnu::always_inline]] inline void applyGains(Chunk& chunk, int32_t i, const Constants& constants) {
    const __m128 gain =
        _mm_movelh_ps(_mm_cvtpd_ps(cappedGain(_mm_load_pd(chunk.envelope + i), constants)),
                      _mm_cvtpd_ps(cappedGain(_mm_load_pd(chunk.envelope + i + 2), constants)));
    _mm_store_ps(chunk.reduction + i, _mm_sub_ps(_mm_set1_ps(1.0f), gain));
    __m128 left = _mm_loadu_ps(chunk.left + i);
    __m128 right = _mm_loadu_ps(chunk.right + i);
    __m128 outLeft = _mm_mul_ps(_mm_mul_ps(gain, left), constants.outputGain);
    __m128 outRight = _mm_mul_ps(_mm_mul_ps(gain, right), constants.outputGain);
    if constexpr (accumulate) {
        outLeft = _mm_add_ps(outLeft, _mm_loadu_ps(chunk.outLeft + i));
        outRight = _mm_add_ps(outRight, _mm_loadu_ps(chunk.outRight + i));
    }
    _mm_storeu_ps(chunk.outLeft + i, outLeft);
    _mm_storeu_ps(chunk.outRight + i, outRight);
    _MM_TRANSPOSE4_PS(left, right, outLeft, outRight);
    _mm_store_ps(chunk.peaks[i], left);
    _mm_store_ps(chunk.peaks[i + 1], right);
    _mm_store_ps(chunk.peaks[i + 2], outLeft);
    _mm_store_ps(chunk.peaks[i + 3], outRight);
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

// The gain-reduction hold of one frame through the whole rule.
[[gnu::always_inline]] inline __m128 followReduction(__m128 hold, const float* sample, __m128d decay) {
    return risenOrDecayed(hold, _mm_load_ss(sample), decayed(hold, decay));
}

// The input and output holds of one frame through the whole rule.
[[gnu::always_inline]] inline void followSamples(HoldPairs& holds, const Chunk& chunk, int32_t frame,
                                                 __m128d decay) {
    const __m128 seen = _mm_load_ps(chunk.peaks[frame]);
    holds.inputs = risenOrDecayed(holds.inputs, seen, decayed(holds.inputs, decay));
    holds.outputs = risenOrDecayed(holds.outputs, _mm_movehl_ps(seen, seen), decayed(holds.outputs, decay));
}

// The gain-reduction hold of one frame: a branch, not a select on its chain. While the envelope falls
// more slowly than the hold decays it rises at every other frame, a pattern a branch predictor learns.
[[gnu::always_inline]] inline __m128 followReductionBranching(__m128 hold, const float* sample,
                                                              __m128d decay) {
    const __m128 seen = _mm_load_ss(sample);
    if (__builtin_expect(_mm_movemask_ps(_mm_cmplt_ss(hold, seen)) != 0, 0))
        return risenOrDecayed(hold, seen, decayed(hold, decay));
    return decayed(hold, decay);
}

// A group of frames through the input and output holds. Without a new peak they only decay, so none rises
// in the group when no sample exceeds the holds as they are before the group's last frame, the lowest
// they get (a sample that is not a number fails that test too); a group where one may goes frame by frame
// through the whole rule.
[[gnu::always_inline]] inline void followPeakGroup(HoldPairs& holds, const Chunk& chunk, int32_t i,
                                                   const Constants& constants) {
#pragma GCC unroll 4
    for (int32_t frame = i; frame < i + kGroupFrames; ++frame)
        holds.reduction = followReductionBranching(holds.reduction, chunk.reduction + frame, constants.decay);
    __m128 lowInputs = holds.inputs, lowOutputs = holds.outputs;
#pragma GCC unroll 3
    for (int32_t frame = 0; frame < kGroupFrames - 1; ++frame) {
        lowInputs = decayed(lowInputs, constants.decay);
        lowOutputs = decayed(lowOutputs, constants.decay);
    }
    const __m128 lowest = _mm_movelh_ps(lowInputs, lowOutputs);
    __m128 above = _mm_setzero_ps();
#pragma GCC unroll 4
    for (int32_t frame = i; frame < i + kGroupFrames; ++frame)
        above = _mm_or_ps(above, _mm_cmpnle_ps(_mm_load_ps(chunk.peaks[frame]), lowest));
    if (__builtin_expect(_mm_movemask_ps(above) != 0, 0)) {
        for (int32_t frame = i; frame < i + kGroupFrames; ++frame)
            followSamples(holds, chunk, frame, constants.decay);
    } else {
        holds.inputs = decayed(lowInputs, constants.decay);
        holds.outputs = decayed(lowOutputs, constants.decay);
    }
}

// ---- The passes -----------------------------------------------------------------------------------
// Each keeps its chains in locals, so that they stay in registers rather than go through memory.

template <bool attackNotSlower>
[[gnu::always_inline]] inline void followGroup(Chunk& chunk, int32_t i, double& envelope,
                                               const Constants& constants) {
#pragma GCC unroll 4
    for (int32_t frame = i; frame < i + kGroupFrames; ++frame)
        chunk.envelope[frame] = envelope =
            followLevel<attackNotSlower>(envelope, chunk.level[frame], constants);
}

// The envelope of the chunk's first frames again from its start, by the law with its guard.
void followGuarded(Chunk& chunk, double envelope, int32_t frames, const Constants& constants) {
    for (int32_t frame = 0; frame < frames; ++frame)
        chunk.envelope[frame] = envelope = followGuarded(envelope, chunk.level[frame], constants);
}

bool allFinite(__m128d lanes) { return _mm_movemask_pd(lanes) == 3; }

// The groups that hold the chunk's frames of the block: a chunk that runs alone skips the rest, which
// keeps short blocks short.
int32_t groupedFrames(const Chunk& chunk) {
    return (chunk.frames + kGroupFrames - 1) / kGroupFrames * kGroupFrames;
}

// The first chunk of the block, alone: detector and envelope.
template <bool attackNotSlower> void begin(Chunk& newer, double start, const Constants& constants) {
    __m128d finite = _mm_castsi128_pd(_mm_set1_epi32(-1));
    double envelope = start;
    for (int32_t i = 0; i < groupedFrames(newer); i += kGroupFrames) {
        finite = _mm_and_pd(finite, detect(newer, i, constants));
        followGroup<attackNotSlower>(newer, i, envelope, constants);
    }
    if (!allFinite(finite)) followGuarded(newer, start, groupedFrames(newer), constants);
}

// The last chunk of the block, alone: gains, outputs and holds, the latter for its frames only.
template <bool accumulate> void end(Chunk& older, HoldPairs& holds, const Constants& constants) {
    HoldPairs levels = holds;
    for (int32_t i = 0; i < groupedFrames(older); i += kGroupFrames)
        applyGains<accumulate>(older, i, constants);
    for (int32_t frame = 0; frame < older.frames; ++frame) {
        levels.reduction = followReduction(levels.reduction, older.reduction + frame, constants.decay);
        followSamples(levels, older, frame, constants.decay);
    }
    holds = levels;
}

// Both at once: the newer chunk's detector and envelope, the older (whole) chunk's gains, outputs and holds.
template <bool accumulate, bool attackNotSlower>
void overlap(Chunk& newer, double start, Chunk& older, HoldPairs& holds, const Constants& constants) {
    __m128d finite = _mm_castsi128_pd(_mm_set1_epi32(-1));
    double envelope = start;
    HoldPairs levels = holds;
    for (int32_t i = 0; i < kChunkFrames; i += kGroupFrames) {
        finite = _mm_and_pd(finite, detect(newer, i, constants));
        applyGains<accumulate>(older, i, constants);
        followGroup<attackNotSlower>(newer, i, envelope, constants);
        followPeakGroup(levels, older, i, constants);
    }
    holds = levels;
    if (!allFinite(finite)) followGuarded(newer, start, kChunkFrames, constants);
}

// Pass n takes chunk n through detector and envelope and chunk n - 1 through the rest and out to the host.
template <bool accumulate, bool attackNotSlower>
void runPasses(Chunk (&chunks)[2], BlockState& state, HoldPairs& holds, const float* const* inputs,
               float* const* outputs, int32_t frames, const Constants& constants) {
    const int32_t chunkCount = (frames + kChunkFrames - 1) / kChunkFrames;
    for (int32_t n = 0; n <= chunkCount; ++n) {
        Chunk* newer = n < chunkCount ? &chunks[n % 2] : nullptr;
        Chunk* older = n > 0 ? &chunks[(n - 1) % 2] : nullptr;
        if (newer) {
            const int32_t start = n * kChunkFrames;
            load<accumulate>(*newer, inputs, outputs, start, std::min(kChunkFrames, frames - start));
        }
        if (newer && older)
            overlap<accumulate, attackNotSlower>(*newer, state.envelope, *older, holds, constants);
        else if (newer)
            begin<attackNotSlower>(*newer, state.envelope, constants);
        else
            end<accumulate>(*older, holds, constants);
        // The spare frames of a short chunk ran on: the envelope is that of its last frame of the block.
        if (newer) state.envelope = newer->envelope[newer->frames - 1];
        if (older) store(*older, outputs, (n - 1) * kChunkFrames);
    }
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

template <bool accumulate>
void runBlock(const Constants& constants, BlockState& state, const float* const* inputs,
              float* const* outputs, int32_t frames) {
    Chunk chunks[2];
    HoldPairs holds = pairsOf(state.holds);
    if (constants.attackNotSlower)
        runPasses<accumulate, true>(chunks, state, holds, inputs, outputs, frames, constants);
    else
        runPasses<accumulate, false>(chunks, state, holds, inputs, outputs, frames, constants);
    state.lastGain = _mm_cvtss_f32(_mm_cvtpd_ps(cappedGain(_mm_set1_pd(state.envelope), constants)));
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
