// The simulator's client library, loaded at run time and resolved into a table of entry
// points. The table exists only when the library and all sixteen entry points were found, so
// no call can go through a missing entry.
#pragma once

#include "sim/SimApi.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace zaz {

// The names of the sixteen exports, in the order of SimEntries.
QStringList SimEntryNames();

// Resolves every entry of library (already loaded) into entries. False, with entries left
// empty, when one is missing; missing (when given) receives the first missing name.
bool ResolveSimEntries(QLibrary &library, SimEntries &entries, QString *missing = nullptr);

class SimLibrary {
public:
    ~SimLibrary();

    // Loads name (a base name such as "SimConnect", or a path), looking beside the program
    // first, then where the loader looks. Already loaded: true at once. On failure nothing
    // stays loaded and errorText() says what was missing.
    bool load(const QString &name);
    void unload();
    bool isLoaded() const { return loaded_; }
    // The table, or nullptr while the library is not loaded.
    const SimEntries *entries() const { return loaded_ ? &entries_ : nullptr; }
    // What was missing at the last failed load: a file, or an entry point of the file.
    const QString &errorText() const { return error_; }

private:
    QLibrary library_;
    SimEntries entries_{};
    bool loaded_ = false;
    QString error_;
};

// The status text and message of the library probe.
QString SimLibraryStatusText(bool loaded);

} // namespace zaz
