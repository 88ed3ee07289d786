// Where the program's lines go: the socket of the server connection, or a recorder in the
// tests and the replay tool.
#pragma once

#include <QString>

namespace zaz {

class LineSender {
public:
    virtual ~LineSender() = default;
    // Sends the text as it is (it carries its own end of line). Nothing is queued or
    // retried: on a closed connection the line is lost.
    virtual void SendLine(const QString &text) = 0;
    // Ends the connection the lines go through (the server refused the login).
    virtual void closeLink() {}
};

} // namespace zaz
