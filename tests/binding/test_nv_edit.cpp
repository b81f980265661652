// The toolkit semantics of an edit on a QLineEdit: the typing limit, the change handler on every
// change, and what counts as leaving the edit.
#include "NvEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {

// A shown, active window with three edits, a button that takes no focus, and a disabled edit.
struct Window
{
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    QPushButton* button = new QPushButton(QStringLiteral("Apply"), &window);
    QLineEdit* disabled = new QLineEdit(&window);
    QLineEdit* third = new QLineEdit(&window);

    Window()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(button), static_cast<QWidget*>(disabled),
                           static_cast<QWidget*>(third)})
            layout->addWidget(w);
        button->setFocusPolicy(Qt::NoFocus);
        disabled->setEnabled(false);
        window.show();
        window.activateWindow();
    }
};

void sendFocusOut(QWidget* widget, Qt::FocusReason reason)
{
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestNvEdit : public QObject
{
    Q_OBJECT

private slots:
    void typingStopsAtTheLimit_data();
    void typingStopsAtTheLimit();
    void pasteIsCutToTheRoomLeft();
    void refusedKeystrokeIsNoChange();
    void changeHandlerHearsProgramTexts();
    void leavingForAnotherControl();
    void notLeaving_data();
    void notLeaving();
    void hiddenEditIsNotLeft();
    void focusMovesInsideAnExitHandlerAreNotLeaving();
    void focusNextControl();
    void focusNextControlStaysWithinTheOwner();
    void oneObjectPerEdit();
};

void TestNvEdit::typingStopsAtTheLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("programText");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("stops at the limit") << 4 << "" << false << "abcdef"
                                        << "abcd";
    QTest::newRow("no limit") << 0 << "" << false << "abcdef"
                              << "abcdef";
    QTest::newRow("program text is not cut, typing adds nothing")
        << 4 << "abcdefgh" << false << "xy"
        << "abcdefgh";
    QTest::newRow("typing over a selection") << 4 << "abcd" << true << "xyz"
                                             << "xyz";
    QTest::newRow("over a longer program text") << 4 << "abcdefgh" << true << "123456"
                                                << "1234";
}

void TestNvEdit::typingStopsAtTheLimit()
{
    QFETCH(int, limit);
    QFETCH(QString, programText);
    QFETCH(bool, selectAll);
    QFETCH(QString, typed);
    QLineEdit edit;
    NvEdit::Of(&edit)->SetMaxLength(limit);
    edit.setText(programText);
    QCOMPARE(edit.text(), programText);
    if (selectAll)
        edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QTEST(edit.text(), "result");
    QCOMPARE(edit.maxLength(), 32767); // Qt's own limit, which would cut program texts, is unused
}

void TestNvEdit::pasteIsCutToTheRoomLeft()
{
    QLineEdit edit;
    NvEdit::Of(&edit)->SetMaxLength(5);
    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    edit.insert(QStringLiteral("123456")); // what a paste does
    QCOMPARE(edit.text(), QStringLiteral("a123b"));
    QCOMPARE(edit.cursorPosition(), 4);
}

void TestNvEdit::refusedKeystrokeIsNoChange()
{
    QLineEdit edit;
    NvEdit* handlers = NvEdit::Of(&edit);
    handlers->SetMaxLength(2);
    QStringList seen;
    handlers->SetOnChange([&](QLineEdit* e) { seen.append(e->text()); });
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QCOMPARE(seen, (QStringList{"a", "ab"}));
    QCOMPARE(edit.cursorPosition(), 2);
}

void TestNvEdit::changeHandlerHearsProgramTexts()
{
    QLineEdit edit;
    QStringList seen;
    NvEdit::Of(&edit)->SetOnChange([&](QLineEdit* e) { seen.append(e->text()); });
    edit.setText(QStringLiteral("set"));
    edit.setText(QStringLiteral("set")); // no change, no call
    edit.clear();
    QCOMPARE(seen, (QStringList{"set", ""}));
}

void TestNvEdit::leavingForAnotherControl()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    int exits = 0;
    NvEdit::Of(w.first)->SetOnExit([&](QLineEdit* e) {
        QCOMPARE(e, w.first);
        ++exits;
    });
    w.first->setFocus();
    QTest::keyClick(w.first, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.second);
    QCOMPARE(exits, 1);
    w.first->setFocus();
    w.third->setFocus(Qt::MouseFocusReason);
    QCOMPARE(exits, 2);
}

void TestNvEdit::notLeaving_data()
{
    QTest::addColumn<int>("reason");
    QTest::newRow("context menu") << int(Qt::PopupFocusReason);
    QTest::newRow("another window or a message box") << int(Qt::ActiveWindowFocusReason);
    QTest::newRow("menu bar") << int(Qt::MenuBarFocusReason);
}

void TestNvEdit::notLeaving()
{
    QFETCH(int, reason);
    Window w;
    int exits = 0;
    NvEdit::Of(w.first)->SetOnExit([&](QLineEdit*) { ++exits; });
    sendFocusOut(w.first, static_cast<Qt::FocusReason>(reason));
    QCOMPARE(exits, 0);
    sendFocusOut(w.first, Qt::TabFocusReason);
    QCOMPARE(exits, 1);
}

void TestNvEdit::hiddenEditIsNotLeft()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    int exits = 0;
    NvEdit::Of(w.first)->SetOnExit([&](QLineEdit*) { ++exits; });
    w.first->setFocus();
    w.first->hide();
    QVERIFY(!w.first->hasFocus());
    QCOMPARE(exits, 0);
}

// A refusing exit handler takes the focus back; the control the focus had gone to is not left.
void TestNvEdit::focusMovesInsideAnExitHandlerAreNotLeaving()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    int firstExits = 0;
    int secondExits = 0;
    NvEdit::Of(w.first)->SetOnExit([&](QLineEdit* e) {
        ++firstExits;
        w.third->setFocus(); // as a message box would take it
        e->setFocus();
        e->selectAll();
    });
    NvEdit::Of(w.second)->SetOnExit([&](QLineEdit*) { ++secondExits; });
    NvEdit::Of(w.third)->SetOnExit([&](QLineEdit*) { ++secondExits; });
    w.first->setText(QStringLiteral("text"));
    w.first->setFocus();
    QTest::keyClick(w.first, Qt::Key_Tab);
    QCOMPARE(firstExits, 1);
    QCOMPARE(secondExits, 0);
    QCOMPARE(QApplication::focusWidget(), w.first);
    QVERIFY(w.first->hasFocus());
    // The edit's own focus-out came before the handler, so it did not undo the selection.
    QCOMPARE(w.first->selectedText(), QStringLiteral("text"));
    // The edit works as before: the next Tab is a new leave.
    QTest::keyClick(w.first, Qt::Key_Tab);
    QCOMPARE(firstExits, 2);
}

void TestNvEdit::focusNextControl()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.first->setFocus();
    FocusNextControl(&w.window, w.first);
    QCOMPARE(QApplication::focusWidget(), w.second);
    // The button takes no focus and the disabled edit none either.
    FocusNextControl(&w.window, w.second);
    QCOMPARE(QApplication::focusWidget(), w.third);
    // Wraps around.
    FocusNextControl(&w.window, w.third);
    QCOMPARE(QApplication::focusWidget(), w.first);
}

void TestNvEdit::focusNextControlStaysWithinTheOwner()
{
    QWidget window;
    auto* outside = new QLineEdit(&window);
    auto* owner = new QWidget(&window);
    auto* a = new QLineEdit(owner);
    auto* hidden = new QCheckBox(owner);
    auto* b = new QLineEdit(owner);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(outside);
    layout->addWidget(owner);
    layout->addWidget(after);
    auto* inner = new QVBoxLayout(owner);
    inner->addWidget(a);
    inner->addWidget(hidden);
    inner->addWidget(b);
    hidden->hide();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    a->setFocus();
    FocusNextControl(owner, a);
    QCOMPARE(QApplication::focusWidget(), b);
    FocusNextControl(owner, b);
    QCOMPARE(QApplication::focusWidget(), a);
}

void TestNvEdit::oneObjectPerEdit()
{
    auto edit = std::make_unique<QLineEdit>();
    QCOMPARE(NvEdit::Find(edit.get()), nullptr);
    NvEdit* handlers = NvEdit::Of(edit.get());
    QCOMPARE(NvEdit::Of(edit.get()), handlers);
    QCOMPARE(NvEdit::Find(edit.get()), handlers);
    handlers->SetTag(-1);
    QCOMPARE(NvEdit::Of(edit.get())->Tag(), -1);
    const QPointer<NvEdit> alive(handlers);
    edit.reset();
    QVERIFY(!alive);
}

QTEST_MAIN(TestNvEdit)
#include "test_nv_edit.moc"
