#pragma once

#include <QString>
#include <QVector>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

// A parsed list of numbers such as "3,0,12". Only digits, the delimiter and '.' mean anything;
// digits after a '.' form a fraction that is truncated away, so "2.5" gives 2.
template <typename T> class NvNumList
{
    static_assert(std::is_integral_v<T>, "NvNumList holds integers");

public:
    explicit NvNumList(QChar delimiter_ = QLatin1Char('.')) : delimiter(delimiter_) {}

    void Parse(const QString& text)
    {
        values.clear();
        if (text.isEmpty())
            return;
        values.fill(0, text.count(delimiter) + 1);
        int index = 0;
        bool fraction = false;
        // Accumulate in a wide type and clamp, so that long digit runs cannot overflow.
        long double value = 0;
        auto store = [&] {
            const long double lo = static_cast<long double>(std::numeric_limits<T>::min());
            const long double hi = static_cast<long double>(std::numeric_limits<T>::max());
            const long double truncated = std::trunc(value);
            values[index] = static_cast<T>(truncated < lo ? lo : (truncated > hi ? hi : truncated));
        };
        for (const QChar c : text) {
            if (c == delimiter) {
                store();
                ++index;
                value = 0;
                fraction = false;
            } else if (c == QLatin1Char('.')) {
                fraction = true;
            } else if (!fraction && c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                value = value * 10 + (c.unicode() - '0');
                if (value > 1e30L)
                    value = 1e30L;
            }
        }
        store();
    }

    int count() const { return values.size(); }
    T operator[](int i) const { return values[i]; }

    int IndexOf(T value) const { return values.indexOf(value); }

    QVector<T> values;
    QChar delimiter;
};
