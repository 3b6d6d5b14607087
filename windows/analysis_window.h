#pragma once
// The analysis report of a picture panel's picture: a small window with the
// detectors' findings in the words and figures `hushlake-cli analyze` prints,
// opened from the panel's context menu. It shows a report made when it
// opened; it keeps no picture.
#include <QDialog>
#include <QString>

#include "stego/analysis/analysis.h"

class QPlainTextEdit;

namespace hushlake {

class AnalysisWindow : public QDialog {
  Q_OBJECT
 public:
  // Name heads the report ("Original picture", "Result picture").
  AnalysisWindow(const QString& name, const analysis::PictureAnalysis& analysis,
                 QWidget* parent = nullptr);
  QString ReportText() const;

 private:
  QPlainTextEdit* text_ = nullptr;
};

// The line under the result panel: "Result: " and the verdict.
QString VerdictLine(const analysis::PictureAnalysis& analysis);

}  // namespace hushlake
