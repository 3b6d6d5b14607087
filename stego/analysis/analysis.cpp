#include "stego/analysis/analysis.h"

#include "stego/analysis/colour_plane.h"
#include "stego/analysis/rs_analysis.h"
#include "stego/analysis/sample_pair.h"
#include "stego/analysis/weighted_stego.h"

namespace hushlake::analysis {

PictureAnalysis AnalyzePicture(const PixelView& view) {
  PictureAnalysis analysis;
  analysis.width = view.Width();
  analysis.height = view.Height();
  analysis.format = view.Format();
  const std::vector<ColourPlane> planes = ColourPlanesOf(view);
  for (std::size_t c = 0; c < planes.size(); ++c) {
    ReplacedRates& rates = analysis.channels[c];
    rates.samplePairs = SamplePairRate(planes[c]);
    rates.rs = RsRate(planes[c]);
    rates.weightedStego = WeightedStegoRate(planes[c]);
    analysis.rates.samplePairs += rates.samplePairs / 3.0;
    analysis.rates.rs += rates.rs / 3.0;
    analysis.rates.weightedStego += rates.weightedStego / 3.0;
  }
  analysis.chiSquare = ChiSquareAttack(view);
  analysis.lowBits = MeasureLowBitPlanes(view);
  analysis.jpeg = DetectJpegHistory(view);
  analysis.palette = FindPaletteTells(view);
  analysis.verdict = JudgeAnalysis(analysis);
  return analysis;
}

PictureAnalysis AnalyzePicture(const Picture& picture) {
  return AnalyzePicture(PixelView::Of(picture));
}

}  // namespace hushlake::analysis
