#pragma once

#include "widgets/user_dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace ombrel::test {

// Answers every modal question from scripted queues and records what was
// asked. An unscripted message is answered Cancel (or OK); an unscripted file
// dialog is cancelled.
class ScriptedDialogs : public UserDialogs {
public:
    struct Asked {
        MessageKind kind;
        QString text;
        MessageButtons buttons;
    };

    std::deque<Answer> answers;
    std::deque<QString> saveNames;
    std::deque<QString> openNames;
    std::deque<std::optional<FontChoice>> fonts;
    std::deque<bool> printerSetups;
    QList<std::pair<int, int>> printerSetupRanges; // the pages each setup offered

    // Runs while a message is asked, as the user reads it.
    std::function<void()> whileAsking;

    QList<Asked> messages;
    QList<FileDialogRequest> saveRequests;
    QList<FileDialogRequest> openRequests;

    Answer message(QWidget*, MessageKind kind, const QString& text, MessageButtons buttons) override
    {
        messages.append({kind, text, buttons});
        if (whileAsking)
            whileAsking();
        if (answers.empty())
            return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString saveFileName(QWidget*, const FileDialogRequest& request) override
    {
        saveRequests.append(request);
        return take(saveNames);
    }
    QString openFileName(QWidget*, const FileDialogRequest& request) override
    {
        openRequests.append(request);
        return take(openNames);
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override
    {
        if (fonts.empty())
            return std::nullopt;
        auto choice = fonts.front();
        fonts.pop_front();
        return choice;
    }
    bool printerSetup(QWidget*, QPrinter&, int firstPage, int lastPage) override
    {
        printerSetupRanges.append({firstPage, lastPage});
        if (printerSetups.empty())
            return false;
        const bool accepted = printerSetups.front();
        printerSetups.pop_front();
        return accepted;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& asked : messages)
            texts << asked.text;
        return texts;
    }

private:
    static QString take(std::deque<QString>& queue)
    {
        if (queue.empty())
            return {};
        QString name = queue.front();
        queue.pop_front();
        return name;
    }
};

} // namespace ombrel::test
