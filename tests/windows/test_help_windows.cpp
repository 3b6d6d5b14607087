// The Help and About windows through their real widgets, offscreen.
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "windows/about_form.h"
#include "windows/help_form.h"
#include "windows/help_text.h"
#include "windows/manual_location.h"

namespace hushlake {

class TestHelpWindows : public QObject {
  Q_OBJECT

  static QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }

  static void CheckInformationWindow(QWidget& window) {
    QCOMPARE(window.size(), QSize(700, 634));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* close = window.findChild<QPushButton*>(QStringLiteral("CloseButton"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QCOMPARE(close->toolTip(), QStringLiteral("Close Window"));
    window.show();
    QVERIFY(window.isVisible());
    close->click();
    QVERIFY(window.isHidden());
  }

 private Q_SLOTS:
  void helpHeadingsAreBoldAtTenPoints() {
    THelpForm help;
    help.show();
    QTextDocument* document = help.HelpRichEdit()->document();
    for (std::string_view heading : HelpHeadings) {
      const QTextCursor found =
          document->find(FromView(heading), 0, QTextDocument::FindCaseSensitively);
      QVERIFY2(!found.isNull(), heading.data());
      // The format of a character is the one before the position after it.
      for (int at = found.selectionStart() + 1; at <= found.selectionEnd(); ++at) {
        QTextCursor probe(document);
        probe.setPosition(at);
        QCOMPARE(probe.charFormat().fontWeight(), static_cast<int>(QFont::Bold));
        QCOMPARE(probe.charFormat().fontPointSize(), 10.0);
      }
    }
    QTextCursor body(document);
    body.setPosition(5);
    QVERIFY(body.charFormat().fontWeight() != QFont::Bold);
    QVERIFY(!help.HelpRichEdit()->textCursor().hasSelection());
    QCOMPARE(help.HelpRichEdit()->palette().color(QPalette::Base), QColor(220, 220, 220));
  }

  void helpSectionsComeInOrderAsHeadingLines() {
    const QString text = FromView(HelpUsageText());
    constexpr std::string_view kOrder[] = {"To Encrypt",
                                           "To Decrypt",
                                           "To Publish to Internet",
                                           "To convert Bitmap to PNG format:",
                                           "To convert PNG back to Bitmap format:",
                                           "Note:"};
    qsizetype previous = -1;
    for (const std::string_view name : kOrder) {
      const QString heading = FromView(name);
      const qsizetype at = text.indexOf(heading);
      QVERIFY2(at > previous, qPrintable(heading));
      QVERIFY2(at == 0 || text.at(at - 1) == QLatin1Char('\n'), qPrintable(heading));
      previous = at;
    }
    // The publishing section names PNG as read and written directly, and
    // warns about reordered palettes.
    QVERIFY(text.contains(QStringLiteral("reads and writes PNG pictures directly")));
    QVERIFY(text.contains(QStringLiteral("reordered palette destroys it")));
    QVERIFY(text.trimmed().endsWith(QStringLiteral("decrypted as usual.")));
  }

  void helpWindowShapeAndButtons() {
    THelpForm help;
    QCOMPARE(help.findChild<QLabel*>(QStringLiteral("TitleLabel"))->text(),
             QStringLiteral("Hushlake - Help and Usage"));
    QVERIFY(help.HelpRichEdit()->isReadOnly());
    QCOMPARE(help.HelpRichEdit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(help.findChild<QPushButton*>(QStringLiteral("WebsiteButton"))->text(),
             QStringLiteral("Website"));
    CheckInformationWindow(help);
  }

  void aboutShowsTheBuildVersion() {
    TAboutForm about;
    QCOMPARE(about.VersionLabel()->text(), QStringLiteral("Version Id"));
    about.show();
    QCOMPARE(about.VersionLabel()->text(),
             QStringLiteral("Software Version: ") + QStringLiteral(HUSHLAKE_VERSION));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("WebsiteButton"))->text(),
             QStringLiteral("Website  "));
    QVERIFY(about.findChild<QPushButton*>(QStringLiteral("CloseButton"))->isDefault());
    CheckInformationWindow(about);
  }

  // Close is the default button: Enter on either keyboard closes the window.
  void aboutClosesOnEnter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  }
  void aboutClosesOnEnter() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TAboutForm about;
    about.show();
    about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(&about, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QVERIFY(about.isHidden());
    // Also with the focus on the Close button itself.
    about.show();
    about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto* close = about.findChild<QPushButton*>(QStringLiteral("CloseButton"));
    close->setFocus();
    QTest::keyClick(close, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QVERIFY(about.isHidden());
  }

  void theManualIsFound() {
    const QUrl manual = ManualUrl();
    QVERIFY(manual.isLocalFile());
    QVERIFY(QFileInfo(manual.toLocalFile()).isFile());
  }
};

}  // namespace hushlake

QTEST_MAIN(hushlake::TestHelpWindows)
#include "test_help_windows.moc"
