#!/usr/bin/env bash
# Checks the one-way order of includes inside src/app: commands may use window, dialogs and
# widgets; window may use dialogs and widgets; dialogs may use widgets; widgets use none of them.
set -uo pipefail
cd "$(dirname "$0")/../src/app"
rank() { case $1 in widgets) echo 1;; dialogs) echo 2;; window) echo 3;; commands) echo 4;; *) echo 0;; esac; }
bad=0
for f in $(find widgets dialogs window commands -name '*.cpp' -o -name '*.h'); do
  from=${f%%/*}
  for inc in $(grep -o '#include "app/[a-z]*/' "$f" | sed 's|#include "app/||;s|/||'); do
    if [ "$(rank $inc)" -gt "$(rank $from)" ]; then echo "$f includes app/$inc"; bad=1; fi
  done
done
exit $bad
