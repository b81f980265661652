#include "NvExpression.h"

#include "NvError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace {

struct Value
{
    bool isText = false;
    double number = 0;
    QString text;
};

[[noreturn]] void fail()
{
    throw NvError::FromCode(-513);
}

class Parser
{
public:
    explicit Parser(const QString& text) : m_text(text) {}

    double Run()
    {
        const Value result = parseOr();
        skipBlanks();
        if (m_pos != m_text.size() || result.isText)
            fail();
        return result.number;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool isWordChar(int pos) const
    {
        return pos < m_text.size() &&
               (m_text[pos].isLetterOrNumber() || m_text[pos] == QLatin1Char('_'));
    }

    // Consumes a symbol or a word (whole words only) when it comes next.
    bool take(const char* token)
    {
        skipBlanks();
        const QLatin1String t(token);
        if (m_text.mid(m_pos, t.size()).compare(t, Qt::CaseInsensitive) != 0)
            return false;
        if (QChar(QLatin1Char(token[0])).isLetter() && isWordChar(m_pos + int(t.size())))
            return false;
        m_pos += int(t.size());
        return true;
    }

    static double number(const Value& v)
    {
        if (v.isText)
            fail();
        return v.number;
    }

    static Value of(double n) { return Value{false, n, QString()}; }

    Value parseOr()
    {
        Value left = parseAnd();
        while (take("||") || take("or")) {
            const bool right = number(parseAnd()) != 0;
            left = of(number(left) != 0 || right);
        }
        return left;
    }

    Value parseAnd()
    {
        Value left = parseCompare();
        while (take("&&") || take("and")) {
            const bool right = number(parseCompare()) != 0;
            left = of(number(left) != 0 && right);
        }
        return left;
    }

    Value parseCompare()
    {
        const Value left = parseSum();
        static const char* const ops[] = {"==", "!=", "<>", "<=", ">=", "=", "<", ">"};
        for (const char* op : ops) {
            if (!take(op))
                continue;
            const Value right = parseSum();
            if (left.isText != right.isText)
                fail();
            const int c = left.isText
                              ? left.text.compare(right.text)
                              : (left.number < right.number ? -1 : left.number > right.number);
            const QLatin1String o(op);
            if (o == QLatin1String("==") || o == QLatin1String("="))
                return of(c == 0);
            if (o == QLatin1String("!=") || o == QLatin1String("<>"))
                return of(c != 0);
            if (o == QLatin1String("<="))
                return of(c <= 0);
            if (o == QLatin1String(">="))
                return of(c >= 0);
            return of(o == QLatin1String("<") ? c < 0 : c > 0);
        }
        return left;
    }

    Value parseSum()
    {
        Value left = parseProduct();
        for (;;) {
            if (take("+"))
                left = of(number(left) + number(parseProduct()));
            else if (take("-"))
                left = of(number(left) - number(parseProduct()));
            else
                return left;
        }
    }

    Value parseProduct()
    {
        Value left = parseUnary();
        for (;;) {
            if (take("*")) {
                left = of(number(left) * number(parseUnary()));
            } else if (take("/")) {
                const double d = number(parseUnary());
                if (d == 0)
                    fail();
                left = of(number(left) / d);
            } else if (const bool isDiv = take("div"); isDiv || take("%") || take("mod")) {
                const double d = std::trunc(number(parseUnary()));
                if (d == 0)
                    fail();
                const double n = std::trunc(number(left));
                left = of(isDiv ? std::trunc(n / d) : std::fmod(n, d));
            } else {
                return left;
            }
        }
    }

    Value parseUnary()
    {
        if (take("-"))
            return of(-number(parseUnary()));
        if (take("+"))
            return of(number(parseUnary()));
        if (take("!") || take("not"))
            return of(number(parseUnary()) == 0);
        return parsePrimary();
    }

    Value parsePrimary()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            fail();
        if (take("(")) {
            const Value inner = parseOr();
            if (!take(")"))
                fail();
            return inner;
        }
        if (take("true"))
            return of(1);
        if (take("false"))
            return of(0);
        if (take("now")) {
            const QDateTime now = QDateTime::currentDateTime();
            const double days = double(QDate(1899, 12, 30).daysTo(now.date()));
            return of(days + now.time().msecsSinceStartOfDay() / 86400000.0);
        }
        if (m_text[m_pos] == QLatin1Char('"'))
            return parseText();
        return parseNumber();
    }

    Value parseText()
    {
        QString text;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char('"')) {
                // A doubled quote stands for one quote character.
                if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
                    text += c;
                    ++m_pos;
                    continue;
                }
                return Value{true, 0, text};
            }
            text += c;
        }
        fail();
    }

    Value parseNumber()
    {
        const int start = m_pos;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.')))
            ++m_pos;
        if (m_pos < m_text.size() &&
            (m_text[m_pos] == QLatin1Char('e') || m_text[m_pos] == QLatin1Char('E'))) {
            int p = m_pos + 1;
            if (p < m_text.size() &&
                (m_text[p] == QLatin1Char('+') || m_text[p] == QLatin1Char('-')))
                ++p;
            if (p < m_text.size() && m_text[p].isDigit()) {
                m_pos = p;
                while (m_pos < m_text.size() && m_text[m_pos].isDigit())
                    ++m_pos;
            }
        }
        bool ok = false;
        const double value = QLocale::c().toDouble(m_text.mid(start, m_pos - start), &ok);
        if (!ok)
            fail();
        return of(value);
    }

    const QString& m_text;
    int m_pos = 0;
};

} // namespace

namespace NvExpression {

double Evaluate(const QString& text)
{
    return Parser(text).Run();
}

} // namespace NvExpression
