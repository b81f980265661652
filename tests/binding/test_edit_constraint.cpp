// Edit constraints on live edits: typing is filtered, leaving is checked, a refusal shows its
// message through the dialog facade, restores the remembered text and returns the focus.
#include "NvDialogs.h"
#include "NvEdit.h"
#include "NvEditConstraint.h"
#include "NvError.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {

// A shown, active window with three edits in tab order; the first carries the constraint.
struct Page
{
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    QLineEdit* next = new QLineEdit(&window);
    QLineEdit* last = new QLineEdit(&window);
    NvEditConstraint constraints{&window, true};

    Page()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(next);
        layout->addWidget(last);
        window.show();
        window.activateWindow();
    }

    // Types into the focused edit and leaves it with Tab.
    void typeAndLeave(const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};

const QString kRange1To4095 =
    QStringLiteral("(NvCommon) Please enter a number between 1 and 4095!");

} // namespace

class TestEditConstraint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingIsFiltered_data();
    void typingIsFiltered();
    void placeholderTextsAreLeftAlone();
    void acceptedTextIsRemembered();
    void refusalRestoresAndReturnsFocus();
    void refusalBeforeAnyAcceptedTextEmptiesTheEdit();
    void emptyTextIsAcceptedSilently();
    void notEmptyRefusesEmpty();
    void rememberSetsTheFallback();
    void leaveCheckIsNotReentered();
    void realMessageBoxGivesTheFocusBack();
    void lengthLimitsTypingButNotProgramTexts();
    void listLengthCountsNumbersNotCharacters();
    void ownHandlersAreStillCalled();
    void tagInChangeHandlerStopsAutoNext();
    void tagInExitHandlerFallsBack();
    void nextCharacterMovesOn();
    void autoNextAtLength();
    void removeRestoresOwnHandlers();
    void destroyingTheSetRestoresOwnHandlers();
    void handlersMayRemoveTheirConstraint();
    void addFormat();
    void addFormatInstallsNothingWhenMalformed();
    void widthOption();
    void ownerChange();
};

int beeps = 0;

void TestEditConstraint::init()
{
    beeps = 0;
    NvEditConstraint::SetBeep([] { ++beeps; });
    NvDialogs::SetTestMode();
}

void TestEditConstraint::cleanup()
{
    NvDialogs::LeaveTestMode();
    NvEditConstraint::SetBeep({});
}

void TestEditConstraint::typingIsFiltered_data()
{
    QTest::addColumn<QString>("specifier");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("beeped");

    QTest::newRow("unsigned loses a letter") << "%u{n1x4095}"
                                             << "12a"
                                             << "12" << 1;
    QTest::newRow("hex loses the x") << "%h"
                                     << "0x1F"
                                     << "01F" << 1;
    QTest::newRow("hex loses a space") << "%h"
                                       << "1F 2"
                                       << "1F2" << 1;
    QTest::newRow("signed keeps a leading minus only") << "%i"
                                                       << "-1-2"
                                                       << "-12" << 1;
    QTest::newRow("real keeps one dot") << "%f"
                                        << "1.2.3"
                                        << "1.23" << 1;
    QTest::newRow("list refuses a leading and a doubled delimiter") << "%n."
                                                                    << ".1..2"
                                                                    << "1.2" << 2;
    QTest::newRow("text takes anything") << "%s"
                                         << "a-b c"
                                         << "a-b c" << 0;
}

void TestEditConstraint::typingIsFiltered()
{
    QFETCH(QString, specifier);
    QFETCH(QString, typed);
    Page page;
    page.constraints.AddOne(specifier, page.edit);
    QTest::keyClicks(page.edit, typed);
    QTEST(page.edit->text(), "result");
    QTEST(beeps, "beeped");
}

void TestEditConstraint::placeholderTextsAreLeftAlone()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    int changes = 0;
    int exits = 0;
    NvEdit::Of(page.edit)->SetOnChange([&](QLineEdit*) { ++changes; });
    NvEdit::Of(page.edit)->SetOnExit([&](QLineEdit*) { ++exits; });
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    for (const QString& text : {QStringLiteral("(NULL)"), QStringLiteral("(NOTDONE)")}) {
        page.edit->setText(text);
        QCOMPARE(page.edit->text(), text);
        page.edit->setFocus();
        QTest::keyClick(page.edit, Qt::Key_Tab);
    }
    QCOMPARE(changes, 0);
    QCOMPARE(exits, 0);
    QCOMPARE(beeps, 0);
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
}

void TestEditConstraint::acceptedTextIsRemembered()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.typeAndLeave(QStringLiteral("100"));
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    QCOMPARE(page.constraints.Find(page.edit)->remembered, QStringLiteral("100"));
    QCOMPARE(QApplication::focusWidget(), page.next);
}

void TestEditConstraint::refusalRestoresAndReturnsFocus()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.typeAndLeave(QStringLiteral("100"));
    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("4096")}) {
        NvDialogs::ClearRecorded();
        page.typeAndLeave(bad);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        const NvDialogs::MessageRecord& shown = NvDialogs::RecordedMessages().first();
        QCOMPARE(shown.text, kRange1To4095);
        QCOMPARE(shown.caption, NvDialogs::ExecutableFileName());
        QCOMPARE(shown.caption, QStringLiteral("test_edit_constraint"));
        QCOMPARE(shown.owner, &page.window);
        QCOMPARE(page.edit->text(), QStringLiteral("100"));
        QCOMPARE(QApplication::focusWidget(), page.edit);
        QCOMPARE(page.edit->selectedText(), QStringLiteral("100"));
    }
}

void TestEditConstraint::refusalBeforeAnyAcceptedTextEmptiesTheEdit()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    // A text the binding's read put there is not remembered.
    page.edit->setText(QStringLiteral("5000"));
    page.edit->setFocus();
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QCOMPARE(page.edit->text(), QString());
    QCOMPARE(QApplication::focusWidget(), page.edit);
}

void TestEditConstraint::emptyTextIsAcceptedSilently()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    int exits = 0;
    NvEdit::Of(page.edit)->SetOnExit([&](QLineEdit*) { ++exits; });
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.typeAndLeave(QStringLiteral("7"));
    QCOMPARE(exits, 1);
    page.edit->setFocus();
    page.edit->clear();
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QCOMPARE(exits, 1);
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    QCOMPARE(page.constraints.Find(page.edit)->remembered, QStringLiteral("7"));
    QCOMPARE(QApplication::focusWidget(), page.next);
}

void TestEditConstraint::notEmptyRefusesEmpty()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%s{l8n}"), page.edit);
    page.typeAndLeave(QStringLiteral("ssid"));
    page.edit->setFocus();
    page.edit->clear();
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QCOMPARE(NvDialogs::RecordedMessages().first().text,
             QStringLiteral("(NvCommon) Empty value is not allowed!"));
    QCOMPARE(page.edit->text(), QStringLiteral("ssid"));
}

void TestEditConstraint::rememberSetsTheFallback()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.edit->setText(QStringLiteral("42"));
    page.constraints.Remember(page.edit);
    page.typeAndLeave(QStringLiteral("0"));
    QCOMPARE(page.edit->text(), QStringLiteral("42"));
}

// A real message box takes the focus while it is up and gives it back when it closes.
void TestEditConstraint::leaveCheckIsNotReentered()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.constraints.AddOne(QStringLiteral("%u{n1x5}"), page.next);
    page.next->setText(QStringLiteral("9")); // would be refused if it were left
    NvDialogs::SetTestMode([&](const NvDialogs::MessageRecord&) {
        page.edit->setFocus();
        page.last->setFocus();
        page.next->setFocus();
        return NvDialogs::Answer::Ok;
    });
    page.typeAndLeave(QStringLiteral("0"));
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QCOMPARE(NvDialogs::RecordedMessages().first().text, kRange1To4095);
    QCOMPARE(QApplication::focusWidget(), page.edit);
    QCOMPARE(page.next->text(), QStringLiteral("9"));
}

// The modal box takes the focus from the control the user went to and gives it back on closing;
// neither that control nor the refused edit is left again, and the edit ends up with the focus.
void TestEditConstraint::realMessageBoxGivesTheFocusBack()
{
    NvDialogs::LeaveTestMode();
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.constraints.AddOne(QStringLiteral("%u{n1x5}"), page.next);
    page.next->setText(QStringLiteral("9")); // would be refused if it were left
    QStringList shown;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(0, answer); // not up yet
            return;
        }
        shown.append(box->text());
        box->accept();
    };
    QTimer::singleShot(0, answer);
    page.typeAndLeave(QStringLiteral("0"));
    QCOMPARE(shown, QStringList{kRange1To4095});
    QCOMPARE(page.edit->text(), QString());
    QCOMPARE(page.window.focusWidget(), page.edit);
    // The offscreen platform has no window manager to activate the page again.
    page.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    QCOMPARE(QApplication::focusWidget(), page.edit);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(page.next->text(), QStringLiteral("9"));
}

void TestEditConstraint::lengthLimitsTypingButNotProgramTexts()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%s{l4}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("abcdef"));
    QCOMPARE(page.edit->text(), QStringLiteral("abcd"));
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    // A longer text set by the program stays whole, and leaving refuses it.
    page.edit->setText(QStringLiteral("abcdefgh"));
    QCOMPARE(page.edit->text(), QStringLiteral("abcdefgh"));
    page.edit->setFocus();
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QCOMPARE(NvDialogs::RecordedMessages().first().text,
             QStringLiteral("(NvCommon) Please enter a string whose length is less than 4!"));
    QCOMPARE(page.edit->text(), QStringLiteral("abcd"));
}

void TestEditConstraint::listLengthCountsNumbersNotCharacters()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%n.{n0x255l4af}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("10.0.0.1"));
    QCOMPARE(page.edit->text(), QStringLiteral("10.0.0.1"));
    QCOMPARE(QApplication::focusWidget(), page.edit);
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    page.typeAndLeave(QStringLiteral("10.0.1"));
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QVERIFY(NvDialogs::RecordedMessages().first().text.endsWith(
        QStringLiteral("Here,the count of the number is equal to 4!")));
    QCOMPARE(page.edit->text(), QStringLiteral("10.0.0.1"));
}

void TestEditConstraint::ownHandlersAreStillCalled()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    QStringList changes;
    QStringList exits;
    NvEdit::Of(page.edit)->SetOnChange([&](QLineEdit* e) { changes.append(e->text()); });
    NvEdit::Of(page.edit)->SetOnExit([&](QLineEdit* e) { exits.append(e->text()); });
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.typeAndLeave(QStringLiteral("1x2"));
    // The offending character never reaches the page's handler; the text set without it is a
    // change of its own.
    QCOMPARE(changes, (QStringList{"1", "1", "12"}));
    QCOMPARE(exits, QStringList{"12"});
    page.typeAndLeave(QStringLiteral("5000"));
    QCOMPARE(exits, QStringList{"12"}); // a refused text is not the page's to see
}

void TestEditConstraint::tagInChangeHandlerStopsAutoNext()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    NvEdit::Of(page.edit)->SetOnChange([](QLineEdit* e) { NvEdit::Of(e)->SetTag(-1); });
    page.constraints.AddOne(QStringLiteral("%h{l4a}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("ABCD"));
    QCOMPARE(QApplication::focusWidget(), page.edit);
}

void TestEditConstraint::tagInExitHandlerFallsBack()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    bool refuse = false;
    NvEdit::Of(page.edit)->SetOnExit([&](QLineEdit* e) { NvEdit::Of(e)->SetTag(refuse ? -1 : 0); });
    page.constraints.AddOne(QStringLiteral("%u"), page.edit);
    page.typeAndLeave(QStringLiteral("10"));
    refuse = true;
    page.typeAndLeave(QStringLiteral("20"));
    QCOMPARE(page.edit->text(), QStringLiteral("10"));
    QCOMPARE(page.constraints.Find(page.edit)->remembered, QStringLiteral("10"));
    QVERIFY(NvDialogs::RecordedMessages().isEmpty());
}

void TestEditConstraint::nextCharacterMovesOn()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%u{e.}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("12."));
    QCOMPARE(page.edit->text(), QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), page.next);
    QCOMPARE(beeps, 0);
}

void TestEditConstraint::autoNextAtLength()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    page.constraints.AddOne(QStringLiteral("%h{l4a}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("ABC"));
    QCOMPARE(QApplication::focusWidget(), page.edit);
    QTest::keyClicks(page.edit, QStringLiteral("D"));
    QCOMPARE(QApplication::focusWidget(), page.next);
    QCOMPARE(page.constraints.Find(page.edit)->remembered, QStringLiteral("ABCD"));
}

void TestEditConstraint::removeRestoresOwnHandlers()
{
    Page page;
    int changes = 0;
    NvEdit::Of(page.edit)->SetOnChange([&](QLineEdit*) { ++changes; });
    page.constraints.AddOne(QStringLiteral("%u"), page.edit);
    page.constraints.Remove(page.edit);
    QCOMPARE(page.constraints.Count(), 0);
    QTest::keyClicks(page.edit, QStringLiteral("a"));
    QCOMPARE(page.edit->text(), QStringLiteral("a")); // no longer filtered
    QCOMPARE(changes, 1);
    QCOMPARE(beeps, 0);
}

void TestEditConstraint::destroyingTheSetRestoresOwnHandlers()
{
    Page page;
    int changes = 0;
    NvEdit::Of(page.edit)->SetOnChange([&](QLineEdit*) { ++changes; });
    auto constraints = std::make_unique<NvEditConstraint>(&page.window, true);
    constraints->AddOne(QStringLiteral("%u"), page.edit);
    constraints.reset();
    QTest::keyClicks(page.edit, QStringLiteral("a"));
    QCOMPARE(page.edit->text(), QStringLiteral("a"));
    QCOMPARE(changes, 1);
}

// A page's handler may unbind the edit or close the page while the constraint is calling it.
void TestEditConstraint::handlersMayRemoveTheirConstraint()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.window));
    auto constraints = std::make_unique<NvEditConstraint>(&page.window, true);
    NvEdit::Of(page.edit)->SetOnChange([&](QLineEdit* e) {
        if (constraints)
            constraints->Remove(e);
    });
    constraints->AddOne(QStringLiteral("%h{l2a}"), page.edit);
    page.edit->setFocus();
    QTest::keyClicks(page.edit, QStringLiteral("AB"));
    QCOMPARE(constraints->Count(), 0);
    QCOMPARE(QApplication::focusWidget(), page.edit); // no auto-next without the record

    NvEdit::Of(page.next)->SetOnExit([&](QLineEdit*) { constraints.reset(); });
    constraints->AddOne(QStringLiteral("%u"), page.next);
    page.next->setFocus();
    page.next->setText(QStringLiteral("5"));
    QVERIFY(constraints);
    QTest::keyClick(page.next, Qt::Key_Tab);
    QVERIFY(!constraints);
    QTest::keyClicks(page.next, QStringLiteral("x")); // the page's handlers are back, no filter
    QCOMPARE(page.next->text(), QStringLiteral("5x"));
}

void TestEditConstraint::addFormat()
{
    Page page;
    page.constraints.AddFormat(QStringLiteral("%u%h{l2}"), {page.edit, page.next});
    QCOMPARE(page.constraints.Count(), 2);
    QCOMPARE(page.constraints.Find(page.next)->letter, QChar('h'));
    QCOMPARE(NvEdit::Of(page.next)->MaxLength(), 2);
    // Installing again replaces the record instead of stacking a second one on the edit.
    page.constraints.AddOne(QStringLiteral("%h"), page.edit);
    QCOMPARE(page.constraints.Count(), 2);
    QTest::keyClicks(page.edit, QStringLiteral("aG"));
    QCOMPARE(page.edit->text(), QStringLiteral("a"));
    QCOMPARE(beeps, 1);
    try {
        page.constraints.AddFormat(QStringLiteral("%u%u"), {page.last});
        QFAIL("accepted");
    } catch (const NvError& error) {
        QCOMPARE(error.code(), -522);
    }
}

void TestEditConstraint::addFormatInstallsNothingWhenMalformed()
{
    Page page;
    try {
        page.constraints.AddFormat(QStringLiteral("%u%q"), {page.edit, page.next});
        QFAIL("accepted");
    } catch (const NvError& error) {
        QCOMPARE(error.code(), -2);
    }
    QCOMPARE(page.constraints.Count(), 0);
    QCOMPARE(NvEdit::Find(page.edit), nullptr);
}

void TestEditConstraint::widthOption()
{
    Page page;
    page.constraints.AddOne(QStringLiteral("%s{w123}"), page.edit);
    QCOMPARE(page.edit->width(), 123);
}

void TestEditConstraint::ownerChange()
{
    Page page;
    QWidget dialog;
    page.constraints.SetOwner(&dialog);
    page.constraints.AddOne(QStringLiteral("%u{n1x4095}"), page.edit);
    page.edit->setText(QStringLiteral("9999"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(page.edit, &leave);
    QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    QCOMPARE(NvDialogs::RecordedMessages().first().owner, &dialog);
}

QTEST_MAIN(TestEditConstraint)
#include "test_edit_constraint.moc"
