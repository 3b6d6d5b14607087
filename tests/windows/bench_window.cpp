// Figures of the desktop window (run by hand, not by the tests):
//   start-up is timed from outside (see bench/window_startup.sh);
//   Encrypt, Save Img, Open Img and Decrypt of a large 24-bit picture
//   through the real window, each step timed on its own;
//   how often the picture is scaled while the window is resized and painted.
// Usage: build/windows/bench_window [WIDTH HEIGHT]   (default 4000 3000)
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>
#include <random>

#include "stego/picture/bmp/bmp_codec.h"
#include "windows/picture_panel.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

namespace {

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Wall time, and processor time beside it: on a busy machine the wall time
// mostly measures the wait for a processor.
struct Timing {
  double wall;
  double cpu;
};

template <class Step>
Timing Measure(Step&& step) {
  QElapsedTimer timer;
  const double cpuStart = CpuSeconds();
  timer.start();
  step();
  return {static_cast<double>(timer.nsecsElapsed()) / 1e6, (CpuSeconds() - cpuStart) * 1e3};
}

void Print(const char* name, Timing timing) {
  std::printf("%-11s %8.1f ms wall %8.1f ms processor\n", name, timing.wall, timing.cpu);
}

// Times each step and adds it to Total.
template <class Step>
void Report(const char* name, Timing& total, Step&& step) {
  const Timing timing = Measure(step);
  Print(name, timing);
  total.wall += timing.wall;
  total.cpu += timing.cpu;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const int width = argc >= 3 ? std::atoi(argv[1]) : 4000;
  const int height = argc >= 3 ? std::atoi(argv[2]) : 3000;
  QTemporaryDir scratch;
  UseTemporarySettings(scratch);
  const std::string source = scratch.filePath(QStringLiteral("large.bmp")).toStdString();
  const std::string saved = scratch.filePath(QStringLiteral("hidden.bmp")).toStdString();
  WriteBmpFile(test::RandomPicture(width, height, PixelFormat::Bgr24, 7), source);
  std::string text;
  std::mt19937 generator(5);
  for (int i = 0; i < 10000; ++i) text += static_cast<char>('a' + generator() % 26);

  WindowUnderTest window;
  window.companions->Editor().ReplaceText(text);
  window.TypeKey(QStringLiteral("a key for the figures"));
  std::printf("picture %d x %d, text %zu characters\n", width, height, text.size());
  Timing total{};
  Report("Open Img", total, [&] { window.OpenPicture(source); });
  Report("Encrypt", total, [&] { window.Trigger("EncryptAction"); });
  window.dialogs.answers.push_back(saved);
  Report("Save Img", total, [&] { window.Trigger("SaveImageAction"); });
  window.companions->Editor().ReplaceText("");
  Report("Open saved", total, [&] { window.OpenPicture(saved); });
  Report("Decrypt", total, [&] { window.Trigger("DecryptAction"); });
  Print("Round trip", total);
  std::printf("text back: %s\n", window.EditorText() == text ? "yes" : "NO");

  PicturePanel& panel = window.form.OriginalPanel();
  const int before = panel.ScalingCount();
  const Timing resizing = Measure([&] {
    for (int step = 0; step < 10; ++step) {
      window.form.resize(700 + 20 * step, 648 + 10 * step);
      QApplication::processEvents();
      panel.repaint();
      panel.repaint();
    }
  });
  std::printf("10 resizes with 20 repaints: %d scalings, %.1f ms (%.1f ms processor) per resize\n",
              panel.ScalingCount() - before, resizing.wall / 10, resizing.cpu / 10);
  return 0;
}
