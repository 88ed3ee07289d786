// Writing a whole file so that it is either replaced completely or left as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace zaz {

// Writes bytes to a temporary file next to path, makes sure every byte reached the disk,
// then renames it over path. On any failure the temporary file is removed, path keeps its
// previous content (or stays absent), false is returned and error holds a French text
// naming the file and the reason. error is cleared on success.
bool SafeSaveBytes(const QString &path, const QByteArray &bytes, QString &error);

} // namespace zaz
