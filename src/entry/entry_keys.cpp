#include "entry/entry_keys.h"

namespace ombrel {

std::optional<Operator> OperatorForKey(char key)
{
    switch (key) {
    case '+':
        return Operator::Plus;
    case '-':
        return Operator::Minus;
    case '*':
        return Operator::Times;
    case '/':
        return Operator::Divide;
    case '`':
    case '~':
        return Operator::Difference;
    default:
        return std::nullopt;
    }
}

bool IsRecallKey(char key)
{
    switch (key) {
    case 'D':
    case 'd':
    case 'I':
    case 'i':
    case 'O':
    case 'o':
    case 'P':
    case 'p':
    case 'T':
    case 't':
        return true;
    default:
        return false;
    }
}

} // namespace ombrel
