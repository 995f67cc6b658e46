#pragma once
// Where checks and loaders send what the user must be told: the desktop program shows a message
// box, the command line prints a line.
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"

namespace orrerion {

enum class MessageIcon { Information, Exclamation, Critical, Question };

struct Message {
    std::string title;
    MessageIcon icon = MessageIcon::Information;
    std::string text;
};

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void Report(const Message& message) = 0;
    // A message about one input field: the desktop program selects that field in its window once
    // the message is read. Elsewhere it is any other message.
    virtual void ReportField(const Message& message, FieldRef field) {
        static_cast<void>(field);
        Report(message);
    }
};

// Keeps every message in order; used by the command line and by tests.
class CollectingReporter : public Reporter {
public:
    void Report(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

}  // namespace orrerion
