#pragma once
// Text helpers with the game's 1-based semantics. Text is UTF-8 at the
// edges and held as QString inside; the helpers are the only text API the
// game code uses.

#include <QString>

#include <vector>

namespace fw {

using Text = QString;

// A list of texts whose element 0 is a placeholder; used for card lists.
using TextArray = std::vector<Text>;

// The line ending the game inserts between lines of a text.
Text EndOfLine();

// 1-based position of find in source, 0 when absent. Case-insensitive, as
// the game compares key sets with typed characters.
int InStr(const Text& source, const Text& find);

// The n-th field (from 1) between separators; empty when there are fewer.
Text NthField(const Text& text, const Text& separator, int n);

Text Left(const Text& text, int count);
// From 1-based start to the end, or count characters from start.
Text Mid(const Text& text, int start);
Text Mid(const Text& text, int start, int count);
int Len(const Text& text);

// The number a text starts with (sign, digits, point, exponent); 0 for none.
double Val(const Text& text);

// Decimal text of a number: a whole value as its digits alone.
Text Str(double value);
Text Str(int value);

// Replace the first occurrence only.
Text Replace(const Text& text, const Text& find, const Text& with);
Text ReplaceAll(const Text& text, const Text& find, const Text& with);
Text Uppercase(const Text& text);

// Code of the first character, 0 for the empty text.
int Asc(const Text& text);
Text Chr(int code);

// Equality as the game compares texts: case-insensitive.
bool SameText(const Text& a, const Text& b);

// A double stored into an integer: truncated toward zero, saturating at the
// 32-bit limits (NaN gives 0) so that no input can overflow.
int ToInt32(double value);

}  // namespace fw
