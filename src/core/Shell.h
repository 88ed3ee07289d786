// Starting other programs and opening documents, behind an interface for the tests.
#pragma once

#include <QString>

namespace zaz {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts program with its parameters (one text, split as a command line), detached.
    virtual bool open(const QString &program, const QString &parameters) = 0;
};

// Starts real processes.
class ProcessShell final : public Shell {
public:
    bool open(const QString &program, const QString &parameters) override;
};

} // namespace zaz
