// The detectors in the window: the verdict line under the result panel
// after Encrypt, the report window the panels' context menu opens, and the
// help text's account of what can and cannot be detected.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "analysis/analysis_pictures.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "windows/analysis_window.h"
#include "windows/help_text.h"
#include "windows/picture_panel.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

class AnalysisWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  std::string PhotoFile() {
    const std::string path = folder_.filePath(QStringLiteral("photo.bmp")).toStdString();
    WriteFile(path, WriteBmp(testing::PhotoLike(200, 150, 61, 1.5)));
    return path;
  }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    UseTemporarySettings(folder_);
  }

  void VerdictLineAppearsUnderTheResultPanelAfterEncrypt() {
    WindowUnderTest window;
    QLabel& verdict = window.form.ResultVerdict();
    QVERIFY(verdict.text().isEmpty());
    window.OpenPicture(PhotoFile());
    window.TypeText(QStringLiteral("meet me at the old mill at noon"));
    window.TypeKey(QStringLiteral("Correct Horse 42"));
    window.Trigger("EncryptAction");
    QCOMPARE(window.messages.shown.back(),
             (Message{"information", std::string(messages::EncryptDone)}));
    QVERIFY2(verdict.text().startsWith(QStringLiteral("Result: ")), qPrintable(verdict.text()));
    QVERIFY(verdict.text().size() > 10);
    QVERIFY(verdict.isVisible());

    // Under the result panel, and the two panels still equal halves.
    const PicturePanel& result = window.form.EncryptedPanel();
    const PicturePanel& original = window.form.OriginalPanel();
    QVERIFY(verdict.geometry().top() >= result.geometry().bottom());
    QCOMPARE(verdict.geometry().left(), result.geometry().left());
    QCOMPARE(original.width(), result.width());
    QCOMPARE(original.height(), result.height());

    // The verdict is the one on the picture the result panel shows.
    QCOMPARE(verdict.text(),
             VerdictLine(analysis::AnalyzePicture(window.form.Logic().EncryptedImage())));
  }

  void ContextMenuOpensTheReportOfEachPanelsPicture() {
    WindowUnderTest window;
    for (PicturePanel* panel : {&window.form.OriginalPanel(), &window.form.EncryptedPanel()}) {
      QCOMPARE(panel->contextMenuPolicy(), Qt::CustomContextMenu);
      QVERIFY(window.form.OpenAnalysisReport(*panel) == nullptr);  // no picture yet
    }
    window.OpenPicture(PhotoFile());
    QVERIFY(window.form.OpenAnalysisReport(window.form.EncryptedPanel()) == nullptr);

    QWidget* opened = window.form.OpenAnalysisReport(window.form.OriginalPanel());
    QVERIFY(opened != nullptr);
    auto* report = qobject_cast<AnalysisWindow*>(opened);
    QVERIFY(report != nullptr);
    QCOMPARE(report->objectName(), QStringLiteral("AnalysisWindow"));
    QVERIFY(QTest::qWaitForWindowExposed(report));
    const QString text = report->ReportText();
    QVERIFY2(text.startsWith(QStringLiteral("Original picture: looks untouched\n")),
             qPrintable(text));
    for (const char* line : {"200 x 150 pixels, 24 bits", "    WS ", "  Chi-square: ", "  JPEG: "})
      QVERIFY2(text.contains(QString::fromLatin1(line)), line);
    auto* shown = report->findChild<QPlainTextEdit*>(QStringLiteral("AnalysisText"));
    QVERIFY(shown->isReadOnly());
    // The whole report is in view: no line runs past the edge, nothing scrolls.
    QCOMPARE(shown->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(shown->verticalScrollBar()->maximum(), 0);

    window.TypeText(QStringLiteral("a short note"));
    window.TypeKey(QStringLiteral("Correct Horse 42"));
    window.Trigger("EncryptAction");
    auto* result =
        qobject_cast<AnalysisWindow*>(window.form.OpenAnalysisReport(window.form.EncryptedPanel()));
    QVERIFY(result != nullptr);
    QVERIFY(result->ReportText().startsWith(QStringLiteral("Result picture: ")));
    // Closing deletes the window; the main window goes on.
    QPointer<AnalysisWindow> closing(result);
    result->close();
    QTRY_VERIFY(closing.isNull());
  }

  void HelpSaysWhatDetectorsFindAndPointsToTheReport() {
    const QString help =
        QString::fromUtf8(HelpUsageText().data(), static_cast<int>(HelpUsageText().size()));
    QVERIFY(!help.contains(QStringLiteral("nobody looking at the picture can tell it is there")));
    QVERIFY(help.contains(QStringLiteral("Analysis Report")));
    QVERIFY(help.contains(QStringLiteral("once was a JPEG")));
  }
};

QTEST_MAIN(AnalysisWindowTest)
#include "test_analysis_window.moc"
