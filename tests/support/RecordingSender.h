// A line sender that keeps every line sent, as sent (CR LF included).
#pragma once

#include "link/LineSender.h"

#include <QStringList>

namespace zaz::test {

struct RecordingSender : LineSender {
    void SendLine(const QString &text) override { sent.append(text); }
    QStringList sent;
};

} // namespace zaz::test
