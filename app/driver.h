#ifndef STREWGEN_APP_DRIVER_H_
#define STREWGEN_APP_DRIVER_H_

#include "platform/console.h"

namespace strewgen {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;

// The whole run of the tool for the given arguments (argv[0] is the
// program's name). Returns the exit status.
int runStrewgen(int argc, const char* const* argv, Console* console);

}  // namespace strewgen

#endif  // STREWGEN_APP_DRIVER_H_
