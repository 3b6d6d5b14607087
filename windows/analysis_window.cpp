#include "windows/analysis_window.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/analysis_report.h"

namespace hushlake {

AnalysisWindow::AnalysisWindow(const QString& name, const analysis::PictureAnalysis& analysis,
                               QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("AnalysisWindow"));
  setWindowTitle(QStringLiteral("Analysis Report"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("AnalysisText"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setPlainText(QString::fromStdString(hushlake::ReportText(name.toStdString(), analysis)));
  layout->addWidget(text_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  // Wide and tall enough for the whole report, as far as the screen allows:
  // a line cut at the edge hides the figure at its end.
  const QFontMetrics metrics(text_->font());
  int widest = 0;
  const QStringList lines = text_->toPlainText().split(QLatin1Char('\n'));
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int frame =
      2 * (text_->frameWidth() + static_cast<int>(text_->document()->documentMargin()));
  const int scrollBar = text_->verticalScrollBar()->sizeHint().width();
  const QMargins margins = layout->contentsMargins();
  QSize size(widest + frame + scrollBar + margins.left() + margins.right() +
                 4 * metrics.averageCharWidth(),
             metrics.lineSpacing() * (static_cast<int>(lines.size()) + 2) + frame +
                 buttons->sizeHint().height() + layout->spacing() + margins.top() +
                 margins.bottom());
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size());
  resize(size);
}

QString AnalysisWindow::ReportText() const { return text_->toPlainText(); }

QString VerdictLine(const analysis::PictureAnalysis& analysis) {
  return QStringLiteral("Result: ") + QString::fromStdString(analysis.verdict.text);
}

}  // namespace hushlake
