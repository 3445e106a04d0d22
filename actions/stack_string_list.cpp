#include "stack_string_list.h"

QString TStackStringList::Pop() {
    const QString top = Peek();
    texts.removeLast();
    return top;
}

const QString& TStackStringList::Peek() const {
    if (texts.isEmpty()) {
        throw EStackStringList();
    }
    return texts.constLast();
}
