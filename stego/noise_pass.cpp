#include "stego/noise_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "stego/random_source.h"

namespace hushlake {

namespace {

// A draw of 2 is a move of 0, which never changes a byte.
constexpr std::uint8_t NeutralDraw = 2;
// Independent draw streams interleaved to keep the multiplier busy.
constexpr std::size_t Lanes = 4;

inline std::uint8_t DrawFromState(std::uint32_t state) {
  return static_cast<std::uint8_t>((std::uint64_t{5} * state) >> 32);
}

inline std::uint8_t Nudge(std::uint8_t byte, std::uint8_t draw) {
  const int moved = byte + draw - 2;
  return static_cast<unsigned>(moved) <= 254u ? static_cast<std::uint8_t>(moved) : byte;
}

// The draws of one row, sorted by the byte they land on: Earlier[o] is applied
// before Later[o]. Step t draws for bytes 2t, 2t + 1 and 2t + 2, so the even
// byte 2t + 2 gets its third draw before the first draw of step t + 1.
class RowDraws {
 public:
  explicit RowDraws(std::size_t steps)
      : steps_(steps),
        earlier_(2 * steps + 2 * Lanes + 3, NeutralDraw),
        later_(earlier_.size(), NeutralDraw),
        laneJump_(RandomJumpOf(3 * Lanes)),
        stepJump_(RandomJumpOf(3)),
        oneJump_(RandomJumpOf(1)),
        twoJump_(RandomJumpOf(2)) {}

  // Fills the draws of a row whose first draw advances from State.
  void Fill(std::uint32_t state) {
    std::uint32_t lane[Lanes];
    lane[0] = oneJump_(state);
    for (std::size_t l = 1; l < Lanes; ++l) lane[l] = stepJump_(lane[l - 1]);
    std::uint8_t* earlier = earlier_.data();
    std::uint8_t* later = later_.data();
    // Runs up to Lanes - 1 steps past the row; those land in the padding.
    for (std::size_t t0 = 0; t0 < steps_; t0 += Lanes) {
      for (std::size_t l = 0; l < Lanes; ++l) {
        const std::size_t t = t0 + l;
        const std::uint32_t u = lane[l];
        later[2 * t] = DrawFromState(u);
        later[2 * t + 1] = DrawFromState(oneJump_(u));
        earlier[2 * t + 2] = DrawFromState(twoJump_(u));
        lane[l] = laneJump_(u);
      }
    }
    // The last visited byte 2 * steps gets only the third draw of the last step.
    later[2 * steps_] = NeutralDraw;
  }

  void Apply(std::uint8_t* row, std::size_t limit) const {
    const std::uint8_t* earlier = earlier_.data();
    const std::uint8_t* later = later_.data();
    for (std::size_t o = 0; o < limit; ++o) row[o] = Nudge(Nudge(row[o], earlier[o]), later[o]);
  }

 private:
  std::size_t steps_;
  std::vector<std::uint8_t> earlier_;  // odd offsets and offset 0 stay neutral
  std::vector<std::uint8_t> later_;
  RandomJump laneJump_, stepJump_, oneJump_, twoJump_;
};

}  // namespace

void AddNoise(Picture& picture) {
  if (picture.Empty()) return;
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  const std::size_t steps = (3 * width + 1) / 2;  // j = 0, 2, ... while j < 3W
  // Visited offsets run to 2 * steps; only those inside the row are touched.
  const std::size_t limit = std::min(picture.RowBytes(), 2 * steps + 1);
  const RandomJump rowJump = RandomJumpOf(3 * steps);
  RowDraws draws(steps);
  std::uint32_t state = RandomSeed();
  for (int y = 0; y < picture.Height(); ++y) {
    draws.Fill(state);
    draws.Apply(picture.Row(y), limit);
    state = rowJump(state);
  }
  SetRandomSeed(state);
}

}  // namespace hushlake
