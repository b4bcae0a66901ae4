#pragma once
// The text of an output is written into one large buffer, a few megabytes for a large document,
// dropped once the file is written. Outputs written one after another on a thread pass the
// buffer on, so that each task of a build, and the next build, writes into memory already
// mapped instead of asking the system for it again.

#include <string>

namespace vantorel::build {

// An empty text with the room the thread's last output left behind.
std::string takeOutputBuffer();
// Hands a written output's buffer on to the next output of the thread (large ones are dropped).
void keepOutputBuffer(std::string text);

}  // namespace vantorel::build
