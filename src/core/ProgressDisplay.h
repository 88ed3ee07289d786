// Where long work shows how far it has gone (the progress window "message").
#pragma once

#include <QString>

namespace zaz {

class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    // Shows the display with a caption and an empty bar.
    virtual void begin(const QString &caption) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // Closes the display.
    virtual void end() = 0;
};

} // namespace zaz
