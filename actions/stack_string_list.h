#pragma once

#include "platform/exception.h"

#include <QString>
#include <QStringList>

// Pop or Peek on an empty stack.
class EStackStringList : public Exception {
public:
    EStackStringList() : Exception("Stack Over Flow") {}
};

// A list of texts used as a stack: the last text pushed is the top.
class TStackStringList {
public:
    void Push(const QString& text) { texts.append(text); }
    // Removes and returns the top; raises EStackStringList when the stack is empty.
    QString Pop();
    // The top, left in place; raises EStackStringList when the stack is empty.
    const QString& Peek() const;
    int Count() const { return static_cast<int>(texts.size()); }

private:
    QStringList texts;
};
