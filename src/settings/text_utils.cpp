#include "settings/text_utils.h"

#include <algorithm>

QString NulText()
{
    return QString(QChar(0));
}

bool IsNulText(const QString& text)
{
    return text.size() == 1 && text.at(0) == QChar(0);
}

QString UpToNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// Anything up to the blank counts, as the suite's other programs trim.
QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size() - 1;
    while (first <= last && text.at(first).unicode() <= 32)
        ++first;
    while (last >= first && text.at(last).unicode() <= 32)
        --last;
    return text.mid(first, last - first + 1);
}

QString ReplaceText(const QString& text, const QString& oldPattern, const QString& newPattern)
{
    if (oldPattern.isEmpty())
        return text;
    return QString(text).replace(oldPattern, newPattern, Qt::CaseInsensitive);
}

QString ReverseText(const QString& text)
{
    QString result = text;
    std::reverse(result.begin(), result.end());
    return result;
}

QString QuotedSqlValue(const QString& value)
{
    return QString(value).replace(QLatin1Char('\''), QStringLiteral("''"));
}
