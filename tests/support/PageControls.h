#pragma once

#include <QLineEdit>
#include <QStatusBar>
#include <QString>
#include <QWidget>

namespace qtr::test {

// A page's control by its objectName. A missing control is a fault of the test or of the
// page's design, not an outcome to compare: it stops the test at once, naming the control.
template <typename T = QWidget> T* control(const QWidget& page, const char* name)
{
    auto* found = page.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no %s of the expected kind", qPrintable(page.objectName()), name);
    return found;
}

inline QLineEdit* edit(const QWidget& page, const char* name)
{
    return control<QLineEdit>(page, name);
}

inline QString text(const QWidget& page, const char* name)
{
    return edit(page, name)->text();
}

// The simple text of the page's status bar.
inline QString statusText(const QWidget& page, const char* name = "StatusBar")
{
    return control<QStatusBar>(page, name)->currentMessage();
}

} // namespace qtr::test
