#include "framework/text.h"

#include <QList>
#include <QStringList>

#include <cmath>
#include <limits>

namespace fw {

Text EndOfLine() { return QStringLiteral("\n"); }

int InStr(const Text& source, const Text& find)
{
    if (find.isEmpty())
        return 0;
    return source.indexOf(find, 0, Qt::CaseInsensitive) + 1;
}

Text NthField(const Text& text, const Text& separator, int n)
{
    if (n < 1)
        return {};
    if (separator.isEmpty())
        return n == 1 ? text : Text();
    const auto fields = text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
    return n <= fields.size() ? fields.at(n - 1) : Text();
}

Text Left(const Text& text, int count) { return count <= 0 ? Text() : text.left(count); }

Text Mid(const Text& text, int start)
{
    if (start < 1)
        start = 1;
    return start > text.size() ? Text() : text.mid(start - 1);
}

Text Mid(const Text& text, int start, int count)
{
    if (count <= 0)
        return {};
    if (start < 1)
        start = 1;
    return start > text.size() ? Text() : text.mid(start - 1, count);
}

int Len(const Text& text) { return static_cast<int>(text.size()); }

double Val(const Text& text)
{
    const QString s = text;
    int i = 0;
    const int n = static_cast<int>(s.size());
    while (i < n && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    const int start = i;
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i] >= u'0' && s[i] <= u'9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        int j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        int expDigits = 0;
        while (j < n && s[j] >= u'0' && s[j] <= u'9') {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            end = j;
    }
    bool ok = false;
    const double value = s.mid(start, end - start).toDouble(&ok);
    if (ok)
        return value;
    // Out of the double's range: keep the sign, saturate.
    return s[start] == u'-' ? -std::numeric_limits<double>::max()
                            : std::numeric_limits<double>::max();
}

Text Str(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 7);
}

Text Str(int value) { return QString::number(value); }

Text Replace(const Text& text, const Text& find, const Text& with)
{
    if (find.isEmpty())
        return text;
    const int at = static_cast<int>(text.indexOf(find));
    if (at < 0)
        return text;
    Text result = text;
    result.replace(at, find.size(), with);
    return result;
}

Text ReplaceAll(const Text& text, const Text& find, const Text& with)
{
    if (find.isEmpty())
        return text;
    Text result = text;
    result.replace(find, with);
    return result;
}

Text Uppercase(const Text& text) { return text.toUpper(); }

int Asc(const Text& text)
{
    if (text.isEmpty())
        return 0;
    const char32_t c = text.toUcs4().value(0);
    return static_cast<int>(c);
}

Text Chr(int code)
{
    const char32_t c = static_cast<char32_t>(code);
    return QString::fromUcs4(&c, 1);
}

bool SameText(const Text& a, const Text& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

int ToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace fw
