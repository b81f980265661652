#pragma once

#include "NvEdit.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QWidget;

enum EditConstraintFlag : uint16_t
{
    CF_AUTO_NEXT = 0x1, // typing the length-th character moves the focus on
    CF_FIXED = 0x2,     // the length (or count) must equal `length`
    CF_NOT_EMPTY = 0x4, // an empty edit is refused
};

// The input constraint of one edit, from a specifier such as "%u{n1x4095}".
struct EditConstraint_s
{
    QPointer<QLineEdit> edit;
    QChar letter;    // s text, h hex digits, i signed, u unsigned, f real, n delimited numbers
    QChar delimiter; // kind n: the character between the numbers
    double minimum = 0;
    double maximum = 0;
    int length = 0; // characters for s and h (and the typing limit), numbers for n; 0 = none
    uint16_t flags = 0;
    QChar nextChar; // typing it moves the focus on instead; null = none
    QString remembered;
    NvEditHandler savedChange; // the edit's own handlers, still called
    NvEditHandler savedExit;
    int width = 0; // the edit's width in pixels from the "w" option; 0 = not given
};

// What leaving an edit with a text comes to.
struct LeaveVerdict
{
    enum Kind
    {
        LeftAlone, // "(NULL)", "(NOTDONE)" or an allowed empty text: nothing happens
        Accepted,  // the edit's exit handler runs and the text may be remembered
        Refused,   // `message` is shown and the remembered text comes back
    };
    Kind kind = LeftAlone;
    QString message;
};

// The input constraints of the edits of one window: characters are filtered as the user types,
// the focus moves on where asked, and length, count or range are checked when the user leaves an
// edit; a refused text gives way to the last accepted one and the edit gets the focus back.
class NvEditConstraint : public QObject
{
public:
    NvEditConstraint(QWidget* owner, bool rememberAccepted);
    // Puts the edits' own handlers back, so that no edit keeps a handler of a freed record.
    ~NvEditConstraint() override;

    NvEditConstraint(const NvEditConstraint&) = delete;
    NvEditConstraint& operator=(const NvEditConstraint&) = delete;

    // One specifier per "%" that starts one; the i-th goes to edits[i] (a null entry takes
    // none). Every specifier is checked before any is installed. Raises NvError -2 for a
    // malformed specifier and -522 when there are fewer edits than specifiers.
    void AddFormat(const QString& format, const QList<QLineEdit*>& edits);
    // Installs one constraint, replacing one this set already has on the edit. Raises -2.
    void AddOne(const QString& specifier, QLineEdit* edit);
    // Puts the edit's own change and exit handlers back and forgets the edit.
    void Remove(QLineEdit* edit);
    // The edit's current text becomes the text a refusal goes back to.
    void Remember(QLineEdit* edit);

    // The window that owns the message boxes and within which the focus moves on.
    QWidget* Owner() const { return m_owner; }
    void SetOwner(QWidget* owner) { m_owner = owner; }
    bool RememberAccepted() const { return m_rememberAccepted; }

    int Count() const { return static_cast<int>(m_items.size()); }
    // The edit's record, or null.
    const EditConstraint_s* Find(const QLineEdit* edit) const;

    // The rules themselves, free of any edit.
    static EditConstraint_s Parse(const QString& specifier); // raises -2
    static QStringList SplitFormat(const QString& format);
    // Position of the first character the kind does not allow, or -1.
    static int FirstOffending(const EditConstraint_s& constraint, const QString& text);
    static LeaveVerdict CheckLeave(const EditConstraint_s& constraint, const QString& text);

    // What sounds when a typed character is refused (the system beep unless replaced; tests
    // count it). An empty function restores the system beep.
    static void SetBeep(std::function<void()> beep);

private:
    enum OwnHandlerOutcome
    {
        Carry,      // go on with the rule
        TagRefused, // the handler set the edit's tag to -1
        Gone,       // the handler removed the edit, its record or the set
    };
    // Calls one of the edit's own handlers; record is found again afterwards.
    OwnHandlerOutcome callOwnHandler(NvEditHandler handler, QLineEdit* edit,
                                     EditConstraint_s*& record);

    EditConstraint_s* find(const QLineEdit* edit);
    void install(EditConstraint_s record, QLineEdit* edit);
    void restoreHandlers(const EditConstraint_s& record);
    void changed(QLineEdit* edit);
    void left(QLineEdit* edit);

    QPointer<QWidget> m_owner;
    bool m_rememberAccepted;
    std::vector<std::unique_ptr<EditConstraint_s>> m_items;
};
