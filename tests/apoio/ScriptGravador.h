#pragma once

// A print script that keeps what it is handed: job n leaves job-n.spool and
// job-n.args (one argument a line) beside it.

#include <string>

namespace etiquetas::apoio {

inline const std::string kScriptGravador =
    "d=$(dirname \"$0\"); n=$(($(cat \"$d/n\" 2>/dev/null || echo 0) + 1)); echo $n >\"$d/n\"\n"
    "cp \"$1\" \"$d/job-$n.spool\"; printf '%s\\n' \"$@\" >\"$d/job-$n.args\"\n";

}  // namespace etiquetas::apoio
