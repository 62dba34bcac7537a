#ifndef STREWGEN_PLATFORM_START_UP_H_
#define STREWGEN_PLATFORM_START_UP_H_

namespace strewgen {

// Prepares the process before anything else runs: failures of file
// operations must come back as results to report, never as signals or
// dialogs that end or stop the process. Returns false if that cannot be
// arranged.
bool startUp();

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_START_UP_H_
