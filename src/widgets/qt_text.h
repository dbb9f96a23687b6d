#pragma once

#include "engine/user_text.h"

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// The core keeps text as UTF-8; the windows show it as QString.
inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the core, marked there with OMBREL_TEXT, in the user's language.
inline QString Translated(std::string_view english)
{
    return QCoreApplication::translate(kUserTextContext, std::string(english).c_str());
}

// A message of the core in the user's language; its arguments stay as they
// are, but for those that are the program's own texts.
inline QString Translated(const UserMessage& message)
{
    std::vector<std::string> arguments = message.arguments;
    for (size_t i = 0; i < arguments.size(); ++i)
        if (message.translatedArguments & (1u << i))
            arguments[i] = Translated(arguments[i]).toStdString();
    return toQt(FillArguments(Translated(message.text).toStdString(), arguments));
}

} // namespace ombrel
