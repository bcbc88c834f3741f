#pragma once

#include <QString>

// The one-character text (a lone NUL) that several tables store for an empty text.
QString NulText();
// True for that one-character text.
bool IsNulText(const QString& text);
// The text up to its first NUL, as a stored text column reads back.
QString UpToNul(const QString& text);

// The text without leading and trailing blanks and control characters.
QString TrimBlanks(const QString& text);

// Every occurrence of oldPattern replaced by newPattern, ignoring case.
QString ReplaceText(const QString& text, const QString& oldPattern, const QString& newPattern);
// The characters in reverse order.
QString ReverseText(const QString& text);

// Doubles the single quotes of a value pasted between quotes into SQL text.
QString QuotedSqlValue(const QString& value);
