#include "windows/analysis_window.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

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
  // Wide enough for the longest line of the report, as far as the screen allows.
  const QFontMetrics metrics(text_->font());
  QSize size(metrics.horizontalAdvance(QLatin1Char('m')) * 128, metrics.lineSpacing() * 24);
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size());
  resize(size);
}

QString AnalysisWindow::ReportText() const { return text_->toPlainText(); }

QString VerdictLine(const analysis::PictureAnalysis& analysis) {
  return QStringLiteral("Result: ") + QString::fromStdString(analysis.verdict.text);
}

}  // namespace hushlake
