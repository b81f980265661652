#include "NvEditConstraint.h"

#include "NvCatalog.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvNumList.h"
#include "NvValueText.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

const QString kNullText = QStringLiteral("(NULL)");
const QString kNotDoneText = QStringLiteral("(NOTDONE)");
const QString kKindLetters = QStringLiteral("shiufn");
const QString kBoundCharacters = QStringLiteral("-0123456789.");

constexpr int kBadSpecifier = -2;
constexpr int kTooFewControls = -522;

// Messages of the common catalog.
enum CommonMessage
{
    kEmptyNotAllowed = 3,
    kTextTooLong = 4,
    kTextNotOfLength = 5,
    kHexTooLong = 6,
    kHexNotOfLength = 7,
    kNumberOutOfRange = 8,
    kTooManyNumbers = 9,
    kNumberCountWrong = 10,
    kListNumberOutOfRange = 11,
};

[[noreturn]] void badSpecifier()
{
    throw NvError::FromCode(kBadSpecifier);
}

std::function<void()>& beepFunction()
{
    static std::function<void()> beep;
    return beep;
}

void beep()
{
    if (beepFunction())
        beepFunction()();
    else
        QApplication::beep();
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

// Decimal digits from pos on, saturated; raises when there are none.
int readCount(const QString& text, int& pos)
{
    const int start = pos;
    int64_t value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        value = std::min<int64_t>(value * 10 + (text[pos].unicode() - '0'),
                                  std::numeric_limits<int>::max());
        ++pos;
    }
    if (pos == start)
        badSpecifier();
    return static_cast<int>(value);
}

double readBound(const QString& text, int& pos)
{
    const int start = pos;
    while (pos < text.size() && kBoundCharacters.contains(text[pos]))
        ++pos;
    if (pos == start)
        badSpecifier();
    return TextToReal(text.mid(start, pos - start));
}

void setDefaultBounds(EditConstraint_s& c)
{
    switch (c.letter.unicode()) {
    case 'i':
        c.minimum = std::numeric_limits<int32_t>::min();
        c.maximum = std::numeric_limits<int32_t>::max();
        break;
    case 'u':
    case 'n': // without an "x" option a list has no upper limit
        c.minimum = 0;
        c.maximum = std::numeric_limits<uint32_t>::max();
        break;
    case 'f':
        c.minimum = std::numeric_limits<double>::lowest();
        c.maximum = std::numeric_limits<double>::max();
        break;
    default:
        break;
    }
}

uint32_t toUnsigned32(double bound)
{
    if (!(bound > 0))
        return 0;
    if (bound >= static_cast<double>(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(bound);
}

QString message(int entry, std::initializer_list<std::pair<const char*, QString>> fills)
{
    QString text = NvCatalog::Entry(NvCatalogId::Common, entry);
    for (const auto& [placeholder, value] : fills)
        text.replace(QLatin1String(placeholder), value);
    return text;
}

LeaveVerdict refused(QString text)
{
    return LeaveVerdict{LeaveVerdict::Refused, std::move(text)};
}

void setTextWithCursor(QLineEdit* edit, const QString& text, int cursor)
{
    const QPointer<QLineEdit> alive(edit);
    edit->setText(text);
    if (alive)
        edit->setCursorPosition(cursor);
}

} // namespace

NvEditConstraint::NvEditConstraint(QWidget* owner, bool rememberAccepted)
    : m_owner(owner), m_rememberAccepted(rememberAccepted)
{}

NvEditConstraint::~NvEditConstraint()
{
    for (const auto& item : m_items)
        restoreHandlers(*item);
}

void NvEditConstraint::SetBeep(std::function<void()> beep)
{
    beepFunction() = std::move(beep);
}

// --- the rules ---------------------------------------------------------------------------------

EditConstraint_s NvEditConstraint::Parse(const QString& specifier)
{
    if (specifier.size() < 2 || specifier[0] != QLatin1Char('%') ||
        !kKindLetters.contains(specifier[1]))
        badSpecifier();
    EditConstraint_s c;
    c.letter = specifier[1];
    int pos = 2;
    if (c.letter == QLatin1Char('n')) {
        if (pos >= specifier.size())
            badSpecifier();
        c.delimiter = specifier[pos++];
    }
    setDefaultBounds(c);
    if (pos == specifier.size())
        return c;
    if (specifier[pos] != QLatin1Char('{') || specifier.size() - pos < 2 ||
        !specifier.endsWith(QLatin1Char('}')))
        badSpecifier();
    const QString options = specifier.mid(pos + 1, specifier.size() - pos - 2);
    int at = 0;
    while (at < options.size()) {
        switch (options[at++].unicode()) {
        case 'n':
            c.minimum = readBound(options, at);
            break;
        case 'x':
            c.maximum = readBound(options, at);
            break;
        case 'l':
            c.length = readCount(options, at);
            for (int letters = 0; letters < 3 && at < options.size(); ++letters, ++at) {
                const QChar flag = options[at];
                if (flag == QLatin1Char('a'))
                    c.flags |= CF_AUTO_NEXT;
                else if (flag == QLatin1Char('f'))
                    c.flags |= CF_FIXED;
                else if (flag == QLatin1Char('n'))
                    c.flags |= CF_NOT_EMPTY;
                else
                    break;
            }
            break;
        case 'w':
            c.width = readCount(options, at);
            break;
        case 'e':
            if (at >= options.size())
                badSpecifier();
            c.nextChar = options[at++];
            break;
        default:
            badSpecifier();
        }
    }
    return c;
}

QStringList NvEditConstraint::SplitFormat(const QString& format)
{
    QList<int> starts;
    for (int i = 0; i + 1 < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && kKindLetters.contains(format[i + 1])) {
            starts.append(i);
            // the delimiter of a list may itself be a "%"
            i += format[i + 1] == QLatin1Char('n') ? 2 : 1;
        }
    }
    if (starts.isEmpty() || starts.first() != 0)
        starts.prepend(0); // leading text is a specifier of its own, and a malformed one
    QStringList specifiers;
    for (int k = 0; k < starts.size(); ++k) {
        const int end = k + 1 < starts.size() ? starts[k + 1] : format.size();
        specifiers.append(format.mid(starts[k], end - starts[k]));
    }
    return specifiers;
}

int NvEditConstraint::FirstOffending(const EditConstraint_s& c, const QString& text)
{
    bool seenDot = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        bool allowed = true;
        switch (c.letter.unicode()) {
        case 'u':
            allowed = isDigit(ch);
            break;
        case 'i':
            allowed = isDigit(ch) || (ch == QLatin1Char('-') && i == 0);
            break;
        case 'f':
            if (ch == QLatin1Char('.')) {
                allowed = !seenDot;
                seenDot = true;
            } else {
                allowed = isDigit(ch) || (ch == QLatin1Char('-') && i == 0);
            }
            break;
        case 'h':
            allowed = isHexDigit(ch);
            break;
        case 'n':
            allowed = isDigit(ch) || (ch == c.delimiter && i > 0 && text[i - 1] != c.delimiter);
            break;
        default:
            break;
        }
        if (!allowed)
            return i;
    }
    return -1;
}

LeaveVerdict NvEditConstraint::CheckLeave(const EditConstraint_s& c, const QString& text)
{
    if (text == kNullText || text == kNotDoneText)
        return LeaveVerdict{};
    if (text.isEmpty()) {
        if (c.flags & CF_NOT_EMPTY)
            return refused(message(kEmptyNotAllowed, {}));
        return LeaveVerdict{};
    }
    const bool fixed = c.flags & CF_FIXED;
    switch (c.letter.unicode()) {
    case 'i':
    case 'u':
    case 'f': {
        const double value = TextToReal(text);
        if (!(value >= c.minimum && value <= c.maximum))
            return refused(message(kNumberOutOfRange, {{"[MIN]", RealToText(c.minimum)},
                                                       {"[MAX]", RealToText(c.maximum)}}));
        break;
    }
    case 's':
    case 'h': {
        if (c.length <= 0)
            break;
        const bool hex = c.letter == QLatin1Char('h');
        const QString length = QString::number(c.length);
        if (fixed && text.size() != c.length)
            return refused(message(hex ? kHexNotOfLength : kTextNotOfLength, {{"[LEN]", length}}));
        if (!fixed && text.size() > c.length)
            return refused(message(hex ? kHexTooLong : kTextTooLong, {{"[MAXLEN]", length}}));
        break;
    }
    case 'n': {
        NvNumList<unsigned int> numbers(c.delimiter);
        numbers.Parse(text);
        const QString delimiter(c.delimiter);
        const QString length = QString::number(c.length);
        if (c.length > 0 && fixed && numbers.count() != c.length)
            return refused(
                message(kNumberCountWrong, {{"[DELIMITER]", delimiter}, {"[COUNT]", length}}));
        if (c.length > 0 && !fixed && numbers.count() > c.length)
            return refused(
                message(kTooManyNumbers, {{"[DELIMITER]", delimiter}, {"[MAXCOUNT]", length}}));
        const uint32_t lo = toUnsigned32(c.minimum);
        const uint32_t hi = toUnsigned32(c.maximum);
        for (const unsigned int number : numbers.values) {
            if (number < lo || number > hi)
                return refused(message(kListNumberOutOfRange, {{"[DELIMITER]", delimiter},
                                                               {"[MIN]", QString::number(lo)},
                                                               {"[MAX]", QString::number(hi)}}));
        }
        break;
    }
    default:
        break;
    }
    return LeaveVerdict{LeaveVerdict::Accepted, QString()};
}

// --- the set -----------------------------------------------------------------------------------

void NvEditConstraint::AddFormat(const QString& format, const QList<QLineEdit*>& edits)
{
    std::vector<EditConstraint_s> records;
    for (const QString& specifier : SplitFormat(format))
        records.push_back(Parse(specifier));
    if (edits.size() < static_cast<qsizetype>(records.size()))
        throw NvError::FromCode(kTooFewControls);
    for (size_t i = 0; i < records.size(); ++i) {
        if (edits[static_cast<qsizetype>(i)])
            install(std::move(records[i]), edits[static_cast<qsizetype>(i)]);
    }
}

void NvEditConstraint::AddOne(const QString& specifier, QLineEdit* edit)
{
    EditConstraint_s record = Parse(specifier);
    if (edit)
        install(std::move(record), edit);
}

void NvEditConstraint::install(EditConstraint_s record, QLineEdit* edit)
{
    Remove(edit);
    NvEdit* handlers = NvEdit::Of(edit);
    if (record.width > 0)
        edit->resize(std::min(record.width, QWIDGETSIZE_MAX), edit->height());
    // A list's length counts numbers, not characters: as a typing limit it would make the very
    // texts it accepts impossible to type.
    if (record.letter != QLatin1Char('n'))
        handlers->SetMaxLength(record.length);
    record.edit = edit;
    record.savedChange = handlers->OnChange();
    record.savedExit = handlers->OnExit();
    m_items.push_back(std::make_unique<EditConstraint_s>(std::move(record)));
    // The handlers find their record again on every call, so a copy that outlives the record or
    // the set does nothing.
    const QPointer<NvEditConstraint> self(this);
    handlers->SetOnChange([self](QLineEdit* e) {
        if (self)
            self->changed(e);
    });
    handlers->SetOnExit([self](QLineEdit* e) {
        if (self)
            self->left(e);
    });
}

void NvEditConstraint::Remove(QLineEdit* edit)
{
    if (!edit)
        return;
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [edit](const auto& item) { return item->edit == edit; });
    if (it == m_items.end())
        return;
    restoreHandlers(**it);
    m_items.erase(it);
}

void NvEditConstraint::Remember(QLineEdit* edit)
{
    if (EditConstraint_s* record = find(edit))
        record->remembered = edit->text();
}

const EditConstraint_s* NvEditConstraint::Find(const QLineEdit* edit) const
{
    for (const auto& item : m_items) {
        if (edit && item->edit == edit)
            return item.get();
    }
    return nullptr;
}

EditConstraint_s* NvEditConstraint::find(const QLineEdit* edit)
{
    return const_cast<EditConstraint_s*>(std::as_const(*this).Find(edit));
}

void NvEditConstraint::restoreHandlers(const EditConstraint_s& record)
{
    if (NvEdit* handlers = NvEdit::Find(record.edit)) {
        handlers->SetOnChange(record.savedChange);
        handlers->SetOnExit(record.savedExit);
    }
}

// --- the edit's events -------------------------------------------------------------------------
// Handlers and text changes run other code that may remove the record, the edit or the set, so
// each step after one checks that they are still there.

NvEditConstraint::OwnHandlerOutcome
NvEditConstraint::callOwnHandler(NvEditHandler handler, QLineEdit* edit, EditConstraint_s*& record)
{
    const QPointer<NvEditConstraint> self(this);
    const QPointer<QLineEdit> alive(edit);
    handler(edit);
    if (!self || !alive || !(record = find(edit)))
        return Gone;
    return NvEdit::Of(edit)->Tag() == -1 ? TagRefused : Carry;
}

void NvEditConstraint::changed(QLineEdit* edit)
{
    EditConstraint_s* record = find(edit);
    if (!record)
        return;
    const QString text = edit->text();
    if (text.isEmpty() || text == kNullText || text == kNotDoneText)
        return;
    const QPointer<NvEditConstraint> self(this);
    const QPointer<QLineEdit> alive(edit);
    if (!record->nextChar.isNull()) {
        const int at = text.indexOf(record->nextChar);
        if (at >= 0) {
            setTextWithCursor(edit, QString(text).remove(at, 1), at);
            if (self && alive)
                FocusNextControl(m_owner, edit);
            return;
        }
    }
    const int offending = FirstOffending(*record, text);
    if (offending >= 0) {
        setTextWithCursor(edit, QString(text).remove(offending, 1), offending);
        beep();
        return;
    }
    if (record->savedChange && callOwnHandler(record->savedChange, edit, record) != Carry)
        return;
    if ((record->flags & CF_AUTO_NEXT) && record->letter != QLatin1Char('n') &&
        record->length > 0 && edit->text().size() == record->length)
        FocusNextControl(m_owner, edit);
}

void NvEditConstraint::left(QLineEdit* edit)
{
    EditConstraint_s* record = find(edit);
    if (!record)
        return;
    const LeaveVerdict verdict = CheckLeave(*record, edit->text());
    if (verdict.kind == LeaveVerdict::LeftAlone)
        return;
    const QPointer<NvEditConstraint> self(this);
    const QPointer<QLineEdit> alive(edit);
    if (verdict.kind == LeaveVerdict::Refused) {
        NvDialogs::Message(m_owner ? m_owner.data() : edit->window(), verdict.message,
                           NvDialogs::ExecutableFileName(), NvDialogs::Buttons::Ok,
                           NvDialogs::Icon::Warning);
        if (!self || !alive || !(record = find(edit)))
            return;
        edit->setText(record->remembered);
        if (alive) {
            // Selected, as the toolkit's edits select their text on entry: ready to be retyped.
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return;
    }
    if (record->savedExit) {
        const OwnHandlerOutcome outcome = callOwnHandler(record->savedExit, edit, record);
        if (outcome == TagRefused)
            edit->setText(record->remembered);
        if (outcome != Carry)
            return;
    }
    if (m_rememberAccepted)
        record->remembered = edit->text();
}
