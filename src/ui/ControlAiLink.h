// The link to the AI-control program: the radar sends it a position (the "C" key on the
// scope) through the local socket "Control_AI" and the program answers with the number of
// lines its memo holds.
//
// Frame, little-endian: uint32 kind = 2, uint32 size = 8, float32 latitude, float32
// longitude (degrees). Answer: one int32.
#pragma once

#include <QString>
#include <optional>

namespace zaz {

class Prompts;

inline constexpr char kControlAiServer[] = "Control_AI";

// Sends the position and waits for the answer, at most about a second in all. Nothing when
// no program listens, or it does not answer in time or answers fewer than four bytes.
std::optional<int> SendToControlAi(float latitude, float longitude,
                                   const QString &serverName = QLatin1String(kControlAiServer));

// The "C" key: sends the position and tells the controller how the program answered:
// "Receiver has n lines in Memo!" for a count above 0, "CopyData Receiver NOT found!" when
// nothing answered; nothing for a count of 0 or less.
void SendCursorToControlAi(float latitude, float longitude, Prompts &prompts);

} // namespace zaz
