// One whole round through the real window: open a 24-bit BMP, type a text and
// a key, Encrypt, Save Img to a file, open that file, Decrypt, and the
// editor shows the text again.
#include <QLineEdit>

#include "stego/picture/bmp/bmp_codec.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

class WorkflowWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    UseTemporarySettings(folder_);
  }

  void EncryptSaveOpenDecryptGivesTheTextBack_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("24-bit") << int(PixelFormat::Bgr24);
    QTest::newRow("8-bit") << int(PixelFormat::Indexed8);
  }
  void EncryptSaveOpenDecryptGivesTheTextBack() {
    QFETCH(int, format);
    const auto pixelFormat = static_cast<PixelFormat>(format);
    const std::string original = folder_.filePath(QStringLiteral("holiday.bmp")).toStdString();
    const std::string hidden = folder_.filePath(QStringLiteral("hidden")).toStdString();
    WriteFile(original, WriteBmp(test::RandomPicture(161, 121, pixelFormat, 7)));
    const QString text = QStringLiteral("meet me at the old mill at noon");

    WindowUnderTest window;
    window.OpenPicture(original);
    window.TypeText(text);
    window.TypeKey(QStringLiteral("Correct Horse 42"));
    window.Trigger("EncryptAction");
    QCOMPARE(window.messages.shown.back(),
             (Message{"information", std::string(messages::EncryptDone)}));

    // A 24-bit result saved without an extension is written as hidden.bmp.
    const bool palette = pixelFormat == PixelFormat::Indexed8;
    const std::string saved = hidden + ".bmp";
    window.dialogs.answers.push_back(palette ? saved : hidden);
    window.Trigger("SaveImageAction");
    QCOMPARE(window.messages.shown.back(),
             (Message{"information", std::string(messages::PictureSaved)}));
    const PictureReadResult written = ReadBmpFile(saved);
    QVERIFY2(written.status == PictureReadStatus::Ok, written.error.c_str());
    QCOMPARE(written.picture.Format(), pixelFormat);

    window.companions->Editor().ReplaceText("something else");
    window.OpenPicture(saved);
    if (pixelFormat == PixelFormat::Indexed8)
      window.ReplaceKey(QStringLiteral("correct horse 42"));  // the 8-bit key is not case-sensitive
    window.messages.shown.clear();
    window.Trigger("DecryptAction");
    QVERIFY2(window.messages.shown.empty(),
             window.messages.shown.empty() ? "" : window.messages.shown.front().text.c_str());
    const QString expected = pixelFormat == PixelFormat::Indexed8 ? text.toLower() : text;
    QCOMPARE(QString::fromStdString(window.EditorText()), expected);
    QVERIFY(window.companions->EditorWindow().isVisible());
  }
};

QTEST_MAIN(WorkflowWindowTest)
#include "test_workflow_window.moc"
