#pragma once

namespace machine {

// A program started with standard input, output or error closed would have
// the next file it opens (the price file, or one Qt opens for its event loop)
// take that number, and its report or log lines written into that file.
// Each closed one is held by a read-only /dev/null instead, so that writing
// to it still fails, as writing to a closed output does, and nothing else
// can take its place. Called first thing in main().
void holdClosedStandardStreams();

} // namespace machine
