// Splitting a file into lines: the endings of every system, mixed; the
// settings tests read and write whole files.

#include "support.h"

#include "framework/files.h"

TEST(SplitLines, AcceptsLfCrLfAndCrEndingsMixedAndALastLineWithoutOne)
{
    const std::pair<QByteArray, std::vector<fw::Text>> cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
        {"\xEF\xBB\xBF" "1\r\n", {"1"}},
        {"x\xFFy\xC3\xA9", {"x\uFFFDy\u00E9"}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(fw::SplitLines(bytes), lines) << "bytes " << bytes.toPercentEncoding().toStdString();
}
