#pragma once
// The error every service throws when it refuses: the text is the message the
// user sees, in the program's own words.

#include <QString>
#include <stdexcept>

namespace valdora {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace valdora
