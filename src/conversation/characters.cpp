#include "conversation/characters.h"

qsizetype characterEnd(const QString &text, qsizetype index)
{
    const bool pair = index + 1 < text.size() && text.at(index).isHighSurrogate()
                      && text.at(index + 1).isLowSurrogate();
    return index + (pair ? 2 : 1);
}

QString characterSlice(const QString &text, qsizetype first, qsizetype count)
{
    qsizetype begin = 0;
    for (qsizetype position = 1; position < first && begin < text.size(); ++position)
        begin = characterEnd(text, begin);
    qsizetype end = begin;
    for (qsizetype taken = 0; taken < count && end < text.size(); ++taken)
        end = characterEnd(text, end);
    return text.mid(begin, end - begin);
}
