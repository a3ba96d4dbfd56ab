// Fuzzes the text lookup with any text and any catalogue entry.
//
// Input: one mode byte, then the text, a NUL, the entry's value, a NUL and
// the entry's key. Mode bit 0x80 reads the three parts as raw UTF-16 (lone
// surrogates included) instead of UTF-8; the low bits choose the catalogue:
// 0 none, 1 one entry under the text's own key, 2 one entry under the given
// key, 3 the shipped Swedish catalogue.

#include "framework/text.h"
#include "text/lookup.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

class OneEntry : public text::Catalogue {
public:
    std::optional<QString> key;
    QString value;
    mutable int asked = 0;
    mutable bool answered = false;

    std::optional<fw::Text> find(const fw::Text& k) const override
    {
        ++asked;
        if (key && *key == k) {
            answered = true;
            return value;
        }
        return std::nullopt;
    }
};

QString decode(const QByteArray& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
}

[[noreturn]] void fail(const char* what, const QString& text, const QString& result)
{
    std::fprintf(stderr, "%s\n text:   \"%s\"\n result: \"%s\"\n", what, qUtf8Printable(text),
                 qUtf8Printable(result));
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    const bool utf16 = mode & 0x80;
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)).split('\0');
    const QString text = decode(parts.value(0), utf16);

    OneEntry table;
    table.value = decode(parts.value(1), utf16);
    QString result;
    switch (mode & 3) {
    case 0:
        result = text::lookup(text, table);
        break;
    case 1:
        table.key = text::lookupKey(text);
        result = text::lookup(text, table);
        break;
    case 2:
        table.key = decode(parts.value(2), utf16);
        result = text::lookup(text, table);
        break;
    default:
        result = text::lookup(text);
        if (text.isEmpty() != result.isEmpty())
            fail("the shipped catalogue gave an empty result for a text, or a text for nothing", text, result);
        return 0;
    }

    if (text.isEmpty() != result.isEmpty())
        fail("empty result for a text, or a text for nothing", text, result);
    if (text.isEmpty() || text == QLatin1String("-")) {
        if (result != text || table.asked)
            fail("the empty text and \"-\" come back as they are, without a lookup", text, result);
        return 0;
    }
    if (!table.answered) {
        // Without an entry: the text itself, each line ending and each "*"
        // a line break.
        QString expected = text;
        expected.replace(QLatin1String("\r\n"), fw::EndOfLine());
        expected.replace(QLatin1Char('\r'), fw::EndOfLine());
        expected.replace(QLatin1Char('\n'), fw::EndOfLine());
        expected.replace(QLatin1Char('*'), fw::EndOfLine());
        if (result != expected)
            fail("without an entry the text must come back with its line breaks", text, result);
        return 0;
    }
    // With an entry: a final "…", "." or ":" is kept whatever the entry says,
    // and "*" is left only where an empty entry gave back the key.
    const QChar last = text.back();
    const bool cut = last == QChar(0x2026) || last == QLatin1Char('.') || last == QLatin1Char(':');
    if (cut && result.back() != last)
        fail("the final character was lost", text, result);
    if (result.contains(QLatin1Char('*')) && (cut || !table.value.isEmpty()))
        fail("a \"*\" was left in the result", text, result);
    return 0;
}
