#pragma once
// Where the manual that the Website buttons open is: installed beside the
// program, or, when running from a build tree, in the sources.
#include <QUrl>

class QWidget;

namespace hushlake {

// The manual as a local file address, or an empty address when none exists.
QUrl ManualUrl();

// Opens the manual in the default browser; says so when it cannot.
void OpenManual(QWidget* parent);

}  // namespace hushlake
