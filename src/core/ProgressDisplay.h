// Where long work shows how far it has gone (the progress window "message").
#pragma once

#include <QString>

namespace zaz {

class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    // Shows the display with a caption and an empty bar.
    virtual void Begin(const QString &caption) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    // Closes the display.
    virtual void End() = 0;
};

} // namespace zaz
