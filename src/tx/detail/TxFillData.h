#pragma once
// The gradient ramps and the brushed-texture data the utilities keep between calls; started and
// ended with the utilities.

namespace tx::detail {

// Eight random profiles and the two row tables of the brushed texture (a fixed seed, so the
// texture is the same in every run).
void GenerateBrushedProfiles();
void FreeFillData();
// Number of ramps and brushed entries in the caches (for tests).
int GradientRampCount();
int BrushedCacheCount();

}  // namespace tx::detail
